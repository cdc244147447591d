#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/FieldMask.h"
#include "foundation/files/AppFolders.h"
#include "foundation/files/CFile.h"
#include "model/dumps/ParamBlockDump.h"
#include "model/dumps/RecordDumps.h"
#include "model/records/ChangeMask.h"
#include "model/records/RecordTables.h"
#include "platform/files/Folders.h"
#include "platform/process/AllocationFailure.h"
#include "tests/model/records/RecordWalk.h"
#include "tests/support/TemporaryFolder.h"

namespace {

namespace fs = std::filesystem;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What a dump writes into a fresh file.
std::string dumpToText(const std::function<void(CFile&)>& dump) {
    testsupport::TemporaryFolder folder;
    CFile file(makePascal(u"dump.txt"), makePascal(std::u16string(folder.path().begin(), folder.path().end())),
               kAnyFileCode, kAnyFileCode, 1, 0, kGenericRead | kGenericWrite, kGenericRead | kGenericWrite);
    EXPECT_EQ(file.create(1), 0);
    EXPECT_EQ(file.open(), 0);
    dump(file);
    file.close();
    return readFile(folder.file("dump.txt"));
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// Compares a dump with its golden file in tests/data/model; VDK_UPDATE_GOLDEN=1 rewrites the golden file
// instead (and the test then fails, so that a rewrite is never taken for a pass).
void expectGolden(const std::string& name, const std::string& actual) {
    const std::string path = std::string(VDK_TEST_DATA_DIR) + "/" + name;
    const char* update = std::getenv("VDK_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << actual;
        ADD_FAILURE() << "rewrote " << path << "; run again without VDK_UPDATE_GOLDEN";
        return;
    }
    ASSERT_TRUE(fs::exists(path)) << path << " is missing; create it with VDK_UPDATE_GOLDEN=1";
    const std::vector<std::string> expected = linesOf(readFile(path));
    const std::vector<std::string> got = linesOf(actual);
    for (std::size_t i = 0; i < std::max(expected.size(), got.size()); ++i) {
        const std::string want = i < expected.size() ? expected[i] : "<end>";
        const std::string have = i < got.size() ? got[i] : "<end>";
        ASSERT_EQ(have, want) << name << " differs at line " << i + 1
                              << "; if the change is meant, rerun with VDK_UPDATE_GOLDEN=1 ctest -L model";
    }
}

// Gives every member its own value, counting up in table order, so that a golden dump shows which
// member each line reads. Change masks and pointers are left alone.
class DistinctValues {
public:
    void fill(const RecordTable& table, void* record) {
        for (const FieldSpec& field : table.fields) fillField(field, record);
    }

private:
    std::int32_t next() { return ++counter; }
    RGBColor colour() {
        const auto red = static_cast<std::uint16_t>(next());
        const auto green = static_cast<std::uint16_t>(next());
        return RGBColor{red, green, static_cast<std::uint16_t>(next())};
    }
    template <typename T>
    static void put(unsigned char* at, const T& value) {
        std::memcpy(at, &value, sizeof value);
    }

    void fillField(const FieldSpec& field, void* record) {
        auto* at = static_cast<unsigned char*>(fieldAddress(field, record));
        const std::uint32_t itemSize = field.size / field.itemCount;
        if (field.sub != nullptr) {
            for (std::uint16_t i = 0; i < field.itemCount; ++i) fill(*field.sub, at + i * itemSize);
            return;
        }
        switch (field.letter) {
        case 'd':  // a number, or an array of them (grid edges, column widths and spaces)
            for (std::uint32_t i = 0; i < field.size / 2; ++i) put(at + 2 * i, static_cast<std::int16_t>(next()));
            break;
        case 'l':
        case 'u':
            setIntegerField(field, record, next());
            break;
        case 's':
            for (std::uint16_t i = 0; i < field.itemCount; ++i)
                std::snprintf(reinterpret_cast<char*>(at + i * itemSize), itemSize, "%s%d", field.name, next());
            break;
        case 'C':
            put(at, colour());
            break;
        case 'B':
            put(at, BorderSpec{static_cast<std::int16_t>(next()), static_cast<std::int16_t>(next()), colour(),
                               static_cast<std::int16_t>(next())});
            break;
        case 'S':
            put(at, ShadingSpec{static_cast<std::int16_t>(next()), colour(), colour()});
            break;
        case 'V':
            put(at, RevisionMark{next(), static_cast<std::int16_t>(next()), static_cast<std::int16_t>(next()), next()});
            break;
        case 'W': {  // every kind in turn, 4 being one without a word
            const std::int32_t value = next();
            put(at, WidthSpec{static_cast<std::int16_t>(value % 5), value * 10});
            break;
        }
        case 'H': {
            const std::int32_t value = next();
            put(at, HeightSpec{static_cast<std::int16_t>(value % 4), value * 10});
            break;
        }
        case 'Q':
            put(at, LongRect{next(), next(), next(), next()});
            break;
        default:
            break;
        }
    }

    std::int32_t counter = 0;
};

void setAllBits(std::uint8_t (&mask)[8]) {
    std::memset(mask, 0xFF, sizeof mask);
}

XForm allBitsForm() {
    XForm form;
    initXForm(&form);
    DistinctValues().fill(kXFormTable, &form);
    setAllBits(form.changeBits);
    return form;
}

// Two tab stops, a row of two cells on a grid of three columns.
XRule allBitsRule() {
    XRule rule;
    initXRule(&rule);
    DistinctValues().fill(kXRuleTable, &rule);
    setAllBits(rule.changeBits);
    setChangeMaskNumber(rule.rows.changeBits, 0x8000000000000001ull);  // shows as a negative number
    rule.tabs.tabs = 2;
    rule.rows.rows = 2;
    rule.rows.grid.numOfColumns = 3;
    return rule;
}

XPage allBitsPage() {
    XPage page;
    initXPage(&page, 0);
    DistinctValues().fill(kXPageTable, &page);
    setAllBits(page.changeBits);
    return page;
}

XForm defaultForm() {
    XForm form;
    initXForm(&form);
    return form;
}

XRule defaultRule() {
    XRule rule;
    initXRule(&rule);
    return rule;
}

XPage defaultPage() {
    XPage page;
    initXPage(&page, 0);
    return page;
}

struct GoldenCase {
    const char* file;
    std::function<void(CFile&)> dump;
};

TEST(RecordDumps, MatchTheirGoldenFiles) {
    const GoldenCase cases[] = {
        {"XFormDefault.txt", [](CFile& f) { dumpXForm(defaultForm(), f); }},
        {"XFormAllBits.txt", [](CFile& f) { dumpXForm(allBitsForm(), f); }},
        {"XRuleDefault.txt", [](CFile& f) { dumpXRule(defaultRule(), f); }},
        {"XRuleAllBits.txt", [](CFile& f) { dumpXRule(allBitsRule(), f); }},
        {"XPageDefault.txt", [](CFile& f) { dumpXPage(defaultPage(), f); }},
        {"XPageAllBits.txt", [](CFile& f) { dumpXPage(allBitsPage(), f); }},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.file);
        expectGolden(c.file, dumpToText(c.dump));
    }
}

// The mask prints as the little-endian number of its eight bytes: bit 0 is the top bit of the first byte.
TEST(RecordDumps, HeaderShowsPositionAndMaskAsOneNumber) {
    struct Case {
        std::vector<int> bits;
        std::int32_t position;
        const char* header;
    };
    const Case cases[] = {
        {{}, 0, "Form @ 000 (0x0000000000000000)"},
        {{0}, 5, "Form @ 005 (0x0000000000000080)"},
        {{7}, 12, "Form @ 012 (0x0000000000000001)"},
        {{8}, 1234, "Form @ 1234 (0x0000000000008000)"},
        {{63}, -1, "Form @ -01 (0x0100000000000000)"},
    };
    for (const Case& c : cases) {
        XForm form = defaultForm();
        form.position = c.position;
        for (int bit : c.bits) setMaskBit(form.changeBits, bit);
        const std::vector<std::string> lines = linesOf(dumpToText([&](CFile& f) { dumpXForm(form, f); }));
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], c.header);
    }
}

