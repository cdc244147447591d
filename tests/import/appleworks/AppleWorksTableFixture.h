#pragma once
// A version-6 word-processing file of our own with one table: the main text anchors the table (byte 3
// and an anchor entry naming the table zone), and the table zone lays out 2 x 2 cells whose texts stand
// in text zones of their own. No sample file holds a table, so the layout is built as the format keeps
// it: cell rectangles and rule segments in fixed-point points (8 fraction bits). The rules and the cells
// name graphic styles of the style section (style 0: none), which give the borders and the fills.
#include <string>
#include <vector>

#include "tests/import/appleworks/AppleWorksFileBuilder.h"

namespace awfixture {

struct TableCellBox {
    std::int32_t top, left, bottom, right;  // whole points
    std::uint32_t textZone;
    std::int16_t style = 0;  // the graphic style of its fill
};

struct TableRule {
    std::int32_t y1, x1, y2, x2;  // whole points
    std::int16_t style;
};

// A graphic style as its 28-byte record keeps it; every field is defined by the style itself.
struct GraphicStyle {
    std::int16_t penWidth;  // 1/256 points
    std::uint8_t lineColor;
    std::uint8_t fillColor;
    std::int16_t linePattern;
    std::int16_t fillPattern;
};

// A version-6 style section: style n names graphic record n (no base styles), through a style map
// n -> n; the fonts as in styleSection.
inline std::string graphicStyleSection(const std::vector<FontName>& fonts, const std::vector<GraphicStyle>& styles) {
    const appleworks::AppleWorksFamily& family = appleworks::kAppleWorks6;
    std::string root(static_cast<std::size_t>(family.styleRecordsOffset), '\0');
    put16(root, 0, static_cast<std::uint16_t>(styles.size()));
    std::string graphics(22, '\0');
    put16(graphics, 0, static_cast<std::uint16_t>(styles.size()));
    std::string map(16, '\0');
    put16(map, 0, static_cast<std::uint16_t>(styles.size()));
    for (std::size_t i = 0; i < styles.size(); ++i) {
        std::string entry(30, '\0');
        put16(entry, 14, 0xFFFF);
        put16(entry, 16, 0xFFFF);
        put16(entry, 22, static_cast<std::uint16_t>(i));
        put16(entry, 24, 0xFFFF);
        put16(entry, 26, 0xFFFF);
        root += entry;
        std::string record(28, '\0');
        put16(record, 6, 0x1F);  // pen width, both colours, both patterns
        put16(record, 10, static_cast<std::uint16_t>(styles[i].penWidth));
        record[12] = static_cast<char>(styles[i].lineColor);
        record[13] = static_cast<char>(styles[i].fillColor);
        put16(record, 14, static_cast<std::uint16_t>(styles[i].linePattern));
        put16(record, 16, static_cast<std::uint16_t>(styles[i].fillPattern));
        graphics += record;
        map += be16(static_cast<std::uint16_t>(i));
    }
    std::string section = be32(0x5354594Cu) + std::string(8, '\0') + block(root);
    section += emptyBlock();                                // head-only list
    section += emptyBlock() + emptyBlock();                 // tables 1 and 2
    section += block(graphics) + emptyBlock();              // table 3 and its inner list
    section += emptyBlock() + emptyBlock();                 // tables 4 and 5
    section += block(map);
    for (int i = 0; i < 3 + 2; ++i) section += emptyBlock();  // middle lists, two trailing lists
    return section + block(fontNameList(fonts));
}

// A text zone whose text carries one anchor entry (type 1) at the given position, naming a zone.
inline std::string textZoneWithAnchor(const std::string& text, std::int32_t anchorPosition, std::uint32_t zone) {
    std::string data(78, '\0');
    data[12] = 1;
    put32(data, 20, static_cast<std::uint32_t>(text.size()));
    put16(data, 24, 1);
    put16(data, 30, 1);  // one entry in slot 44
    std::string anchor(36, '\0');
    put32(anchor, 0, static_cast<std::uint32_t>(anchorPosition));
    put16(anchor, 4, 1);
    put32(anchor, 6, zone);
    std::string entries(10, '\0');
    put16(entries, 4, static_cast<std::uint16_t>(text.size()));
    return be32(0x44534554u) + block(data) + emptyBlock() + emptyBlock() + block(anchor) + block(entries) +
           block(text) + emptyBlock();
}

// A list block: its head (count at 0) and entries from offset 12; never shorter than a head.
inline std::string listBlock(std::uint16_t count, const std::string& entries) {
    std::string bytes(12, '\0');
    put16(bytes, 0, count);
    bytes += entries;
    if (bytes.size() < 16) bytes.resize(16, '\0');
    return block(bytes);
}

// A table zone of the cells and rules.
inline std::string tableZone(const std::vector<TableCellBox>& cells, const std::vector<TableRule>& rules) {
    std::string data(70, '\0');
    data[12] = 6;
    std::string cellEntries;
    for (const TableCellBox& cell : cells) {
        std::string entry(32, '\0');
        put32(entry, 0, static_cast<std::uint32_t>(cell.top * 256));
        put32(entry, 4, static_cast<std::uint32_t>(cell.left * 256));
        put32(entry, 8, static_cast<std::uint32_t>(cell.bottom * 256));
        put32(entry, 12, static_cast<std::uint32_t>(cell.right * 256));
        put32(entry, 24, cell.textZone);
        put16(entry, 30, static_cast<std::uint16_t>(cell.style));
        cellEntries += entry;
    }
    std::string lineEntries;
    for (const TableRule& rule : rules) {
        std::string line(18, '\0');
        put32(line, 0, static_cast<std::uint32_t>(rule.y1 * 256));
        put32(line, 4, static_cast<std::uint32_t>(rule.x1 * 256));
        put32(line, 8, static_cast<std::uint32_t>(rule.y2 * 256));
        put32(line, 12, static_cast<std::uint32_t>(rule.x2 * 256));
        put16(line, 16, static_cast<std::uint16_t>(rule.style));
        lineEntries += line;
    }
    return be32(0x44534554u) + block(data) + listBlock(static_cast<std::uint16_t>(rules.size()), lineEntries) +
           listBlock(static_cast<std::uint16_t>(cells.size()), cellEntries) + listBlock(0, "") + listBlock(0, "") +
           listBlock(0, "");
}

// The graphic styles of the table document. Colour indexes are those of the default colours: 1 black,
// 4 yellow, 6 red.
namespace tablestyle {
constexpr std::int16_t kRedRule = 1;       // 2 points, solid, red
constexpr std::int16_t kYellowFill = 2;    // solid yellow
constexpr std::int16_t kBlackHatching = 3; // pattern 7 in black: a dark hatching
constexpr std::int16_t kOwnPattern = 4;    // the document's first pattern (half the bits set) in white
inline const std::vector<GraphicStyle> kStyles = {
    {256, 1, 0, 2, 1}, {512, 6, 0, 2, 1}, {256, 1, 4, 2, 2}, {256, 1, 1, 2, 7}, {256, 1, 0, 2, 65}};
}  // namespace tablestyle

// The document's own patterns: one, with every other bit set.
inline std::string patternList() {
    std::string list(16, '\0');
    put16(list, 0, 1);
    return list + std::string(8, '\x55');
}

// "Before" and "After" around a 2 x 2 table whose cells say A1, B1, A2, B2.
inline std::string tableDocument(bool withPatternList = true) {
    FileBuilder file{appleworks::kAppleWorks6};
    file.zones.push_back(textZoneWithAnchor("Before\r\x03\rAfter\r", 7, 2));
    // A red rule under the first row and between the columns; the cells of the second row filled.
    file.zones.push_back(tableZone({{0, 0, 20, 100, 3},
                                    {0, 100, 20, 200, 4},
                                    {20, 0, 40, 100, 5, tablestyle::kYellowFill},
                                    {20, 100, 40, 200, 6, tablestyle::kBlackHatching}},
                                   {{20, 0, 20, 200, tablestyle::kRedRule}, {0, 100, 40, 100, tablestyle::kRedRule}}));
    for (const char* text : {"A1", "B1", "A2", "B2"}) file.zones.push_back(textZone(text));
    file.sections = graphicStyleSection({{0, "Helvetica"}}, tablestyle::kStyles);
    if (withPatternList) file.patternList = patternList();
    return file.build();
}

inline std::string tableDocumentWithoutPatterns() {
    return tableDocument(false);
}

}  // namespace awfixture
