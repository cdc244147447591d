#include "import/appleworks/AppleWorksDocument.h"

#include <climits>
#include <cstring>
#include <new>

#include "foundation/CFail.h"
#include "foundation/encoding/CharsetText.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "import/appleworks/DefaultColors.h"
#include "import/appleworks/file/AppleWorksFileReader.h"
#include "import/appleworks/file/SectionReader.h"
#include "model/params/ParamBlockTables.h"
#include "model/tables/XFont.h"

namespace appleworks {
namespace {

constexpr std::int32_t kColorHeadSize = 16;
constexpr std::int32_t kColorEntrySize = 16;
constexpr std::int32_t kPatternHeadSize = 16;
constexpr std::int32_t kPatternSize = 8;
constexpr std::int32_t kFontNumberScriptBase = 0x3E00;
constexpr std::int32_t kFontNumberWithScript = 0x4000;
constexpr std::int32_t kFontNameLengthOffset = 4;
constexpr std::int32_t kFontNameMaxLength = 63;
constexpr std::int32_t kTextBlockLengthOffset = 4;
constexpr std::int32_t kTextBlockSlotOffset = 6;

// Text encoding from the font number: numbers from 0x4000 carry the Mac script in their high bits.
std::int32_t encodingOfFontNumber(std::int16_t number) {
    if (number < kFontNumberWithScript) return 0;
    return (number - kFontNumberScriptBase) >> 9;
}

// The charset layer may raise std::bad_alloc; here lack of memory is CFail 12 like everywhere else.
std::int32_t macRomanToUtf8(const std::uint8_t* name, std::int32_t length, char* output, std::int32_t capacity) {
    try {
        return convertCharset("UTF-8", "MACINTOSH", name, length, output, capacity);
    } catch (const std::bad_alloc&) {
        throwFail(result::kOutOfMemory, __LINE__, kUnit);
    }
}

}  // namespace

AppleWorksDocument::AppleWorksDocument(const AppleWorksFamily& family, XParamBlock* paramBlock)
    : fileFamily(family), block_(paramBlock) {}

void AppleWorksDocument::loadAppleWorksDocument(CFile& file) {
    std::uint32_t size = 0;
    throwIfError(file.getSize(size), __LINE__, kUnit);
    if (size >= static_cast<std::uint32_t>(INT_MAX)) throwFail(kBadFile, __LINE__, kUnit);
    std::uint8_t* bytes = static_cast<std::uint8_t*>(allocMemory(static_cast<std::int32_t>(size)));
    throwIfNull(bytes, __LINE__, kUnit);
    try {
        if (size > 0) {
            const std::int16_t read = file.read(bytes, static_cast<std::int32_t>(size), kFromStart, 0);
            // A file that shrank under us is a short read like any other.
            throwIfError(read == 38 ? kBadFile : read, __LINE__, kUnit);
        }
        loadFromBytes(bytes, static_cast<std::int32_t>(size));
    } catch (...) {
        freeMemory(bytes);
        throw;
    }
    freeMemory(bytes);
}

void AppleWorksDocument::loadFromBytes(const std::uint8_t* bytes, std::int32_t length) {
    AppleWorksFileReader(fileFamily, bytes, length).readDocument(contents);
    buildFontMap();
    supplyDefaultColors();
}

std::int32_t AppleWorksDocument::recordOffset(std::int32_t version5Offset) const {
    return version5Offset >= record::kVariablePieceSlot ? version5Offset + fileFamily.recordTailShift : version5Offset;
}

AppleWorksRect AppleWorksDocument::recordRect(std::int32_t offset) const {
    const BlockView view = record();
    return {view.i16(offset), view.i16(offset + 2), view.i16(offset + 4), view.i16(offset + 6)};
}

BlockView AppleWorksDocument::leadingBlock(std::int32_t index) const {
    if (index < 0 || index >= kLeadingBlockCount) return {};
    return block(contents.leading[index]);
}

BlockView AppleWorksDocument::zoneAt(std::uint16_t number) const {
    if (number == 0 || number > contents.zones.size()) return {};
    return block(contents.zones[number - 1]);
}

std::int32_t AppleWorksDocument::zoneKind(std::uint16_t number) const {
    const BlockView zone = zoneAt(number);
    if (!zone.holds(zone::kKind, 1)) return -1;
    return zone.u8(zone::kKind);
}

TextBlockEntry AppleWorksDocument::textBlockAt(const BlockView& zone, std::uint16_t index) const {
    if (!zone.holds(zone::kTextBlocks, 4) || zone.u8(zone::kKind) != zonekind::kText) return {};
    if (index >= zone.u16(zone::kTextBlockCount)) return {};
    const BlockView entries = block(zone.slot(zone::kTextBlocks));
    const std::int32_t at = index * zone::kTextBlockEntrySize;
    if (!entries.holds(at, zone::kTextBlockEntrySize)) return {};
    return {entries.i32(at), entries.i16(at + kTextBlockLengthOffset), entries.slot(at + kTextBlockSlotOffset)};
}

BlockView AppleWorksDocument::styleTable(std::int32_t slot) const {
    const BlockView root = styleBlock();
    if (!root.holds(slot, 4)) return {};
    return block(root.slot(slot));
}

std::int32_t AppleWorksDocument::fontNameCount() const {
    const BlockView names = fontNames();
    if (names.empty()) return 0;
    return names.entriesThatFit(names.u16(0), style::kFontNameEntriesStart, style::kFontNameEntrySize);
}

const AWFontMapEntry* AppleWorksDocument::fontMapEntry(std::int32_t number) const {
    if (number < 1 || number > fontMapCount()) return nullptr;
    return &fontMap[static_cast<std::size_t>(number - 1)];
}

std::int32_t AppleWorksDocument::colorCount() const {
    const BlockView table = block(contents.colorTable);
    if (table.empty() || !table.holds(0, 2)) return 0;
    return table.entriesThatFit(table.u16(0), kColorHeadSize, kColorEntrySize);
}

bool AppleWorksDocument::colorAt(std::int32_t index, RGBColor& color) const {
    if (index < 0 || index >= colorCount()) return false;
    const BlockView table = block(contents.colorTable);
    const std::int32_t at = kColorHeadSize + index * kColorEntrySize;
    color = {table.u16(at), table.u16(at + 2), table.u16(at + 4)};
    return true;
}

bool AppleWorksDocument::patternAt(std::int32_t index, std::uint8_t (&pattern)[8]) const {
    const BlockView list = block(contents.patternList);
    if (index < 0 || list.empty() || !list.holds(0, 2)) return false;
    if (index >= list.entriesThatFit(list.u16(0), kPatternHeadSize, kPatternSize)) return false;
    std::memcpy(pattern, list.bytes(kPatternHeadSize + index * kPatternSize, kPatternSize), kPatternSize);
    return true;
}

void AppleWorksDocument::buildFontMap() {
    if (block_ == nullptr) return;
    const BlockView names = fontNames();
    const std::int32_t count = fontNameCount();
    try {
        fontMap.reserve(static_cast<std::size_t>(count));
    } catch (const std::bad_alloc&) {
        throwFail(result::kOutOfMemory, __LINE__, kUnit);
    }
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t at = style::kFontNameEntriesStart + i * style::kFontNameEntrySize;
        const std::int16_t number = names.i16(at);
        std::int32_t length = names.u8(at + kFontNameLengthOffset);
        if (length > kFontNameMaxLength) length = kFontNameMaxLength;
        const std::uint8_t* name = names.bytes(at + kFontNameLengthOffset + 1, length);

        XFont font{};
        // Font names are Mac Roman in the file; the font table keeps UTF-8.
        font.fontPCName[macRomanToUtf8(name, length, font.fontPCName, kFontNameBytes - 1)] = 0;
        font.fontRTFNumber = static_cast<std::int16_t>(i);
        const std::int16_t id = addFontRecord(&font, block_);
        const std::int32_t encoding = isSymbolFontName(name, length) ? kSymbolTextEncoding : encodingOfFontNumber(number);
        fontMap.push_back({id, names.i16(at + 2), encoding});
    }
}

