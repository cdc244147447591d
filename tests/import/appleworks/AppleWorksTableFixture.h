#pragma once
// A version-6 word-processing file of our own with one table: the main text anchors the table (byte 3
// and an anchor entry naming the table zone), and the table zone lays out 2 x 2 cells whose texts stand
// in text zones of their own. No sample file holds a table, so the layout is built as the format keeps
// it: cell rectangles and rule segments in fixed-point points (8 fraction bits).
#include <string>
#include <vector>

#include "tests/import/appleworks/AppleWorksFileBuilder.h"

namespace awfixture {

struct TableCellBox {
    std::int32_t top, left, bottom, right;  // whole points
    std::uint32_t textZone;
};

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

// A table zone of the cells, with a rule under the whole first row.
inline std::string tableZone(const std::vector<TableCellBox>& cells, std::int32_t tableRight, std::int32_t firstBottom) {
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
        cellEntries += entry;
    }
    std::string line(18, '\0');
    put32(line, 0, static_cast<std::uint32_t>(firstBottom * 256));
    put32(line, 8, static_cast<std::uint32_t>(firstBottom * 256));
    put32(line, 12, static_cast<std::uint32_t>(tableRight * 256));
    put16(line, 16, 1);
    return be32(0x44534554u) + block(data) + listBlock(1, line) +
           listBlock(static_cast<std::uint16_t>(cells.size()), cellEntries) + listBlock(0, "") + listBlock(0, "") +
           listBlock(0, "");
}

// "Before" and "After" around a 2 x 2 table whose cells say A1, B1, A2, B2.
inline std::string tableDocument() {
    FileBuilder file{appleworks::kAppleWorks6};
    file.zones.push_back(textZoneWithAnchor("Before\r\x03\rAfter\r", 7, 2));
    file.zones.push_back(tableZone({{0, 0, 20, 100, 3}, {0, 100, 20, 200, 4}, {20, 0, 40, 100, 5}, {20, 100, 40, 200, 6}},
                                   200, 20));
    for (const char* text : {"A1", "B1", "A2", "B2"}) file.zones.push_back(textZone(text));
    file.sections = styleSection(appleworks::kAppleWorks6, {{0, "Helvetica"}});
    return file.build();
}

}  // namespace awfixture