// The shading line comes before the border line, and its two colours are each their own.
TEST(RecordDumps, FormShowsShadingBeforeBorderWithBothColours) {
    XForm form = defaultForm();
    form.shading = ShadingSpec{3, RGBColor{65535, 0, 0}, RGBColor{0, 0, 65535}};
    form.border = BorderSpec{4, 1, RGBColor{1, 2, 3}, 20};
    setMaskBit(form.changeBits, 26);
    setMaskBit(form.changeBits, 28);
    const std::vector<std::string> expected = {
        "Form @ 000 (0x0000000028000000)",
        "shading=patternType 3, patternTint 65535:0:0, patternFill 0:0:65535",
        "border=borderSize 4, borderType 1, borderTint 1:2:3, borderSpace 20",
    };
    EXPECT_EQ(linesOf(dumpToText([&](CFile& f) { dumpXForm(form, f); })), expected);
}

// The picture is shown by its reference as a number; the dump never looks into the picture.
TEST(RecordDumps, PictureShowsAsItsReference) {
    XForm form = defaultForm();
    form.picData = reinterpret_cast<CPicture*>(std::uintptr_t{0x12345678});
    setMaskBit(form.changeBits, 24);
    const std::vector<std::string> lines = linesOf(dumpToText([&](CFile& f) { dumpXForm(form, f); }));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "picData=305419896");
}

