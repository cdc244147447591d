// The document-parameter reader over damaged, incomplete and stopped readings: what the block holds and
// what the reader answers.
#include <functional>

#include "model/storage/IndexedName.h"

#include "tests/engine/export/DocParamsTestSupport.h"
#include "tests/support/RecordingProgress.h"

namespace docparamstest {
namespace {

using elementtree::child;

// Presses Stop at the n-th poll (0: never); the request stays, as the window's Stop flag does.
class StopAtPoll : public testsupport::RecordingProgress {
public:
    explicit StopAtPoll(int stopAt) : stopAt(stopAt) {}
    std::int16_t poll() override {
        ++polls;
        return stopAt != 0 && polls >= stopAt ? 1 : 0;
    }
    int stopAt;
};

xmlNode* element(xmlNode* parent, const char* name) {
    return const_cast<xmlNode*>(child(parent, name));
}

void removeElement(xmlNode* node) {
    xmlUnlinkNode(node);
    xmlFreeNode(node);
}

void setAttribute(xmlNode* node, const char* name, const std::string& value) {
    xmlSetProp(node, BAD_CAST name, BAD_CAST value.c_str());
}

// What the reader left in the block, by table.
struct Tables {
    bool fonts, styles, lists, colors, authors, background, head;
};

void expectTables(const XParamBlock& block, const BlockCopy& given, Tables expected, const std::string& where) {
    const BlockCopy read = copyBlock(block);
    EXPECT_EQ(read.fonts.size(), expected.fonts ? given.fonts.size() : 0u) << where;
    EXPECT_EQ(read.styles.size(), expected.styles ? given.styles.size() : 0u) << where;
    EXPECT_EQ(read.listDefs.size(), expected.lists ? given.listDefs.size() : 0u) << where;
    EXPECT_EQ(read.bulletIds.size(), expected.lists ? given.bulletIds.size() : 0u) << where;
    EXPECT_EQ(read.colors.size(), expected.colors ? given.colors.size() : 0u) << where;
    EXPECT_EQ(read.authors.size(), expected.authors ? given.authors.size() : 0u) << where;
    EXPECT_EQ(read.backgroundLength, expected.background ? 61 : 0) << where;
    EXPECT_NE(block.theme, nullptr) << where << ": the block is always set up";
    if (expected.head) {
        EXPECT_EQ(read.head.numOfWords, given.head.numOfWords) << where;
        EXPECT_EQ(read.mark, given.mark) << where;
    } else {
        XHead defaults;
        initXHead(&defaults);
        EXPECT_TRUE(equalXHead(read.head, defaults)) << where << ": the head keeps its defaults";
        EXPECT_EQ(read.mark, "") << where;
    }
}

TEST_F(DocParamsTest, AMissingElementEndsTheReadingWithWhatWasReadBeforeIt) {
    struct Case {
        const char* missing;
        Tables left;
    };
    const Case cases[] = {
        {"XInfo", {false, false, false, false, false, false, false}},
        {"FONTS", {false, false, false, false, false, false, false}},
        {"LISTS", {true, true, false, false, false, false, false}},
        {"THEME", {true, true, true, true, true, true, false}},
    };
    for (const Case& test : cases) {
        importDocument();
        removeElement(element(documentNode, test.missing));
        StopAtPoll window(0);
        std::int32_t counter = 0;
        EXPECT_EQ(readBack(&window, &counter), 0) << test.missing;
        expectTables(block, given, test.left, std::string("without ") + test.missing);
        if (std::string(test.missing) == "XInfo") {
            EXPECT_EQ(window.events, (std::vector<std::string>{"status Preparing to write converted file... [0]"}));
        }
        disposeXParamBlock(&block);
    }
}

TEST_F(DocParamsTest, AStopEndsTheReadingAtTheCheckThatSawIt) {
    const Tables readBeforeStop[] = {
        {false, false, false, false, false, false, false},  // first check: before the document information
        {false, false, false, false, false, false, false},  // before the fonts
        {true, false, false, false, false, false, false},   // before the styles
        {true, true, false, false, false, false, false},    // before the lists
        {true, true, true, false, false, false, false},     // before the colours
        {true, true, true, true, true, true, true},         // the last: the block is whole, the answer still 0
    };
    importDocument();
    for (int poll = 1; poll <= 6; ++poll) {
        StopAtPoll window(poll);
        std::int32_t counter = 40;
        EXPECT_EQ(readBack(&window, &counter), 0) << "Stop at poll " << poll;
        EXPECT_EQ(window.polls, poll) << "nothing polls after the Stop";
        expectTables(block, given, readBeforeStop[poll - 1], "Stop at poll " + std::to_string(poll));
        disposeXParamBlock(&block);
    }
}

TEST_F(DocParamsTest, EachStepShowsTheCounterWhichAWindowlessReadingLeavesAlone) {
    importDocument();
    StopAtPoll window(0);
    std::int32_t counter = 7;
    ASSERT_EQ(readBack(&window, &counter), 1);
    EXPECT_EQ(counter, 13);
    ASSERT_EQ(window.events.size(), 6u);
    EXPECT_EQ(window.events.front(), "status Preparing to write converted file... [7]");
    EXPECT_EQ(window.events.back(), "status Preparing to write converted file... [12]");
    disposeXParamBlock(&block);

    counter = 7;
    ASSERT_EQ(readBack(nullptr, &counter), 1);
    EXPECT_EQ(counter, 7);
}

TEST_F(DocParamsTest, ASubStyleCountAboveNineReadsNineSubStyles) {
    importDocument();
    xmlNode* table = element(element(documentNode, "STYLES"), "STYLE000");
    const xmlNode* model = child(table, "STYLE000");
    for (int sub = 3; sub < 12; ++sub) {
        xmlNode* copy = xmlCopyNode(const_cast<xmlNode*>(model), 1);
        xmlNodeSetName(copy, BAD_CAST IndexedName("STYLE%03d", sub).c_str());
        xmlAddChild(table, copy);
    }
    for (const auto& [stored, kept] : std::vector<std::pair<std::string, int>>{{"12", 9}, {"32767", 9}, {"-4", 0}}) {
        setAttribute(table, "XStyle_styleSubCount", stored);
        ASSERT_EQ(readBack(), 1) << stored;
        const XStyle* style = block.styles->get(1);
        EXPECT_EQ(style->styleSubCount, kept) << stored;
        for (int sub = 0; sub < kMaxSubStyles; ++sub)
            EXPECT_EQ(style->subStyles[sub] != nullptr, sub < kept) << stored << " sub-style " << sub;
        disposeXParamBlock(&block);
    }
}

TEST_F(DocParamsTest, DamagedTablesEndTheReadingWithoutGarbage) {
    struct Case {
        const char* what;
        std::function<void(xmlNode* document)> damage;
        std::function<void(const XParamBlock& block)> check;
        int answer;
    };
    const Case cases[] = {
        {"fewer fonts than counted",
         [](xmlNode* document) { setAttribute(element(document, "FONTS"), "fontLength", "6"); },
         [](const XParamBlock& read) { EXPECT_EQ(read.fonts->getCount(), 4); }, 0},
        {"a font without its keys reads as zero",
         [](xmlNode* document) {
             xmlNode* font = element(element(document, "FONTS"), "FONT001");
             while (font->properties != nullptr) xmlRemoveProp(font->properties);
         },
         [](const XParamBlock& read) {
             XFont zero{};
             EXPECT_TRUE(equalXFont(*read.fonts->get(2), zero));
         },
         1},
        {"a style without its paragraph record",
         [](xmlNode* document) { removeElement(element(element(element(document, "STYLES"), "STYLE001"), "styleRule")); },
         [](const XParamBlock& read) { EXPECT_EQ(read.styles->getCount(), 1); }, 0},
        {"a list level missing",
         [](xmlNode* document) { removeElement(element(element(element(document, "LISTS"), "LISTOVR000"), "LEVEL008")); },
         [](const XParamBlock& read) {
             EXPECT_EQ(read.listDefCount, 2);
             EXPECT_EQ(read.listOvrCount, 1);
             EXPECT_EQ(read.listPicCount, 0);
             ASSERT_NE(read.listOvrs[0].levels, nullptr);
             EXPECT_NE((*read.listOvrs[0].levels)[7].levelText, nullptr);
         },
         0},
        {"a negative list count",
         [](xmlNode* document) { setAttribute(element(document, "LISTS"), "listDefCount", "-3"); },
         [](const XParamBlock& read) {
             EXPECT_EQ(read.listDefCount, -3);
             EXPECT_EQ(read.listDefs, nullptr);
         },
         1},
        {"colour channels outside 0 to 65535",
         [](xmlNode* document) {
             xmlNode* color = element(element(document, "COLORS"), "COLOR000");
             setAttribute(color, "color_red", "-1");
             setAttribute(color, "color_green", "65536");
             setAttribute(color, "color_blue", "65535");
         },
         [](const XParamBlock& read) {
             const RGBColor* color = read.colors->get(1);
             EXPECT_EQ(color->red, 0);
             EXPECT_EQ(color->green, 0);
             EXPECT_EQ(color->blue, 65535);
         },
         1},
        {"a background too long for the side buffer",
         [](xmlNode* document) {
             xmlNode* background = element(document, "BACKGROUND");
             xmlNodeSetContent(background, BAD_CAST std::string(1400, 'Q').c_str());
         },
         [](const XParamBlock& read) {
             EXPECT_EQ(read.authors->getCount(), 2);
             EXPECT_EQ(read.backgroundText[0], '\0') << "the side buffer is untouched";
         },
         0},
    };
    for (const Case& test : cases) {
        importDocument();
        test.damage(documentNode);
        EXPECT_EQ(readBack(), test.answer) << test.what;
        SCOPED_TRACE(test.what);
        test.check(block);
        disposeXParamBlock(&block);
    }
}

}  // namespace
}  // namespace docparamstest
