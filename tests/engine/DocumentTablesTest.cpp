// The document element "Zevozav": the document information, the head and the document tables, and a
// whole storage against its golden tree.
#include <cstring>

#include "model/tables/CAuthorArray.h"
#include "model/tables/CColorArray.h"
#include "model/tables/CFontArray.h"
#include "model/params/ParamBlockTables.h"
#include "foundation/FieldMask.h"
#include "foundation/memory/Memory.h"
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
    EXPECT_EQ(childNames(document), (elementtree::Lines{"XInfo", "FONTS", "STYLES", "LISTS", "COLORS", "AUTHORS",
                                                        "BACKGROUND", "THEME"}));
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

TEST_F(DocumentTablesTest, StylesNestTheirSubStylesAndAddTheirColours) {
    makeInput();
    importerHooks()[request::kSelDocument].push_back([](XParamBlock& block) {
        XStyle* table = newXStyle();
        std::strcpy(table->styleName, "Grid & Table");
        table->styleIndx = 70000;
        for (int sub = 0; sub < 2; ++sub) {
            table->subStyles[sub] = newXStyle();
            table->subStyles[sub]->styleAttr = static_cast<std::int16_t>(sub + 1);
        }
        table->styleSubCount = 2;
        initXForm(&table->styleForm);
        table->styleForm.txtFore = RGBColor{4660, 22136, 39612};
        setMaskBit(table->styleForm.changeBits, 17);
        addStyle(table, &block);
        addStyle(newXStyle(), &block);
    });
    ASSERT_EQ(runEngine(), 0);
    const auto storage = readStorage();
    const xmlNode* styles = child(documentElement(storage.get()), "STYLES");
    EXPECT_EQ(attribute(styles, "styleLength"), "2");
    EXPECT_EQ(childNames(styles), (elementtree::Lines{"STYLE000", "STYLE001"}));
    const xmlNode* table = child(styles, "STYLE000");
    EXPECT_EQ(childNames(table),
              (elementtree::Lines{"styleForm", "styleRule", "stylePage", "STYLE000", "STYLE001"}));
    EXPECT_EQ(elementtree::attributeNames(table).size(), 11u);
    EXPECT_EQ(attribute(table, "XStyle_styleName"), "Grid %26 Table");
    EXPECT_EQ(attribute(table, "XStyle_styleIndx"), "70000");
    EXPECT_EQ(attribute(table, "XStyle_styleSubCount"), "2");
    EXPECT_EQ(attribute(child(table, "STYLE001"), "XStyle_styleAttr"), "2");
    bool listed = false;
    for (const xmlNode* color : elementtree::childElements(child(documentElement(storage.get()), "COLORS")))
        listed = listed || (attribute(color, "color_red") == "4660" && attribute(color, "color_blue") == "39612");
    EXPECT_TRUE(listed) << "a colour only a style uses reaches the colour table";
}

TEST_F(DocumentTablesTest, ListsWriteDefinitionsOverridesAndBulletsInOrder) {
    makeInput();
    importerHooks()[request::kSelDocument].push_back([](XParamBlock& block) {
        block.listDefs = static_cast<XListDef*>(allocMemory(2 * sizeof(XListDef)));
        std::memset(block.listDefs, 0, 2 * sizeof(XListDef));
        block.listDefCount = 2;
        block.listDefs[1].listDefId = 77;
        std::strcpy(block.listDefs[1].listName, "Numbers");
        XListLevel& first = block.listDefs[1].levels[0];
        first.levelText = static_cast<char16_t*>(allocMemory(3 * sizeof(char16_t)));
        std::memcpy(first.levelText, u"\0.)", 3 * sizeof(char16_t));
        first.levelTextLength = 3;
        first.levelStartAt = 3;
        block.listOvrs = static_cast<XListOvr*>(allocMemory(sizeof(XListOvr)));
        std::memset(block.listOvrs, 0, sizeof(XListOvr));
        block.listOvrCount = 1;
        block.listOvrs[0].startOverride[8] = -2;
        block.listPics = static_cast<XListPic*>(allocMemory(sizeof(XListPic)));
        std::memset(block.listPics, 0, sizeof(XListPic));
        block.listPicCount = 1;
        block.listPics[0].listPicBulletId = 9;
    });
    ASSERT_EQ(runEngine(), 0);
    const auto storage = readStorage();
    const xmlNode* lists = child(documentElement(storage.get()), "LISTS");
    EXPECT_EQ(elementtree::attributes(lists), (std::vector<std::pair<std::string, std::string>>{
                                                  {"listDefCount", "2"}, {"listOvrCount", "1"}, {"listPicCount", "1"}}));
    EXPECT_EQ(childNames(lists), (elementtree::Lines{"LISTDEF000", "LISTDEF001", "LISTOVR000", "LISTPIC000"}));
    const xmlNode* numbers = child(lists, "LISTDEF001");
    EXPECT_EQ(attribute(numbers, "XListDef_listDefId"), "77");
    EXPECT_EQ(childNames(numbers), (elementtree::Lines{"LEVEL000", "LEVEL001", "LEVEL002", "LEVEL003", "LEVEL004",
                                                       "LEVEL005", "LEVEL006", "LEVEL007", "LEVEL008"}));
    const xmlNode* level = child(numbers, "LEVEL000");
    EXPECT_EQ(::elementText(level), "%00.%29");
    EXPECT_EQ(elementtree::attributeNames(level).size(), 18u);
    EXPECT_EQ(childNames(level), (elementtree::Lines{"levelForm", "levelRule"}));
    EXPECT_EQ(::elementText(child(numbers, "LEVEL001")), "");
    const xmlNode* listOverride = child(lists, "LISTOVR000");
    EXPECT_EQ(elementtree::attributeNames(listOverride).size(), 3u + 9u);
    EXPECT_EQ(attribute(listOverride, "XListOvr_startOverride008"), "-2");
    EXPECT_EQ(elementtree::attributes(child(lists, "LISTPIC000")),
              (std::vector<std::pair<std::string, std::string>>{{"XListPic_listPicBulletId", "9"}}));
}

TEST_F(DocumentTablesTest, NegativeListCountsAreWrittenAndWriteNoRecords) {
    makeInput();
    importerHooks()[request::kSelDocument].push_back([](XParamBlock& block) { block.listDefCount = -1; });
    ASSERT_EQ(runEngine(), 0);
    const auto storage = readStorage();
    const xmlNode* lists = child(documentElement(storage.get()), "LISTS");
    EXPECT_EQ(attribute(lists, "listDefCount"), "-1");
    EXPECT_TRUE(childNames(lists).empty());
}

}  // namespace
}  // namespace enginetest