TEST(RecordDumps, PageShowsOnlyTheBlocksWhoseBitIsSet) {
    XPage page = defaultPage();
    page.pageNumber = XPageNumber{1, 2, 0, 3, 45, 1, 7};
    setMaskBit(page.changeBits, 24);
    const std::vector<std::string> expected = {
        "Page @ 000 (0x0000000080000000)", "pageNumber=",           "    hasPageNumber=1",
        "    format=2",                    "    hasChapterNumber=0", "    headingLevel=3",
        "    separator=45",                "    restartType=1",      "    startAt=7",
    };
    EXPECT_EQ(linesOf(dumpToText([&](CFile& f) { dumpXPage(page, f); })), expected);
}

// The lines "    NN=" of a row block: the cells in use, then the grid columns.
std::vector<std::string> indexLines(const std::string& text) {
    std::vector<std::string> found;
    for (const std::string& line : linesOf(text))
        if (line.size() == 7 && line.compare(0, 4, "    ") == 0 && line[6] == '=') found.push_back(line.substr(4, 2));
    return found;
}

TEST(RecordDumps, RowBlockShowsTheCellsInUseThenTheGrid) {
    XRule rule = defaultRule();
    rule.rows.rows = 2;
    rule.rows.grid.numOfColumns = 3;
    rule.rows.grid.columnRightPos[2] = 9000;
    setMaskBit(rule.changeBits, 45);
    const std::string text = dumpToText([&](CFile& f) { dumpXRule(rule, f); });
    EXPECT_EQ(indexLines(text), (std::vector<std::string>{"00", "01", "00", "01", "02"}));
    EXPECT_NE(text.find("\r\n    02=\r\n    =9000\r\n"), std::string::npos);
}

// Counts beyond the arrays show at most their capacity; negative counts show nothing.
TEST(RecordDumps, CountsAreBoundedByTheArrays) {
    struct Case {
        std::int16_t count;
        std::size_t shown;
    };
    for (const Case& c : {Case{1000, 65}, Case{65, 65}, Case{-3, 0}}) {
        XRule rule = defaultRule();
        rule.tabs.tabs = c.count;
        rule.rows.rows = c.count;
        rule.rows.grid.numOfColumns = c.count;
        setMaskBit(rule.changeBits, 44);
        setMaskBit(rule.changeBits, 45);
        const std::string text = dumpToText([&](CFile& f) { dumpXRule(rule, f); });
        // Each tab stop, each cell and each grid column opens with one "    NN=" line.
        EXPECT_EQ(indexLines(text).size(), 3 * c.shown) << c.count;
    }
}

