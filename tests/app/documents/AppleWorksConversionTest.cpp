// AppleWorks documents through the program: the shared samples each convert to RTF and to text or are
// refused with their reason, and a version-6 table of our own becomes an RTF table.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "tests/app/ProgramRunSupport.h"
#include "tests/import/appleworks/AppleWorksStoryFixture.h"
#include "tests/import/appleworks/AppleWorksTableFixture.h"
#include "tests/support/FileBytes.h"

namespace {

const std::string kCorpus = VDK_TEST_DATA_DIR "/../../../../shared/corpus/cwk/";

std::size_t countMatches(const std::string& text, const std::string& pattern) {
    const std::regex expression(pattern);
    return static_cast<std::size_t>(std::distance(std::sregex_iterator(text.begin(), text.end(), expression),
                                                  std::sregex_iterator()));
}

class AppleWorksConversion : public apptest::ProgramRunTest {
protected:
    // Copies the shared samples into the run's folder; answers their names (none when absent).
    std::vector<std::string> copySamples() {
        std::vector<std::string> names;
        if (!std::filesystem::is_directory(kCorpus)) return names;
        for (const auto& entry : std::filesystem::directory_iterator(kCorpus)) {
            if (entry.path().extension() != ".cwk") continue;
            std::filesystem::copy_file(entry.path(), temporary.file(entry.path().filename().string()));
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
};

// The samples that are not word-processing documents (or not of version 5 or 6) and the reason told.
struct Refusal {
    const char* name;
    const char* reason;
};
const Refusal kRefusals[] = {
    {"test_files__blank_drawing_6.2.9_osx.cwk", "because this is a drawing document."},
    {"test_files__sheet_B-5.0.3_os9.cwk", "because this is a spreadsheet document."},
    {"test_files__brownfoxstyle_4.0_6.2.9_osx.cwk", "because it is in an unknown format"},
};

TEST_F(AppleWorksConversion, EverySampleConvertsOrIsRefusedWithItsReason) {
    const std::vector<std::string> names = copySamples();
    if (names.empty()) GTEST_SKIP() << "the shared AppleWorks samples are not at " << kCorpus;
    for (const char* format : {"RTF", "Text"}) {
        SCOPED_TRACE(format);
        convertDocumentsTo(format);
        const apptest::RunResult run = this->run(names);
        const std::string said = run.output + run.errors;
        const std::string suffix = std::string(format) == "RTF" ? ".rtf" : ".txt";
        for (const std::string& name : names) {
            SCOPED_TRACE(name);
            const std::string stem = name.substr(0, name.size() - 4);
            const Refusal* refusal = nullptr;
            for (const Refusal& r : kRefusals)
                if (name == r.name) refusal = &r;
            if (refusal != nullptr) {
                EXPECT_NE(said.find("'" + name + "' " + refusal->reason), std::string::npos) << said;
                EXPECT_FALSE(std::filesystem::exists(temporary.file(stem + suffix)));
                continue;
            }
            const std::string output = testsupport::readBytes(temporary.file(stem + suffix));
            // The blank document holds one empty paragraph; every other sample has words.
            EXPECT_FALSE(output.empty());
            if (name.find("blank") == std::string::npos && suffix == ".txt") {
                EXPECT_TRUE(output.find("ipsum") != std::string::npos || output.find("fox") != std::string::npos ||
                            output.find("Alice") != std::string::npos)
                    << output.substr(0, 200);
            }
            std::filesystem::remove(temporary.file(stem + suffix));
        }
    }
}

TEST_F(AppleWorksConversion, TableOfOurOwnBecomesAnRtfTableOfItsRowsAndCells) {
    ASSERT_TRUE(testsupport::writeBytes(temporary.file("table.cwk"), awfixture::tableDocument()));
    convertDocumentsTo("RTF");
    const apptest::RunResult run = this->run({"table.cwk"});
    ASSERT_EQ(run.status, 0) << run.output << run.errors;
    const std::string rtf = testsupport::readBytes(temporary.file("table.rtf"));
    EXPECT_EQ(countMatches(rtf, R"(\\row\b)"), 2u) << rtf;
    EXPECT_EQ(countMatches(rtf, R"(\\cell\b)"), 4u) << rtf;
    EXPECT_EQ(countMatches(rtf, R"(\\cellx\d+)"), 4u) << rtf;
    // The rule under the first row (two points, red) and between the columns; the second row's fills.
    EXPECT_EQ(countMatches(rtf, R"(\\clbrdrb\\brdrs\\brdrcf\d+\\brdrw40)"), 2u) << rtf;
    EXPECT_EQ(countMatches(rtf, R"(\\clbrdrr\\brdrs\\brdrcf\d+\\brdrw40)"), 2u) << rtf;
    EXPECT_EQ(countMatches(rtf, R"(\\clcfpat\d+\\clshdng10000)"), 1u) << rtf;
    EXPECT_EQ(countMatches(rtf, R"(\\clcfpat\d+\\clbgdkcross)"), 1u) << rtf;
    const std::size_t before = rtf.find("Before");
    const std::size_t a1 = rtf.find("A1");
    const std::size_t b2 = rtf.find("B2");
    const std::size_t after = rtf.find("After");
    ASSERT_NE(b2, std::string::npos);
    EXPECT_LT(before, a1);
    EXPECT_LT(a1, rtf.find("B1"));
    EXPECT_LT(rtf.find("A2"), b2);
    EXPECT_LT(b2, after);
    EXPECT_NE(after, std::string::npos);
}

TEST_F(AppleWorksConversion, NoteListAndPageAnchoredPictureOfOurOwnReachTheRtf) {
    ASSERT_TRUE(testsupport::writeBytes(temporary.file("stories.cwk"), awfixture::storiesDocument()));
    convertDocumentsTo("RTF");
    const apptest::RunResult run = this->run({"stories.cwk"});
    ASSERT_EQ(run.status, 0) << run.output << run.errors;
    const std::string rtf = testsupport::readBytes(temporary.file("stories.rtf"));
    // The note's text stands in the footnote at its reference, after "Noted".
    const std::size_t note = rtf.find("{\\footnote");
    ASSERT_NE(note, std::string::npos) << rtf;
    EXPECT_LT(rtf.find("Noted"), note);
    EXPECT_LT(note, rtf.find("The note's text."));
    // The labelled paragraph is in a list; the one after it is not.
    const std::size_t listed = rtf.find("Listed item");
    ASSERT_NE(listed, std::string::npos) << rtf;
    const std::size_t listedParagraph = rtf.rfind("\\pard", listed);
    EXPECT_NE(rtf.substr(listedParagraph, listed - listedParagraph).find("\\ls1\\"), std::string::npos) << rtf;
    const std::size_t noted = rtf.find("Noted");
    const std::size_t notedParagraph = rtf.rfind("\\pard", noted);
    EXPECT_EQ(rtf.substr(notedParagraph, noted - notedParagraph).find("\\ls"), std::string::npos) << rtf;
    // The picture keeps its bytes and its size on the page (200 x 100 points).
    EXPECT_NE(rtf.find("\\macpict"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\picwgoal4000\\pichgoal2000"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("504943544259544553"), std::string::npos) << rtf;  // "PICTBYTES" in hex
}

}  // namespace