// Without a colour table of its own a document uses the 256 standard colours.
void AppleWorksDocument::supplyDefaultColors() {
    if (contents.colorTable != kNoBlock) return;
    const std::int32_t size = kColorHeadSize + kDefaultColorCount * kColorEntrySize;
    try {
        contents.colorTable = contents.blocks.add(size);
    } catch (const CFail&) {
        return;  // the walkers then use their default colour
    }
    contents.colorTableIsDefault = true;
    contents.blocks.setU16(contents.colorTable, 0, kDefaultColorCount);
    for (std::int32_t i = 0; i < kDefaultColorCount; ++i) {
        const std::uint32_t rgb = defaultColorRgb(i);
        const std::int32_t at = kColorHeadSize + i * kColorEntrySize;
        for (std::int32_t channel = 0; channel < 3; ++channel) {
            const std::uint8_t value = static_cast<std::uint8_t>(rgb >> (16 - 8 * channel));
            contents.blocks.setU16(contents.colorTable, at + 2 * channel, static_cast<std::uint16_t>(value * 257));
        }
    }
}

bool isSymbolFontName(const std::uint8_t* name, std::int32_t length) {
    static constexpr const char* kSymbolFonts[] = {"Symbol",        "Webdings",      "Wingdings",
                                                   "Bodoni Ornaments ITC TT", "Monotype Sorts", "Zapf Dingbats",
                                                   "Sucariot",      "Hoefler Text Ornaments"};
    for (const char* symbol : kSymbolFonts) {
        if (static_cast<std::int32_t>(std::strlen(symbol)) == length && std::memcmp(symbol, name, length) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace appleworks
