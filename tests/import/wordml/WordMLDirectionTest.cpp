// Right-to-left runs: a Hebrew or Arabic run is delivered with direction marks around the units that
// would otherwise be laid out left to right, and Hebrew brackets trade places; a right-to-left paragraph
// trades left and right justification. The importer is driven request by request, with run and
// paragraph properties set as the property readers will set them.
#include <gtest/gtest.h>

#include <string>

#include "engine/translators/TranslatorDescriptors.h"
#include "engine/translators/TranslatorRequest.h"
#include "import/wordml/CWinWord2003Importer.h"
#include "model/params/ParamBlockHost.h"
#include "model/params/XParamBlock.h"
#include "model/story/StoryKinds.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/import/wordml/WordMLImportSupport.h"
#include "tests/support/TemporaryFolder.h"

namespace wordmltest {
namespace {

class BufferHost : public ParamBlockHost {
public:
    void clearBuffers() override {
        std::fill(std::begin(text), std::end(text), u'\0');
        std::fill(std::begin(side), std::end(side), '\0');
    }
    char16_t* textBuffer() override { return text; }
    char* sideBuffer() override { return side; }
    std::int16_t defaultPageSize() const override { return 2; }

    char16_t text[kTaskTextBufferUnits];
    char side[kTaskSideBufferBytes];
};

// Runs in the language given, in paragraphs of the direction and justification given.
class DirectedImporter : public CWinWord2003Importer {
public:
    DirectedImporter(std::int16_t language, std::int16_t direction, std::int16_t justification)
        : CWinWord2003Importer(&importerDescriptors[importer::kWord2003]), language(language), direction(direction),
          justification(justification) {}

protected:
    void applyRunProperties(xmlNode*) override {
        block->form.txtHint = 0;
        block->form.txtLangVal = language;
    }
    void applyParagraphProperties(xmlNode*) override {
        block->rule.direction = direction;
        block->rule.justification = justification;
    }

private:
    std::int16_t language;
    std::int16_t direction;
    std::int16_t justification;
};

struct Delivered {
    std::u16string text;
    std::int16_t justification;
};

Delivered firstRun(DirectedImporter& importer, const std::string& text) {
    testsupport::TemporaryFolder folder;
    enginetest::writeBytes(folder.file("Doc.xml"), wordDocument("<w:p><w:r><w:t>" + text + "</w:t></w:r></w:p>"));
    BufferHost host;
    XParamBlock block{};
    initXParamBlock(&host, &block);
    block.fileSpec = enginetest::specOf(enginetest::itemIn(folder, "Doc.xml"));
    Delivered delivered{};
    for (const std::int16_t code : {request::kSelDocument, request::kSelBeginStory, request::kSelText}) {
        block.selector = code;
        block.storyNumber = storykind::kMain;
        EXPECT_EQ(importer.dispatch(&block), 0);
    }
    delivered.text.assign(block.textBuffer, static_cast<std::size_t>(block.textLength));
    delivered.justification = block.rule.justification;
    disposeXParamBlock(&block);
    return delivered;
}

TEST(WordMLDirectionTest, RightToLeftRunsGetDirectionMarks) {
    const struct {
        const char* title;
        std::int16_t language;
        const char* text;
        std::u16string expected;
    } cases[] = {
        {"Hebrew: brackets trade places", 1037, "abc (1)", u"\u202E" u"abc )1(" u"\u202C\r"},
        {"Arabic keeps its brackets", 1025, "abc (1)", u"\u202E" u"abc (1)" u"\u202C\r"},
        {"a Hebrew letter between Latin letters", 1037, "aשb", u"\u202E" u"a\u202C\u05E9\u202E" u"b\u202C\r"},
        {"other languages are left alone", 1033, "abc (1)", u"abc (1)\r"},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(item.title);
        DirectedImporter importer(item.language, 0, 0);
        EXPECT_EQ(firstRun(importer, item.text).text, item.expected);
    }
}

TEST(WordMLDirectionTest, RightToLeftParagraphsTradeLeftAndRight) {
    const std::int16_t justifications[][2] = {{0, 2}, {2, 0}, {1, 1}};
    for (const auto& pair : justifications) {
        DirectedImporter rightToLeft(1033, 1, pair[0]);
        EXPECT_EQ(firstRun(rightToLeft, "x").justification, pair[1]);
        DirectedImporter leftToRight(1033, 0, pair[0]);
        EXPECT_EQ(firstRun(leftToRight, "x").justification, pair[0]);
    }
}

}  // namespace
}  // namespace wordmltest
