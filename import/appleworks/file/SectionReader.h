#pragma once
// What follows the zones of an AppleWorks file: the per-zone extras, the tagged sections (the style
// section "STYL" among them) and the 16-byte end marker that closes every file of both families.
#include <cstdint>

#include "import/appleworks/file/AppleWorksContents.h"
#include "import/appleworks/file/BlockReader.h"

namespace appleworks {

// Offsets within the style root (the block of the "STYL" section).
namespace style {
constexpr std::int32_t kRecordCount = 0;
constexpr std::int32_t kHeadOnlyList = 16;
constexpr std::int32_t kFontNames = 22;
constexpr std::int32_t kSecondHeadOnlyList = 26;
constexpr std::int32_t kTable1 = 30;
constexpr std::int32_t kTable2 = 34;
constexpr std::int32_t kTable3 = 38;
constexpr std::int32_t kTable4 = 42;  // 108-byte property records
constexpr std::int32_t kTable5 = 46;  // version 6
constexpr std::int32_t kTableEntriesStart = 22;
constexpr std::int32_t kTableInnerList = 16;
constexpr std::int32_t kFontNameEntriesStart = 16;
constexpr std::int32_t kFontNameEntrySize = 68;
constexpr std::int32_t kPerEntrySlotsStart = 52;
}  // namespace style

// The end marker FF FE FD FC FB FA F9 F8 F0 F1 F2 F3 F4 F5 F6 F7, as four big-endian words.
constexpr std::uint32_t kEndMarker[4] = {0xFFFEFDFCu, 0xFBFAF9F8u, 0xF0F1F2F3u, 0xF4F5F6F7u};

class SectionReader {
public:
    SectionReader(BlockReader& blockReader, AppleWorksContents& fileContents)
        : reader(blockReader), contents(fileContents) {}

    void readZoneExtras();
    // Reads one tagged section; false after the last one.
    bool readSection();
    // Reads the 16-byte end marker; true when it stands there (see the .cpp for its last word).
    bool checkEndMarker();

private:
    void readStyleSection();
    BlockHandle readStyleTable(BlockHandle root, std::int32_t slot);
    void readPerEntryBlocks(BlockHandle list);

    BlockReader& reader;
    AppleWorksContents& contents;
};

}  // namespace appleworks
