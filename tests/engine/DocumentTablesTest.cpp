// The document element "Zevozav": the document information, the head and the document tables, and a
// whole storage against its golden tree.
#include <cstring>

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

}  // namespace
}  // namespace enginetest