// A record of arbitrary bytes (texts without terminators, wild counts) dumps without reading past itself;
// the sanitizer build checks every read.
TEST(RecordDumps, ArbitraryBytesDumpWithinTheRecords) {
    for (unsigned seed : {1u, 77u, 200u}) {
        XForm form;
        XRule rule;
        XPage page;
        recordwalk::fillPattern(&form, sizeof form, seed);
        recordwalk::fillPattern(&rule, sizeof rule, seed);
        recordwalk::fillPattern(&page, sizeof page, seed);
        form.picData = nullptr;
        setAllBits(form.changeBits);
        setAllBits(rule.changeBits);
        setAllBits(page.changeBits);
        const std::string text = dumpToText([&](CFile& f) {
            dumpXForm(form, f);
            dumpXRule(rule, f);
            dumpXPage(page, f);
        });
        for (const std::string& line : linesOf(text)) {
            if (line.rfind("field=", 0) == 0) {
                EXPECT_LE(line.size(), 50 + sizeof form.field.fldData);
            }
        }
        EXPECT_NE(text.find("Page @ "), std::string::npos);
    }
}

// ---- the parameter-block dump ----

class ParamBlockDumpTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(desktop());
        pointDesktopAt(desktop());
        std::memset(&block, 0, sizeof block);
        initXForm(&block.form);
        initXRule(&block.rule);
        initXPage(&block.page, 0);
        block.form.txtSize = 240;
        setMaskBit(block.form.changeBits, 11);
        setMaskBit(block.page.changeBits, 1);
        setMaskBit(block.page.changeBits, 2);
        block.textLength = 5;
        block.textBuffer = text;
    }
    void TearDown() override {
        platform::disarmAllocationFailure();
        platform::overrideFolderForTesting(platform::Folder::Desktop, "");
    }
    static void pointDesktopAt(const std::string& path) {
        platform::overrideFolderForTesting(platform::Folder::Desktop, path);
        setUpDesktopFolder();
    }
    std::string desktop() const { return folder.file("Desktop/"); }
    std::string dumpFolder() const { return desktop() + "blocks of 'report'/"; }

    testsupport::TemporaryFolder folder;
    char16_t text[8] = u"Hello";
    XParamBlock block;
    const PascalWString source = makePascal(u"report.docx");
};

TEST_F(ParamBlockDumpTest, WritesParamBlock001IntoAFolderNamedAfterTheInput) {
    dumpXParamBlock(source, block, 1);
    const std::string path = dumpFolder() + "ParamBlock001.txt";
    ASSERT_TRUE(fs::exists(path));
    const std::string written = readFile(path);
    expectGolden("ParamBlock001.txt", written);

    // The record parts are exactly the record dumps.
    const std::string rule = dumpToText([&](CFile& f) { dumpXRule(block.rule, f); });
    EXPECT_NE(written.find(std::string(80, '-') + "\r\n" + rule + std::string(80, '-') + "\r\n"), std::string::npos);
}

TEST_F(ParamBlockDumpTest, FileNamesCarryTheNumberInThreeDigitsAtLeast) {
    const std::pair<std::int16_t, const char*> cases[] = {{1, "ParamBlock001.txt"}, {42, "ParamBlock042.txt"},
                                                          {1000, "ParamBlock1000.txt"}};
    for (const auto& [number, name] : cases) {
        dumpXParamBlock(source, block, number);
        EXPECT_TRUE(fs::exists(dumpFolder() + name)) << name;
    }
}

