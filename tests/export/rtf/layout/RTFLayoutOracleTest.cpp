// LibreOffice lays out the RTF our writer produces as the document means it: a paragraph that starts with
// an inline picture keeps its text beside the picture, and a field's result is its own text, with no
// blank of ours before it. The pages are rendered to PDF and their words placed with pdftotext. Skips
// itself without LibreOffice or pdftotext (poppler-utils).
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "foundation/memory/Memory.h"
#include "model/CPicture.h"
#include "tests/export/rtf/RTFFeatureDocuments.h"
#include "tests/support/FileBytes.h"
#include "tests/support/OfficeOracle.h"
#include "tests/support/OracleSuite.h"
#include "tests/support/PictureFixtures.h"

namespace rtftest {
namespace {

using testsupport::OfficeOracle;

constexpr double kTwipsPerPoint = 20.0;
constexpr std::int32_t kPictureWidth = 1440;  // twips
constexpr std::int32_t kPictureHeight = 720;

struct Word {
    std::string text;
    double left;  // points from the page's left and top edges
    double right;
    double top;
};

// The words of a PDF in reading order, from pdftotext's bounding-box page.
std::vector<Word> wordsOf(const std::string& bboxHtml) {
    static const std::regex word(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="[0-9.]+">([^<]*)</word>)re");
    std::vector<Word> words;
    for (auto it = std::sregex_iterator(bboxHtml.begin(), bboxHtml.end(), word); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        words.push_back({m[4].str(), std::stod(m[1].str()), std::stod(m[3].str()), std::stod(m[2].str())});
    }
    return words;
}

const Word* findWord(const std::vector<Word>& words, const std::string& text) {
    for (const Word& w : words)
        if (w.text == text) return &w;
    return nullptr;
}

CPicture* newPngPicture() {
    auto* picture = new CPicture();
    const picturefixtures::Bytes bytes = picturefixtures::pngPicture(32, 16);
    picture->fType = 9;
    picture->fRect = {0, 0, kPictureHeight, kPictureWidth};
    picture->fOriginalRect = picture->fRect;
    picture->fPicData = static_cast<std::uint8_t*>(allocMemory(static_cast<std::int32_t>(bytes.size())));
    std::memcpy(picture->fPicData, bytes.data(), bytes.size());
    picture->fPicLength = static_cast<std::int32_t>(bytes.size());
    return picture;
}

// The layout documents, written once, rendered to PDF in one call and read back word by word.
struct LayoutReading {
    TemporaryFilesScope temporaryFiles;
    testsupport::TemporaryFolder folder;
    std::unique_ptr<CPicture> picture;
    std::map<std::string, std::vector<Word>> words;
    std::string problem;  // empty when every document was written and rendered
};

class RTFLayoutOracleTest : public testsupport::OracleSuite<RTFLayoutOracleTest, LayoutReading> {
protected:
    std::string missing() const override {
        return testsupport::programOnPath("pdftotext") ? std::string() : "pdftotext (poppler-utils) is not installed";
    }
    void prepare(LayoutReading& work) override {
        work.picture.reset(newPngPicture());
        const std::vector<FeatureDocument> documents = {pictureThenTextDocument(work.picture.get()),
                                                        fieldResultDocument()};
        std::vector<std::string> files;
        for (const FeatureDocument& document : documents) {
            files.push_back(work.folder.file(document.name + ".rtf"));
            if (writeFeatureDocument(document, files.back()).empty()) {
                work.problem = "a layout document was not written";
                return;
            }
        }
        OfficeOracle oracle;
        const testsupport::ProgramRun run = oracle.convert(files, "pdf", work.folder.path());
        if (run.exitStatus != 0) {
            work.problem = "LibreOffice failed: " + run.messages;
            return;
        }
        for (const FeatureDocument& document : documents) {
            const std::string pdf = work.folder.file(document.name + ".pdf");
            const std::string html = work.folder.file(document.name + ".html");
            testsupport::runProgram({"pdftotext", "-bbox", pdf, html}, OfficeOracle::kLimitSeconds);
            work.words[document.name] = wordsOf(testsupport::readBytes(html));
        }
    }
};

TEST_F(RTFLayoutOracleTest, TextAfterAnInlinePictureStaysOnThePicturesLine) {
    const std::vector<Word>& words = shared->words["picture-then-text"];
    const Word* start = findWord(words, "Start");
    const Word* after = findWord(words, "after");
    const Word* bold = findWord(words, "bold");
    ASSERT_TRUE(start != nullptr && after != nullptr && bold != nullptr) << "words missing from the rendering";
    // Beside the picture, the text starts a picture's width right of where the paragraph starts; on a
    // line of its own it would start where the paragraph above does.
    EXPECT_GE(after->left - start->left, kPictureWidth / kTwipsPerPoint - 1) << after->left;
    EXPECT_NEAR(bold->top, after->top, 1.0) << "the second run is on the first run's line";
}

TEST_F(RTFLayoutOracleTest, AFieldsResultStartsWithItsOwnText) {
    const std::vector<Word>& words = shared->words["field-result"];
    const Word* go = findWord(words, "Go");
    const Word* example = findWord(words, "Example");
    const Word* now = findWord(words, "now");
    ASSERT_TRUE(go != nullptr && example != nullptr && now != nullptr) << "words missing from the rendering";
    // The result follows the one blank of the text before it: the gap before it is as wide as the blank
    // after it, where a second blank would make it twice as wide.
    EXPECT_NEAR(example->top, go->top, 1.0) << "the result is on the line of the text around it";
    EXPECT_NEAR(example->left - go->right, now->left - example->right, 1.0)
        << "before the result " << example->left - go->right << " pt, after it " << now->left - example->right;
}

}  // namespace
}  // namespace rtftest
