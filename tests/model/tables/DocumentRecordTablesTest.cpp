#include <gtest/gtest.h>

#include <cstring>

#include "model/tables/DocumentRecordTables.h"
#include "model/tables/ListRecords.h"
#include "model/tables/XFont.h"
#include "model/tables/XStyle.h"
#include "tests/model/records/RecordTableChecks.h"

namespace {

using recordtablechecks::FormatCase;
using recordtablechecks::StoredAsCase;
using recordtablechecks::expectAttributeFormats;
using recordtablechecks::expectStoredAs;

// The attribute keys, letters and order are those that the storage writers and readers of the document
// element use, character for character.
TEST(DocumentRecordTables, AttributeKeysAreThoseOfTheStorage) {
    const FormatCase cases[] = {
        {&kXFontTable,
         "XFont_fontUniqueID %d XFont_fontMacFont %d XFont_fontMacSize %d XFont_fontMacFace %t XFont_fontMacFlag %d "
         "XFont_fontMacLanguage %d XFont_fontRTFNumber %d XFont_fontFamily %d XFont_fontCharset %d "
         "XFont_fontPanose %s XFont_fontAltName %s XFont_fontPCName %s XFont_fontMacName %s"},
        {&kXStyleTable,
         "XStyle_styleAttr %d XStyle_styleType %d XStyle_styleFlag %d XStyle_styleIndx %l XStyle_styleSort %l "
         "XStyle_styleBits %l XStyle_styleBase %l XStyle_styleNext %l XStyle_styleLink %l XStyle_styleName %s "
         "XStyle_styleSubCount %d"},
        {&kXListLevelTable,
         "XListLevel_levelStartAt %d XListLevel_levelNfc %d XListLevel_levelJc %d XListLevel_levelNfcn %d "
         "XListLevel_levelJcn %d XListLevel_levelOld %d XListLevel_levelPrev %d XListLevel_levelPrevSpace %d "
         "XListLevel_levelIndent %d XListLevel_levelSpace %d XListLevel_levelnumbers %s XListLevel_levelTplc %l "
         "XListLevel_levelTentative %d XListLevel_levelFollow %d XListLevel_levelLegal %d "
         "XListLevel_levelNoRestart %d XListLevel_levelHasPicture %d XListLevel_levelPicture %d"},
        {&kXListDefTable,
         "XListDef_listDefId %l XListDef_listId %l XListDef_listTemplateId %l XListDef_listSimple %d "
         "XListDef_listMultiLevel %d XListDef_listHybrid %d XListDef_listRestartHdn %d XListDef_listName %s "
         "XListDef_listStyleId %s XListDef_listStyleName %s"},
        {&kXListOvrTable, "XListOvr_listIlst %l XListOvr_listIlfo %l XListOvr_listOverrideCount %d"},
        {&kXListPicTable, "XListPic_listPicBulletId %l"},
    };
    expectAttributeFormats(cases, documentRecordTables());
}

TEST(DocumentRecordTables, ChildrenAndHandWrittenFieldsNameWhatTheyStore) {
    const StoredAsCase cases[] = {
        {&kXStyleTable, "styleForm", FieldStorage::kChild, "styleForm", nullptr},
        {&kXStyleTable, "styleRule", FieldStorage::kChild, "styleRule", nullptr},
        {&kXStyleTable, "stylePage", FieldStorage::kChild, "stylePage", nullptr},
        {&kXStyleTable, "subStyles", FieldStorage::kHandWritten, "STYLE%03d", nullptr},
        {&kXListLevelTable, "levelText", FieldStorage::kHandWritten, "LEVEL%03d", nullptr},
        {&kXListLevelTable, "levelForm", FieldStorage::kChild, "levelForm", nullptr},
        {&kXListLevelTable, "levelRule", FieldStorage::kChild, "levelRule", nullptr},
        {&kXListLevelTable, "levelPage", FieldStorage::kNotStored, nullptr, nullptr},
        {&kXListLevelTable, "levelStyle", FieldStorage::kNotStored, nullptr, nullptr},
        {&kXListDefTable, "levels", FieldStorage::kHandWritten, "LEVEL%03d", nullptr},
        {&kXListOvrTable, "levels", FieldStorage::kHandWritten, "LEVEL%03d", nullptr},
        {&kXListOvrTable, "startOverride", FieldStorage::kHandWritten, nullptr, "XListOvr_startOverride%03d"},
        {&kXListPicTable, "picture", FieldStorage::kHandWritten, nullptr, nullptr},
    };
    expectStoredAs(cases);
    EXPECT_EQ(findField(kXListDefTable, "levels")->itemCount, kListLevels);
    EXPECT_EQ(findField(kXListDefTable, "levels")->sub, &kXListLevelTable);
}

// Records are equal when their fields are, whatever the bytes between the fields hold.
TEST(DocumentRecordTables, EqualityLooksAtFieldsNotPadding) {
    XFont a;
    XFont b;
    std::memset(&a, 0x00, sizeof a);
    std::memset(&b, 0xFF, sizeof b);
    for (XFont* font : {&a, &b}) {
        std::memset(font->fontPanose, 0, sizeof font->fontPanose);
        std::memset(font->fontAltName, 0, sizeof font->fontAltName);
        std::memset(font->fontPCName, 0, sizeof font->fontPCName);
        std::memset(font->fontMacName, 0, sizeof font->fontMacName);
        std::strcpy(font->fontPCName, "Arial");
        font->fontUniqueID = 7;
        font->fontMacFont = font->fontMacSize = font->fontMacFlag = font->fontMacLanguage = 0;
        font->fontRTFNumber = font->fontFamily = font->fontCharset = 0;
        font->fontMacFace = FontFaceSpec{1, 2};
    }
    EXPECT_TRUE(equalXFont(a, b));
    b.fontMacFace.r = 3;
    EXPECT_FALSE(equalXFont(a, b));
    XFont copy;
    EXPECT_TRUE(equalXFont(*copyXFont(&copy, &a), a));

    XListOvr left{};
    XListOvr right{};
    right.startOverride[8] = 1;
    EXPECT_FALSE(equalXListOvr(left, right));
    right.startOverride[8] = 0;
    XListLevels levels{};
    right.levels = &levels;
    EXPECT_FALSE(equalXListOvr(left, right)) << "levels of its own";
}

}  // namespace