TEST_F(ParamBlockDumpTest, FolderIsNamedAfterTheInputWithoutItsLastExtension) {
    const std::pair<const char16_t*, const char*> cases[] = {
        {u"report.docx", "blocks of 'report'"},
        {u"archive.tar.gz", "blocks of 'archive.tar'"},
        {u"notes", "blocks of 'notes'"},
    };
    for (const auto& [input, expected] : cases) {
        dumpXParamBlock(makePascal(input), block, 1);
        EXPECT_TRUE(fs::exists(desktop() + expected + "/ParamBlock001.txt")) << expected;
    }
}

// Each story numbers its dumps from 1 again, so a later story replaces the earlier story's files.
TEST_F(ParamBlockDumpTest, ALaterStoryReplacesTheDumpOfTheSameNumber) {
    setAllBits(block.rule.changeBits);
    block.rule.tabs.tabs = 3;
    dumpXParamBlock(source, block, 1);
    const std::string first = readFile(dumpFolder() + "ParamBlock001.txt");

    XParamBlock second = block;
    initXRule(&second.rule);
    second.textLength = 1;
    char16_t unit[] = u"\x0D";
    second.textBuffer = unit;
    dumpXParamBlock(source, second, 1);
    const std::string replaced = readFile(dumpFolder() + "ParamBlock001.txt");
    EXPECT_LT(replaced.size(), first.size());
    EXPECT_EQ(replaced.rfind("textLength=1\r\ntextBuffer[0]=0x000D\r\n", 0), 0u);
    EXPECT_EQ(replaced.find("tabs="), std::string::npos);
}

TEST_F(ParamBlockDumpTest, ABlockWithoutTextShowsAFirstUnitOfZero) {
    block.textBuffer = nullptr;
    block.textLength = 0;
    dumpXParamBlock(source, block, 1);
    EXPECT_EQ(readFile(dumpFolder() + "ParamBlock001.txt").rfind("textLength=0\r\ntextBuffer[0]=0x0000\r\n", 0), 0u);
}

// Nothing that goes wrong reaches the caller; the dump of that run is simply missing.
TEST_F(ParamBlockDumpTest, FailuresEndTheDumpSilently) {
    // A file stands where the folder should be.
    std::ofstream(desktop() + "blocks of 'report'") << "in the way";
    EXPECT_NO_THROW(dumpXParamBlock(source, block, 1));
    EXPECT_FALSE(fs::is_directory(dumpFolder()));

    // The Desktop does not exist.
    pointDesktopAt(folder.file("no such folder/"));
    EXPECT_NO_THROW(dumpXParamBlock(source, block, 1));
    EXPECT_FALSE(fs::exists(folder.file("no such folder")));

    // The dump file cannot be replaced: a folder has its name.
    pointDesktopAt(desktop());
    const std::string other = desktop() + "blocks of 'other'/";
    fs::create_directories(other + "ParamBlock001.txt");
    EXPECT_NO_THROW(dumpXParamBlock(makePascal(u"other.docx"), block, 1));
    EXPECT_TRUE(fs::is_directory(other + "ParamBlock001.txt"));
}

TEST_F(ParamBlockDumpTest, LackOfMemoryEndsTheDumpSilently) {
    // With the objects' own allocations failing, the dump stops before its file is made; with the strings'
    // allocations failing too, it can stop half way through the file, which then keeps what was written.
    for (const platform::ThrowingNew throwingNew : {platform::ThrowingNew::kIgnored, platform::ThrowingNew::kCounted}) {
        for (std::int64_t n = 1;; ++n) {
            fs::remove_all(dumpFolder());
            platform::failNthAllocation(n, throwingNew);
            EXPECT_NO_THROW(dumpXParamBlock(source, block, 1));
            const bool failed = platform::allocationsCountedSinceArmed() >= n;
            platform::disarmAllocationFailure();
            if (failed) {
                if (throwingNew == platform::ThrowingNew::kIgnored) {
                    EXPECT_FALSE(fs::exists(dumpFolder() + "ParamBlock001.txt")) << n;
                }
                continue;
            }
            expectGolden("ParamBlock001.txt", readFile(dumpFolder() + "ParamBlock001.txt"));
            EXPECT_GE(n, 3);
            break;
        }
    }
}

}  // namespace
