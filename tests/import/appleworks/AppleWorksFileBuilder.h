#pragma once
// Small AppleWorks files of our own for the reader's tests and the fuzz seeds: a valid file of either
// family, big-endian, with the parts a test needs (zones, a style section with fonts, a colour table),
// and helpers to damage it in chosen places.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "import/appleworks/file/AppleWorksFamily.h"

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

// A text zone with the parts a walk reads: paragraph runs (start, ruler style), anchor and note entries
// (position, type, the zone they name), sections (whole 78-byte entries) and the text position at which
// each page starts.
struct TextZoneParts {
    std::string text;
    std::vector<std::pair<std::int32_t, std::int16_t>> paragraphRuns;
    struct Entry {
        std::int32_t position;
        std::uint16_t type;
        std::uint32_t zone;
    };
    std::vector<Entry> entries;
    std::vector<std::string> sections;
    std::vector<std::int32_t> pageStarts;
};

inline std::string textZone(const appleworks::AppleWorksFamily& family, const TextZoneParts& parts) {
    std::string data(std::max<std::size_t>(78, 54 + 30 * parts.pageStarts.size()), '\0');
    data[12] = 1;
    put16(data, 0, static_cast<std::uint16_t>(parts.pageStarts.size()));
    for (std::size_t p = 0; p < parts.pageStarts.size(); ++p) {
        put32(data, 54 + 30 * p, static_cast<std::uint32_t>(parts.pageStarts[p]));
    }
    put32(data, 20, static_cast<std::uint32_t>(parts.text.size()));
    put16(data, 24, 1);
    put16(data, 26, static_cast<std::uint16_t>(parts.paragraphRuns.size()));
    put16(data, 30, static_cast<std::uint16_t>(parts.entries.size()));
    std::string runs;
    for (const auto& [start, ruler] : parts.paragraphRuns) {
        std::string run(8, '\0');
        put32(run, 0, static_cast<std::uint32_t>(start));
        put16(run, 4, static_cast<std::uint16_t>(ruler));
        runs += run;
    }
    std::string entries;
    for (const TextZoneParts::Entry& entry : parts.entries) {
        std::string bytes(static_cast<std::size_t>(family.variableEntrySize), '\0');
        put32(bytes, 0, static_cast<std::uint32_t>(entry.position));
        put16(bytes, 4, entry.type);
        put32(bytes, 6, entry.zone);
        entries += bytes;
    }
    std::string sections;
    if (!parts.sections.empty()) {
        sections = std::string(12, '\0');
        put16(sections, 0, static_cast<std::uint16_t>(parts.sections.size()));
        for (const std::string& section : parts.sections) sections += section;
    }
    std::string blocks(10, '\0');
    put16(blocks, 4, static_cast<std::uint16_t>(parts.text.size()));
    return be32(0x44534554u) + block(data) + block(runs) + emptyBlock() + block(entries) + block(blocks) +
           block(parts.text) + block(sections);
}

// A 78-byte section entry starting at a text position, with one column of the given width.
inline std::string sectionEntry(std::int32_t start, std::int16_t columns, std::int16_t firstPage) {
    std::string entry(78, '\0');
    put32(entry, 0, static_cast<std::uint32_t>(start));
    put16(entry, 12, static_cast<std::uint16_t>(columns));
    put16(entry, 54, static_cast<std::uint16_t>(firstPage));
    return entry;
}

// A drawing zone: each object is its 46-byte record and the blocks its type reads after the zone.
struct DrawObject {
    std::string record;
    std::string blocks;
};
inline std::string drawingZone(const appleworks::AppleWorksFamily& family, const std::vector<DrawObject>& objects) {
    std::string data(84, '\0');
    put16(data, 0, static_cast<std::uint16_t>(objects.size()));
    std::string after = block(std::string(16, '\0'));  // the object list, without entries
    for (const DrawObject& object : objects) {
        data += object.record;
        if (family.objectsCarryText) data += be32(0);
        after += object.blocks;
        if (family.skipsBlockAfterObject) after += emptyBlock();
    }
    return be32(0x44534554u) + block(data) + after;
}

// A picture object (type 8) with the picture's bytes; bounds in points.
inline DrawObject pictureObject(const std::string& picture, std::int32_t top, std::int32_t left, std::int32_t bottom,
                                std::int32_t right) {
    std::string record(46, '\0');
    record[0] = 8;
    put32(record, 4, static_cast<std::uint32_t>(top));
    put32(record, 8, static_cast<std::uint32_t>(left));
    put32(record, 12, static_cast<std::uint32_t>(bottom));
    put32(record, 16, static_cast<std::uint32_t>(right));
    return {record, block(picture) + emptyBlock()};
}

// A version-5 style section in which style n uses the 108-byte ruler record n, given whole.
inline std::string rulerStyleSection(const std::vector<std::string>& rulers) {
    const appleworks::AppleWorksFamily& family = appleworks::kAppleWorks5;
    std::string root(static_cast<std::size_t>(family.styleRecordsOffset), '\0');
    put16(root, 0, static_cast<std::uint16_t>(rulers.size()));
    std::string table(22, '\0');
    put16(table, 0, static_cast<std::uint16_t>(rulers.size()));
    std::string map(16, '\0');
    put16(map, 0, static_cast<std::uint16_t>(rulers.size()));
    for (std::size_t i = 0; i < rulers.size(); ++i) {
        std::string entry(28, '\0');
        put16(entry, 14, 0xFFFF);  // no base styles
        put16(entry, 16, 0xFFFF);
        put16(entry, 24, static_cast<std::uint16_t>(i));
        root += entry;
        table += rulers[i];
        map += be16(static_cast<std::uint16_t>(i));
    }
    std::string section = be32(0x5354594Cu) + std::string(8, '\0') + block(root);
    section += emptyBlock() + emptyBlock() + emptyBlock() + emptyBlock();  // head-only list, tables 1 to 3
    section += block(table) + emptyBlock() + block(map);
    for (int i = 0; i < 3 + 3; ++i) section += emptyBlock();
    return section;
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
    // Values of the document record, by their offsets in the record as the reader keeps it.
    std::vector<std::pair<std::int32_t, std::uint16_t>> recordFields;

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
            for (const auto& [offset, value] : recordFields) put16(record, static_cast<std::size_t>(offset), value);
            return record;
        }
        std::string head(76, '\0');
        put16(head, 0, static_cast<std::uint16_t>(headerCopies));
        std::string tail(242, '\0');
        tail[178] = static_cast<char>(kind);
        // In memory the variable piece keeps a 4-byte slot between the two.
        for (const auto& [offset, value] : recordFields) {
            if (offset < 76) put16(head, static_cast<std::size_t>(offset), value);
            if (offset >= 80) put16(tail, static_cast<std::size_t>(offset - 80), value);
        }
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
