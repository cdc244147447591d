// The AppleWorks files of the shared corpus, written by the real programs, load whole: header, document
// record, zones, sections, style tables and end marker. The facts checked are read off the files' bytes
// by hand (hex dumps), not by our reader.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "import/appleworks/AppleWorksDocument.h"
#include "import/appleworks/file/PageRecords.h"
#include "import/appleworks/file/SectionReader.h"
#include "import/appleworks/file/AppleWorksFileReader.h"
#include "model/params/ParamBlockTables.h"
#include "model/tables/XFont.h"
#include "model/params/XParamBlock.h"
#include "tests/import/appleworks/AppleWorksTestSupport.h"
#include "tests/support/FileBytes.h"

using namespace appleworks;
using awfixture::ParamBlock;
using awfixture::bytesOf;

namespace {

std::string corpusFolder() {
    // The worktree sits beside the shared folder: <worktree>/tests/data/import -> <worktree>/../shared.
    return std::string(VDK_TEST_DATA_DIR) + "/../../../../shared/corpus/cwk/";
}

std::string corpusBytes(const std::string& name) {
    return testsupport::readBytes(corpusFolder() + name);
}

// The text of a text zone's blocks, bytes as stored.
std::string zoneText(const AppleWorksDocument& document, const BlockView& zone) {
    std::string text;
    for (std::uint16_t i = 0;; ++i) {
        const TextBlockEntry entry = document.textBlockAt(zone, i);
        if (entry.text == kNoBlock) break;
        const BlockView data = document.block(entry.text);
        text.append(reinterpret_cast<const char*>(data.bytes(0, data.size())), static_cast<std::size_t>(data.size()));
    }
    return text;
}

struct CorpusCase {
    const char* name;
    const AppleWorksFamily* family;
    std::uint8_t kind;        // the document-kind byte, read from the hex dump
    std::int32_t kindOffset;  // its file offset
    const char* fonts;        // the font names of the style section, in file order
    const char* textWords;    // words of the main text, or null
};

// Version 5 keeps the kind byte at file offset 20 + 248; version 6 at 100 + the length of the block at
// offset 96 (0 in these files) + 178.
const CorpusCase kCorpus[] = {
    {"test_files__brownfox_5.0v1_win.cwk", &kAppleWorks5, 1, 268, "Arial;Arial;", "The quick brown fox jumped over the lazy dog."},
    {"test_files__brownfox_B-5.0.3_os9.cwk", &kAppleWorks5, 1, 268, "Helvetica;Geneva;", "The quick brown fox jumped over the lazy dog"},
    {"test_files__brownfoxstyle_5.0v1_win.cwk", &kAppleWorks5, 1, 268, "Arial;Arial;Arial;Times New Roman;", "brown fox jumped"},
    {"test_files__lorem_5.0v1_win.cwk", &kAppleWorks5, 1, 268, "Arial;Arial;", "Lorem ipsum"},
    {"test_files__sheet_B-5.0.3_os9.cwk", &kAppleWorks5, 2, 268, "Helvetica;Geneva;", nullptr},
    {"test_files__brownfox_6.2.9_osx.cwk", &kAppleWorks6, 1, 278, "Helvetica;Geneva;", "The quick brown fox jumped over the lazy dog."},
    {"test_files__brownfox_indent_6.2.9_osx.cwk", &kAppleWorks6, 1, 278, "Helvetica;Geneva;", "brown fox jumped"},
    {"test_files__brownfoxstyle_6.2.9_osx.cwk", &kAppleWorks6, 1, 278, "Helvetica;Geneva;Times;", "brown fox jumped"},
    {"test_files__blank_6.2.9_osx.cwk", &kAppleWorks6, 1, 278, "Helvetica;Geneva;", nullptr},
    {"test_files__blank_drawing_6.2.9_osx.cwk", &kAppleWorks6, 0, 278, "Helvetica;Geneva;", nullptr},
    {"test_files__alice_6.2.9_osx.cwk", &kAppleWorks6, 1, 278, "Helvetica;Geneva;Lucida Grande;Times;", "Alice was beginning to get very tired"},
    {"test_files__loremstyle_6.2.9_osx.cwk", &kAppleWorks6, 1, 278, "Helvetica;Geneva;Times New Roman;", "Lorem ipsum"},
};

const AppleWorksFamily& otherFamily(const AppleWorksFamily& family) {
    return family.version == 5 ? kAppleWorks6 : kAppleWorks5;
}

TEST(AppleWorksCorpus, RealFilesLoadWithTheirKindFontsAndText) {
    bool any = false;
    for (const CorpusCase& c : kCorpus) {
        SCOPED_TRACE(c.name);
        const std::string bytes = corpusBytes(c.name);
        if (bytes.empty()) continue;
        any = true;
        ASSERT_EQ(static_cast<std::uint8_t>(bytes[0]), c.family->version);
        ASSERT_EQ(static_cast<std::uint8_t>(bytes[static_cast<std::size_t>(c.kindOffset)]), c.kind);
        const std::int32_t length = static_cast<std::int32_t>(bytes.size());

        EXPECT_EQ(AppleWorksFileReader(*c.family, bytesOf(bytes), length).readDocumentKind(), c.kind);
        EXPECT_EQ(AppleWorksFileReader(otherFamily(*c.family), bytesOf(bytes), length).readDocumentKind(), -1);

        ParamBlock block;
        AppleWorksDocument document(*c.family, &block.block);
        try {
            document.loadFromBytes(bytesOf(bytes), length);
        } catch (const CFail& failure) {
            ADD_FAILURE() << "load failed with " << failure.error << " at line " << failure.line;
            continue;
        }
        EXPECT_EQ(document.documentKind(), c.kind);
        ASSERT_NE(document.styleBlock().size(), 0);

        std::string text;
        for (std::uint16_t z = 1; z <= document.zoneCount(); ++z) {
            if (document.zoneKind(z) == zonekind::kText) text += zoneText(document, document.zoneAt(z));
        }
        if (c.textWords != nullptr) {
            EXPECT_NE(text.find(c.textWords), std::string::npos) << text.substr(0, 200);
        }

        std::string fonts;
        for (std::int32_t f = 1; f <= document.fontMapCount(); ++f) {
            const XFont* font = getFont(document.fontMapEntry(f)->docFontId, &block.block);
            ASSERT_NE(font, nullptr);
            fonts += std::string(font->fontPCName) + ";";
        }
        EXPECT_EQ(fonts, c.fonts);

        RGBColor white{};
        ASSERT_TRUE(document.colorAt(0, white));
        EXPECT_EQ(white.red, 0xFFFF);
        EXPECT_EQ(white.blue, 0xFFFF);
    }
    if (!any) GTEST_SKIP() << "the shared corpus is not at " << corpusFolder();
}

// Each text zone keeps one 30-byte record per page from offset 54 of its data: the first page starts at 0,
// each later one further on, all within the text. The long sample has 62 pages; every other one fits on one.
TEST(AppleWorksCorpus, PageRecordsGiveWhereEachPageStarts) {
    bool any = false;
    for (const CorpusCase& c : kCorpus) {
        if (c.kind != 1) continue;
        SCOPED_TRACE(c.name);
        const std::string bytes = corpusBytes(c.name);
        if (bytes.empty()) continue;
        any = true;
        AppleWorksDocument document(*c.family, nullptr);
        document.loadFromBytes(bytesOf(bytes), static_cast<std::int32_t>(bytes.size()));
        const BlockView main = document.zoneAt(1);
        const std::int32_t pages = pageRecordCount(main);
        EXPECT_EQ(pages, std::string(c.name).find("alice") != std::string::npos ? 62 : 1);
        EXPECT_EQ(pageStartPosition(main, 0), 0);
        for (std::int32_t page = 1; page < pages; ++page) {
            EXPECT_GT(pageStartPosition(main, page), pageStartPosition(main, page - 1));
            EXPECT_LT(pageStartPosition(main, page), main.i32(zone::kTextLength));
        }
    }
    if (!any) GTEST_SKIP() << "the shared corpus is not at " << corpusFolder();
}

// The graphic styles of the samples (style table 3, 28-byte records) keep a pen width of one point
// (256/256) at 10, the line colour (black, 1) and the fill colour (white, 0) at 12 and 13, and a solid
// line pattern (2) at 14 before the fill pattern at 16: the layout the table borders and fills are read by.
// The text frame's style defines its fill pattern alone (group 4 of its defined mask): none (1).
TEST(AppleWorksCorpus, GraphicStylesHoldPenWidthColoursAndPatterns) {
    const std::string bytes = corpusBytes("test_files__loremstyle_6.2.9_osx.cwk");
    if (bytes.empty()) GTEST_SKIP() << "the shared corpus is not at " << corpusFolder();
    AppleWorksDocument document(kAppleWorks6, nullptr);
    document.loadFromBytes(bytesOf(bytes), static_cast<std::int32_t>(bytes.size()));
    const BlockView graphics = document.styleTable(style::kTable3);
    ASSERT_EQ(graphics.u16(0), 4);
    for (std::int32_t i = 0; i < 3; ++i) {
        const std::int32_t at = style::kTableEntriesStart + i * 28;
        EXPECT_EQ(graphics.i16(at + 10), 256);
        EXPECT_EQ(graphics.u8(at + 12), 1);
        EXPECT_EQ(graphics.u8(at + 13), 0);
        EXPECT_EQ(graphics.i16(at + 14), 2);
        EXPECT_EQ(graphics.i16(at + 16), i == 2 ? 1 : 2);
    }
    EXPECT_EQ(graphics.u16(style::kTableEntriesStart + 2 * 28 + 6), 1u << 4);
}

// A ClarisWorks 4 file (version byte 4) is neither family's: identification answers -1 and a load fails.
TEST(AppleWorksCorpus, ClarisWorks4FileIsRefusedByBothFamilies) {
    const std::string bytes = corpusBytes("test_files__brownfoxstyle_4.0_6.2.9_osx.cwk");
    if (bytes.empty()) GTEST_SKIP() << "the shared corpus is not at " << corpusFolder();
    ASSERT_EQ(bytes[0], 4);
    ASSERT_EQ(bytes.substr(4, 4), "BOBO");
    for (const AppleWorksFamily* family : {&kAppleWorks5, &kAppleWorks6}) {
        const std::int32_t length = static_cast<std::int32_t>(bytes.size());
        EXPECT_EQ(AppleWorksFileReader(*family, bytesOf(bytes), length).readDocumentKind(), -1);
        AppleWorksDocument document(*family, nullptr);
        try {
            document.loadFromBytes(bytesOf(bytes), length);
            ADD_FAILURE() << "a version-4 file loaded";
        } catch (const CFail& failure) {
            EXPECT_EQ(failure.error, kBadFile);
        }
    }
}

}  // namespace
