// The document element "Zevozav": the document information, the head and the document tables, and a
// whole storage against its golden tree.
#include <cstring>

#include "model/CAuthorArray.h"
#include "model/CColorArray.h"
#include "model/CFontArray.h"
#include "tests/engine/ImportEngineTestSupport.h"
#include "tests/engine/StorageGolden.h"

namespace enginetest {
namespace {

using elementtree::attribute;
using elementtree::child;
using elementtree::childNames;

XFont fontNamed(const char* name, std::int16_t rtfNumber) {
    XFont font{};
    std::strncpy(font.fontPCName, name, sizeof font.fontPCName - 1);
    font.fontRTFNumber = rtfNumber;
    font.fontFamily = 2;
    font.fontCharset = -1;
    return font;
}

class DocumentTablesTest : public ImportEngineTest {
protected:
    const xmlNode* documentElement(const xmlDoc* document) {
        return child(xmlDocGetRootElement(const_cast<xmlDoc*>(document)), "Zevozav");
    }
};

TEST_F(DocumentTablesTest, TheHeadCarriesTheInputFactsOverWhatTheImporterSaid) {
    makeInput();
    importerHooks()[request::kSelDocument].push_back([](XParamBlock& block) {
        std::strcpy(block.head.originalFileName, "claimed.doc");
        std::strcpy(block.head.originalFileType, "Claimed");
        std::strcpy(block.head.originalTitle, "Title & more");
        block.head.numOfWords = 42;
    });
    ASSERT_EQ(runEngine(), 0);
    const auto storage = readStorage();
    const xmlNode* info = child(documentElement(storage.get()), "XInfo");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(attribute(info, "XInfo_fVers"), "4000");
    EXPECT_EQ(attribute(info, "XInfo_fFlag"), "0");
    EXPECT_EQ(attribute(info, "XInfo_fMark"), "");
    EXPECT_EQ(attribute(info, "XHead_originalFileName"), "Report.docx");
    EXPECT_EQ(attribute(info, "XHead_originalFileType"), "Word2007");
    EXPECT_EQ(attribute(info, "XHead_originalFileSize"), "12");
    EXPECT_EQ(attribute(info, "XHead_originalTitle"), "Title %26 more");
    EXPECT_EQ(attribute(info, "XHead_numOfWords"), "42");
    EXPECT_EQ(attribute(info, "XHead_viewMode"), "1");
    EXPECT_EQ(attribute(info, "XHead_viewScale"), "100");
    EXPECT_EQ(elementtree::attributeNames(info).size(), 3u + 42u);
}

TEST_F(DocumentTablesTest, FontsAreNumberedByTheirPlaceWhateverTheImporterSet) {
    makeInput();
    importerHooks()[request::kSelDocument].push_back([](XParamBlock& block) {
        block.fonts->add(fontNamed("Times New Roman", 7));
        block.fonts->add(fontNamed("Arial", 7));
        block.fonts->add(fontNamed("Fish & Chips", -3));
    });
    ASSERT_EQ(runEngine(), 0);
    const auto storage = readStorage();
    const xmlNode* fonts = child(documentElement(storage.get()), "FONTS");
    ASSERT_NE(fonts, nullptr);
    EXPECT_EQ(attribute(fonts, "fontLength"), "3");
    EXPECT_EQ(childNames(fonts), (elementtree::Lines{"FONT000", "FONT001", "FONT002"}));
    EXPECT_EQ(attribute(child(fonts, "FONT002"), "XFont_fontRTFNumber"), "2");
    EXPECT_EQ(attribute(child(fonts, "FONT000"), "XFont_fontPCName"), "Times New Roman");
    EXPECT_EQ(attribute(child(fonts, "FONT002"), "XFont_fontPCName"), "Fish %26 Chips");
    EXPECT_EQ(attribute(child(fonts, "FONT002"), "XFont_fontMacFace"), "a0r0");
    EXPECT_EQ(attribute(child(fonts, "FONT002"), "XFont_fontCharset"), "-1");
    EXPECT_EQ(elementtree::attributeNames(child(fonts, "FONT001")).size(), 13u);
}

TEST_F(DocumentTablesTest, ADocumentWithoutFontsHasAnEmptyFontTable) {
    makeInput();
    ASSERT_EQ(runEngine(), 0);
    const auto storage = readStorage();
    const xmlNode* fonts = child(documentElement(storage.get()), "FONTS");
    ASSERT_NE(fonts, nullptr);
    EXPECT_EQ(attribute(fonts, "fontLength"), "0");
    EXPECT_TRUE(childNames(fonts).empty());
}

TEST_F(DocumentTablesTest, AThousandAndOneFontsNameTheLastWithFourDigits) {
    makeInput();
    importerHooks()[request::kSelDocument].push_back([](XParamBlock& block) {
        for (int i = 0; i < 1001; ++i) block.fonts->add(fontNamed(("Font " + std::to_string(i)).c_str(), 0));
    });
    ASSERT_EQ(runEngine(), 0);
    const auto storage = readStorage();
    const xmlNode* fonts = child(documentElement(storage.get()), "FONTS");
    EXPECT_EQ(attribute(child(fonts, "FONT1000"), "XFont_fontRTFNumber"), "1000");
}

TEST_F(DocumentTablesTest, ColoursAuthorsBackgroundAndThemeFollowInOrder) {
    makeInput();
    importerHooks()[request::kSelDocument].push_back([](XParamBlock& block) {
        block.colors->add(RGBColor{65535, 65535, 65535});
        block.colors->add(RGBColor{0, 32768, 1});
        block.authors->add("J\u00fcrgen 100%");
        block.authors->add("Ann");
        const std::string text(61, 'b');
        std::memcpy(block.backgroundText, text.c_str(), text.size() + 1);
        block.backgroundLength = 61;
    });
    ASSERT_EQ(runEngine(), 0);
    const auto storage = readStorage();
    const xmlNode* document = documentElement(storage.get());
    EXPECT_EQ(childNames(document),
              (elementtree::Lines{"XInfo", "FONTS", "COLORS", "AUTHORS", "BACKGROUND", "THEME"}));
    const xmlNode* colors = child(document, "COLORS");
    // The stories' records add their own colours to the importer's.
    const elementtree::Lines colorNames = childNames(colors);
    EXPECT_EQ(attribute(colors, "colorLength"), std::to_string(colorNames.size()));
    const xmlNode* white = nullptr;
    for (const xmlNode* color : elementtree::childElements(colors))
        if (attribute(color, "color_red") == "65535") white = color;
    ASSERT_NE(white, nullptr) << "a channel of 65535 is never written as -1";
    EXPECT_EQ(elementtree::attributes(white), (std::vector<std::pair<std::string, std::string>>{
                                                  {"color_red", "65535"}, {"color_green", "65535"}, {"color_blue", "65535"}}));
    const xmlNode* authors = child(document, "AUTHORS");
    EXPECT_EQ(attribute(authors, "authorLength"), "2");
    EXPECT_EQ(attribute(child(authors, "AUTHOR000"), "author_name"), "J%C3%BCrgen 100%25");
    const xmlNode* background = child(document, "BACKGROUND");
    EXPECT_EQ(attribute(background, "backLength"), "61");
    EXPECT_EQ(::elementText(background).size(), 80u + 2u + 4u + 2u);
    EXPECT_EQ(::elementText(background).substr(80, 8), "\r\nYg==\r\n");
    EXPECT_TRUE(childNames(child(document, "THEME")).empty());
}

TEST_F(DocumentTablesTest, NoBackgroundLeavesTheLengthAlone) {
    for (std::int32_t length : {0, -4}) {
        makeInput();
        importerHooks()[request::kSelDocument] = {[length](XParamBlock& block) { block.backgroundLength = length; }};
        ASSERT_EQ(runEngine(), 0);
        const auto storage = readStorage();
        const xmlNode* background = child(documentElement(storage.get()), "BACKGROUND");
        EXPECT_EQ(attribute(background, "backLength"), std::to_string(length));
        EXPECT_EQ(::elementText(background), "");
    }
}

TEST_F(DocumentTablesTest, ABackgroundLongerThanTheSideBufferFailsTheFile) {
    makeInput();
    importerHooks()[request::kSelDocument].push_back(
        [](XParamBlock& block) { block.backgroundLength = kTaskSideBufferBytes + 1; });
    EXPECT_EQ(runEngine(), result::kNullObject);
    EXPECT_EQ(documentRequests(script).back(), request::kSelEndDocument);
}

}  // namespace
}  // namespace enginetest
