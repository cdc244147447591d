#pragma once
// Small AppleWorks files of our own for the reader's tests and the fuzz seeds: a valid file of either
// family, big-endian, with the parts a test needs (zones, a style section with fonts, a colour table),
// and helpers to damage it in chosen places.
#include <cstdint>
#include <string>
#include <vector>

#include "import/appleworks/AppleWorksFamily.h"

namespace awfixture {

inline std::string be16(std::uint16_t value) {
    return {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)};
}
inline std::string be32(std::uint32_t value) {
    return be16(static_cast<std::uint16_t>(value >> 16)) + be16(static_cast<std::uint16_t>(value));
}
// A block: its length, then its bytes.
inline std::string block(const std::string& bytes) {
    return be32(static_cast<std::uint32_t>(bytes.size())) + bytes;
}
inline std::string emptyBlock() {
    return be32(0);
}
// Bytes with a big-endian value written at an offset (the string grows to hold it).
inline void put16(std::string& bytes, std::size_t offset, std::uint16_t value) {
    if (bytes.size() < offset + 2) bytes.resize(offset + 2, '\0');
    bytes.replace(offset, 2, be16(value));
}
inline void put32(std::string& bytes, std::size_t offset, std::uint32_t value) {
    if (bytes.size() < offset + 4) bytes.resize(offset + 4, '\0');
    bytes.replace(offset, 4, be32(value));
}

// A text zone holding one text block: "DSET", the zone data, and the blocks that hang from it.
inline std::string textZone(const std::string& text) {
    std::string data(78, '\0');
    data[12] = 1;  // kind: text
    put32(data, 20, static_cast<std::uint32_t>(text.size()));
    put16(data, 24, 1);  // one text block
    std::string entries(10, '\0');
    put16(entries, 4, static_cast<std::uint16_t>(text.size()));
    return be32(0x44534554u) + block(data) + emptyBlock() + emptyBlock() + emptyBlock() + block(entries) +
           block(text) + emptyBlock();
}

// A spreadsheet zone (version 5 layout of the leading blocks) with one column of the given rows.
inline std::string spreadsheetZone(const appleworks::AppleWorksFamily& family, std::int16_t firstRow,
                                   std::int16_t lastRow, std::int32_t rowSlots) {
    std::string data(440, '\0');
    data[12] = 2;
    std::string directory(12, '\0');  // last column 0: one column slot
    put32(directory, 8, 1);
    std::string column(8 + 4 * rowSlots, '\0');
    put16(column, 4, static_cast<std::uint16_t>(firstRow));
    put16(column, 6, static_cast<std::uint16_t>(lastRow));
    std::string zone = be32(0x44534554u) + block(data) + emptyBlock() + emptyBlock() + std::string(6, '\0') +
                       block(directory) + block(column);
    for (std::int32_t i = 0; i < family.spreadsheetTrailingCount; ++i) zone += emptyBlock();
    return zone;
}

struct FontName {
    std::int16_t number;
    std::string name;
};

// The bytes of a font-name list: a 16-byte head, then a 68-byte entry per font.
inline std::string fontNameList(const std::vector<FontName>& fonts) {
    std::string names(16, '\0');
    put16(names, 0, static_cast<std::uint16_t>(fonts.size()));
    for (const FontName& font : fonts) {
        std::string entry(68, '\0');
        put16(entry, 0, static_cast<std::uint16_t>(font.number));
        entry[4] = static_cast<char>(font.name.size());
        entry.replace(5, font.name.size(), font.name);
        names += entry;
    }
    return names;
}

// "STYL" with a style root whose font-name list holds the fonts; every other table is empty.
inline std::string styleSection(const appleworks::AppleWorksFamily& family, const std::vector<FontName>& fonts) {
    std::string root(static_cast<std::size_t>(family.styleRecordsOffset), '\0');
    std::string section = be32(0x5354594Cu) + std::string(8, '\0') + block(root);
    // Head-only list, tables 1 to 4 (and 5), the u16 list, the middle lists and two trailing lists are
    // empty; the font names come last.
    const int emptyLists = 1 + (family.hasTable5 ? 5 : 4) + 1 + 3 + 2;
    for (int i = 0; i < emptyLists; ++i) section += emptyBlock();
    return section + block(fontNameList(fonts));
}

inline std::string endMarker() {
    return be32(0xFFFEFDFCu) + be32(0xFBFAF9F8u) + be32(0xF0F1F2F3u) + be32(0xF4F5F6F7u);
}

struct FileBuilder {
    const appleworks::AppleWorksFamily& family;
    std::uint8_t kind = 1;
    std::uint8_t version = 0;  // 0: the family's
    std::string variablePiece;         // version 6: the block at record offset 76
    std::uint16_t sizedRecordLength = 2;
    std::int16_t headerCopies = 1;
    std::string patternList;  // the bytes of the pattern-list block; empty: none
    std::string colorTable;  // the bytes of the colour-table block; empty: none
    std::vector<std::string> zones;  // each "DSET" and what follows; "" = a position without a zone
    std::string extras;      // the per-zone extras block's bytes
    std::string sections;    // tagged sections before the end marker
    std::string ending = endMarker();

    std::string build() const {
        std::string file = std::string(1, static_cast<char>(version != 0 ? version : family.version)) + "\x07\xE1" +
                           std::string(1, '\0') + "BOBO" + std::string(12, '\0');
        file += documentRecord();
        if (family.hasSizedRecord) file += be16(sizedRecordLength) + std::string(sizedRecordLength > 2 ? sizedRecordLength - 2 : 0, '\0');
        for (int i = 0; i < 7; ++i) file += emptyBlock();
        file += be32(static_cast<std::uint32_t>(file.size() + 4));  // the rest follows at once
        file += be32(0);
        file += std::string(static_cast<std::size_t>(family.skipBeforeGlobals), '\0');
        file += std::string(28, '\0');
        file += emptyBlock();
        file += (patternList.empty() ? emptyBlock() : block(patternList)) +
                (colorTable.empty() ? emptyBlock() : block(colorTable)) + emptyBlock();
        file += std::string(static_cast<std::size_t>(family.docInfoSize + 8), '\0');
        if (headerCopies > 1) {
            file += std::string(static_cast<std::size_t>((headerCopies - 1) * family.docInfoCopySize), '\0');
        }
        file += be16(static_cast<std::uint16_t>(zones.size() + 1));
        for (const std::string& zone : zones) file += zone;
        file += extras.empty() ? emptyBlock() : block(extras);
        return file + sections + ending;
    }

    std::string documentRecord() const {
        if (!family.hasSizedRecord) {
            std::string record(324, '\0');
            put16(record, 0, static_cast<std::uint16_t>(headerCopies));
            record[248] = static_cast<char>(kind);
            return record;
        }
        std::string head(76, '\0');
        put16(head, 0, static_cast<std::uint16_t>(headerCopies));
        std::string tail(242, '\0');
        tail[178] = static_cast<char>(kind);
        return head + block(variablePiece) + tail;
    }
};

// A colour-table block with the given 8-bit colours.
inline std::string colorTableBlock(const std::vector<std::uint32_t>& colors, std::uint16_t claimedCount) {
    std::string table(16, '\0');
    put16(table, 0, claimedCount);
    for (const std::uint32_t rgb : colors) {
        std::string entry(16, '\0');
        for (int c = 0; c < 3; ++c) put16(entry, static_cast<std::size_t>(2 * c), static_cast<std::uint16_t>(((rgb >> (16 - 8 * c)) & 0xFF) * 257));
        table += entry;
    }
    return table;
}

}  // namespace awfixture
