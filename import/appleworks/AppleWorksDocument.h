#pragma once
// One AppleWorks 5 or 6 file in memory for the time of one import, and the walkers' way into it.
//
//   document record   recordField(), documentKind(), record()
//   document blocks   leadingBlock(i), globalsRecord(), docInfo(), docInfoTail(), sizedRecord() (version 6)
//   zones             zoneCount(), zoneAt(number) (1-based; the numbers the file's records use)
//   text              textBlockAt(zone, index): the indexed text blocks of a text zone
//   styles            styleBlock() (the "STYL" root), styleTable(slot), fontNames()
//   fonts             fontMapEntry(fileFontNumber): the document font a run's font number stands for
//   colours           colorCount(), colorAt(index): the file's table or the default 256 colours
//   patterns          patternAt(index): the document's own fill patterns, when it has any
//   any block         block(handle): every slot of every block names its child by a handle
//
// Blocks keep their file layout (big-endian fields, sizes as in the file); read fields through BlockView,
// whose accessors check every offset. The document is read-only once loaded.
//
// Loading raises CFail (unit "BL_AppleWorks(imp)"): -120 for a file that is not of the family or is
// damaged, 12 for lack of memory, the file layer's code when the file cannot be read. What was read before
// a failure is freed with the document.
#include <cstdint>
#include <vector>

#include "foundation/RGBColor.h"
#include "import/appleworks/file/AppleWorksContents.h"
#include "import/appleworks/file/AppleWorksFamily.h"
#include "import/appleworks/file/BlockTable.h"
#include "import/appleworks/file/ZoneReader.h"

class CFile;
struct XParamBlock;

namespace appleworks {

// Text encoding of a symbol font: each byte stands for the unit 0xF000 + byte.
constexpr std::int32_t kSymbolTextEncoding = 34;
constexpr std::int32_t kDefaultColorCount = 256;

// Where one entry of the file's font list went in the conversion's font table.
struct AWFontMapEntry {
    std::int16_t docFontId;     // the font's unique id in the parameter block's table
    std::int16_t fileFontId;    // the font list entry's second value, as in the file
    std::int32_t textEncoding;  // Mac text-encoding code of the font's characters
};

// A rectangle of the document record, in points.
struct AppleWorksRect {
    std::int16_t top;
    std::int16_t left;
    std::int16_t bottom;
    std::int16_t right;
};

class AppleWorksDocument {
public:
    // paramBlock receives the document's fonts; it may be null (then no font map is built).
    AppleWorksDocument(const AppleWorksFamily& fileFamily, XParamBlock* paramBlock);

    // Reads the whole file (opened read-only by the caller) and loads it.
    void loadAppleWorksDocument(CFile& file);
    // Loads a file held in memory; then builds the font map and supplies the default colours.
    void loadFromBytes(const std::uint8_t* bytes, std::int32_t length);

    const AppleWorksFamily& family() const { return fileFamily; }
    BlockView block(BlockHandle handle) const { return contents.blocks.view(handle); }

    BlockView record() const { return block(contents.record); }
    // The record offset of a field known by its version-5 offset (version 6 fields past its variable
    // piece lie 4 bytes further on).
    std::int32_t recordOffset(std::int32_t version5Offset) const;
    std::uint8_t documentKind() const { return record().u8(fileFamily.recordKindOffset); }
    AppleWorksRect recordRect(std::int32_t offset) const;

    BlockView sizedRecord() const { return block(contents.sizedRecord); }
    BlockView leadingBlock(std::int32_t index) const;
    BlockView globalsRecord() const { return block(contents.globalsRecord); }
    BlockView docInfo() const { return block(contents.docInfo); }
    BlockView docInfoTail() const { return block(contents.docInfoTail); }
    BlockView zoneExtras() const { return block(contents.zoneExtras); }
    BlockView hdni() const { return block(contents.hdni); }
    BlockView wmbt() const { return block(contents.wmbt); }

    std::uint16_t zoneCount() const { return static_cast<std::uint16_t>(contents.zones.size()); }
    // The zone of a 1-based zone number; the empty view for 0, a number past the zones, or a position
    // that holds no zone.
    BlockView zoneAt(std::uint16_t number) const;
    // The kind byte of a zone, or -1 where there is no zone.
    std::int32_t zoneKind(std::uint16_t number) const;
    // The index-th text block of a text zone; zeros when the zone is not a text zone or the index is not
    // below its count of blocks.
    TextBlockEntry textBlockAt(const BlockView& zone, std::uint16_t index) const;

    BlockView styleBlock() const { return block(contents.styleRoot); }
    // The list block in a slot of the style root; empty without a style section.
    BlockView styleTable(std::int32_t slot) const;
    BlockView fontNames() const { return styleTable(22); }
    std::int32_t fontNameCount() const;

    // Entry k (1-based) belongs to entry k - 1 of the file's font list: walkers look a run's font up by
    // its font number + 1. Null outside the map.
    const AWFontMapEntry* fontMapEntry(std::int32_t number) const;
    std::int32_t fontMapCount() const { return static_cast<std::int32_t>(fontMap.size()); }

    // Entries that the colour table both claims and holds.
    std::int32_t colorCount() const;
    // Colour index i when it is below the count; false otherwise (the walkers take their default).
    bool colorAt(std::int32_t index, RGBColor& color) const;
    bool hasDefaultColors() const { return contents.colorTableIsDefault; }

    // Pattern i (0-based) of the document's own fill patterns when the list holds it; false otherwise.
    bool patternAt(std::int32_t index, std::uint8_t (&pattern)[8]) const;

private:
    void buildFontMap();
    void supplyDefaultColors();

    const AppleWorksFamily& fileFamily;
    XParamBlock* block_;
    AppleWorksContents contents;
    std::vector<AWFontMapEntry> fontMap;
};

// Whether a length-prefixed name (length byte, then the bytes) is one of the symbol fonts, whose
// characters map to 0xF000 + byte; exact bytes, case counting.
bool isSymbolFontName(const std::uint8_t* name, std::int32_t length);

}  // namespace appleworks
