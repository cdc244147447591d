#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/CFail.h"
#include "foundation/CRandom.h"
#include "foundation/memory/Memory.h"
#include "model/params/ParamBlockTables.h"
#include "model/params/XParamBlock.h"
#include "model/tables/CAuthorArray.h"
#include "model/tables/CColorArray.h"
#include "model/tables/CFontArray.h"
#include "tests/model/params/ParamBlockDoubles.h"

namespace {

const RGBColor kRed{255, 0, 0};
const RGBColor kBlue{0, 0, 255};

// A block set up without a task, released at the end of the test.
class ParamBlockTablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        seedSharedRandomForTesting(1802, 9373);
        initXParamBlock(nullptr, &block);
    }
    void TearDown() override { disposeXParamBlock(&block); }

    void useTheme(std::map<std::int16_t, std::string> fonts) {
        disposeObject(block.theme);
        block.theme = new ThemeDouble(std::move(fonts));
    }
    std::int32_t fontCount() const { return block.fonts->getCount(); }

    XParamBlock block;
};

TEST_F(ParamBlockTablesTest, TheAutomaticColourIsNeitherStoredNorFound) {
    addColor(&kAutoColor, &block);
    EXPECT_EQ(block.colors->getCount(), 0);
    EXPECT_EQ(findColor(&kAutoColor, &block), -1);
}

TEST_F(ParamBlockTablesTest, ColoursAreRegisteredOnceInOrderOfFirstUse) {
    addColor(&kRed, &block);
    addColor(&kBlue, &block);
    addColor(&kRed, &block);
    EXPECT_EQ(block.colors->getCount(), 2);
    EXPECT_EQ(findColor(&kRed, &block), 1);
    EXPECT_EQ(findColor(&kBlue, &block), 2);
    EXPECT_EQ(findColor(nullptr, &block), -1);
}

struct ShadingCase {
    const char* title;
    ShadingSpec shading;
    std::int32_t colours;
};

TEST_F(ParamBlockTablesTest, BordersAndShadingsRegisterTheirColours) {
    const ShadingCase cases[] = {
        {"tint equal to fill", {1, kRed, kRed}, 1},
        {"tint and fill", {1, kRed, kBlue}, 2},
        {"automatic tint", {1, kAutoColor, kBlue}, 1},
    };
    for (const auto& c : cases) {
        disposeXParamBlock(&block);
        initXParamBlock(nullptr, &block);
        addShadingColors(&c.shading, &block);
        EXPECT_EQ(block.colors->getCount(), c.colours) << c.title;
        EXPECT_EQ(findColor(&c.shading.patternFill, &block), c.colours) << c.title;
    }
    const BorderSpec border{10, 1, RGBColor{0, 128, 0}, 0};
    addBorderColor(&border, &block);
    EXPECT_EQ(findColor(&border.borderTint, &block), 2);
}

TEST_F(ParamBlockTablesTest, AuthorsAreFoundByExactName) {
    addAuthor("Ann", &block);
    addAuthor("Bob", &block);
    addAuthor("Ann", &block);
    EXPECT_EQ(findAuthor("Bob", &block), 2);
    EXPECT_EQ(findAuthor("ann", &block), -1);
    EXPECT_EQ(block.authors->getCount(), 2);
}

TEST_F(ParamBlockTablesTest, AFontRecordOfAKnownNameInOtherCaseAddsNothing) {
    XFont font{};
    std::strcpy(font.fontPCName, "Cambria");
    font.fontUniqueID = 3;
    const std::int16_t id = addFontRecord(&font, &block);
    std::strcpy(font.fontPCName, "CAMBRIA");
    font.fontFamily = 2;
    EXPECT_EQ(addFontRecord(&font, &block), id);
    EXPECT_EQ(fontCount(), 1);
    ASSERT_NE(getFont(id, &block), nullptr);
    EXPECT_EQ(getFont(id, &block)->fontFamily, 0);
    EXPECT_EQ(getFont(static_cast<std::int16_t>(id + 1), &block), nullptr);
}

TEST_F(ParamBlockTablesTest, AnUnknownNameAddsAPlainFont) {
    const std::int16_t id = addFontByName("Gill Sans", &block);
    ASSERT_GT(id, 0);
    const XFont* font = getFont(id, &block);
    ASSERT_NE(font, nullptr);
    EXPECT_STREQ(font->fontPCName, "Gill Sans");
    EXPECT_EQ(font->fontFamily, 0);
    EXPECT_EQ(font->fontCharset, 0);
    EXPECT_EQ(addFontByName("gill SANS", &block), id);
    EXPECT_EQ(fontCount(), 1);
    EXPECT_EQ(addFontByName(nullptr, &block), 0);
}

// A name longer than the record's field is cut where a character ends, and finds its font again.
TEST_F(ParamBlockTablesTest, ALongNameIsCutToItsFieldAndFoundAgain) {
    std::string name(kFontNameBytes - 2, 'n');
    name += "\xC3\xA9\xC3\xA9";  // "éé": the first straddles the end of the field
    const std::int16_t id = addFontByName(name.c_str(), &block);
    EXPECT_EQ(std::strlen(getFont(id, &block)->fontPCName), static_cast<std::size_t>(kFontNameBytes - 2));
    EXPECT_EQ(addFontByName(name.c_str(), &block), id);
    EXPECT_EQ(fontCount(), 1);
}

struct AliasCase {
    const char* name;
    std::int16_t code;
};

// Without a typeface in the theme an alias answers its code and adds nothing, however it is written.
TEST_F(ParamBlockTablesTest, AliasesWithoutAThemeFontAnswerTheirCodes) {
    const AliasCase cases[] = {
        {"majorAscii", -99}, {"majorHAnsi", -98}, {"majorBidi", -97}, {"majorEastAsia", -96},
        {"minorAscii", -95}, {"minorHAnsi", -94}, {"minorBidi", -93}, {"minorEastAsia", -92},
        {"minor-HAnsi", -94}, {"MINORHANSI", -94}, {"-majorbidi", -97},
    };
    for (const auto& c : cases) EXPECT_EQ(addFontByName(c.name, &block), c.code) << c.name;
    EXPECT_EQ(fontCount(), 0);
    // An empty typeface is no typeface.
    useTheme({{-93, ""}});
    EXPECT_EQ(addFontByName("minorBidi", &block), -93);
    EXPECT_EQ(fontCount(), 0);
}

TEST_F(ParamBlockTablesTest, AnAliasResolvesToTheThemesTypeface) {
    useTheme({{-94, "Calibri"}, {-98, "Calibri Light"}});
    const std::int16_t id = addFontByName("minor-HAnsi", &block);
    ASSERT_GT(id, 0);
    EXPECT_STREQ(getFont(id, &block)->fontPCName, "Calibri");
    EXPECT_EQ(addFontByName("minorHAnsi", &block), id);
    EXPECT_EQ(addFontByName("calibri", &block), id);
    EXPECT_NE(addFontByName("majorHAnsi", &block), id);
    EXPECT_EQ(fontCount(), 2);
    EXPECT_EQ(addFontByName("minorEastAsia", &block), -92);
}

// A theme whose typeface is itself an alias name gives a font of that name instead of resolving again.
TEST_F(ParamBlockTablesTest, AThemeTypefaceThatIsAnAliasIsAPlainName) {
    useTheme({{-94, "minorHAnsi"}, {-95, "majorAscii"}, {-99, "minorAscii"}});
    const std::int16_t first = addFontByName("minorHAnsi", &block);
    ASSERT_GT(first, 0);
    EXPECT_STREQ(getFont(first, &block)->fontPCName, "minorHAnsi");
    const std::int16_t second = addFontByName("minorAscii", &block);
    ASSERT_GT(second, 0);
    EXPECT_STREQ(getFont(second, &block)->fontPCName, "majorAscii");
    // Both names are fonts of the table now and are found as such.
    EXPECT_EQ(addFontByName("majorAscii", &block), second);
    EXPECT_EQ(fontCount(), 2);
}

TEST_F(ParamBlockTablesTest, FontsAreNumberedInTableOrder) {
    EXPECT_EQ(numberFonts(&block), 0);
    addFontByName("A", &block);
    addFontByName("B", &block);
    addFontByName("C", &block);
    EXPECT_EQ(numberFonts(&block), 3);
    for (std::int32_t i = 1; i <= 3; ++i) EXPECT_EQ(block.fonts->get(i)->fontRTFNumber, i - 1);
}

TEST(ParamBlockTables, WideningCopiesEachByteAsOneUnit) {
    const std::uint8_t abc[] = {3, 'a', 'b', 'c'};
    char16_t out[255];
    std::memset(out, 0xFF, sizeof out);
    std::int32_t length = -1;
    widenPascalText(out, &length, abc);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(std::u16string(out, 3), u"abc");
    EXPECT_EQ(out[3], 0xFFFF) << "no terminator is written";
    const std::uint8_t high[] = {1, 0xE9};
    widenPascalText(out, nullptr, high);
    EXPECT_EQ(out[0], 0x00E9);
    widenPascalText(out, &length, nullptr);
    EXPECT_EQ(length, 0);
    std::uint8_t longest[256];
    longest[0] = 255;
    std::memset(longest + 1, 'z', 255);
    widenPascalText(out, &length, longest);
    EXPECT_EQ(length, 255);
    EXPECT_EQ(out[254], u'z');
}

// A block whose set-up stopped before its tables answers absence to look-ups and 22 to additions.
TEST(ParamBlockTables, ABlockWithoutTablesFindsNothingAndRefusesAdditions) {
    XParamBlock block;
    std::memset(static_cast<void*>(&block), 0, sizeof block);
    EXPECT_EQ(findAuthor("Ann", &block), -1);
    EXPECT_EQ(findColor(&kRed, &block), -1);
    EXPECT_EQ(getFont(1, &block), nullptr);
    EXPECT_EQ(numberFonts(&block), 0);
    EXPECT_EQ(findListDefForOverride(1, &block), nullptr);
    auto expect22 = [](auto&& call) {
        try {
            call();
            ADD_FAILURE() << "an addition to a missing table succeeded";
        } catch (const CFail& failure) {
            EXPECT_EQ(failure.error, 22);
            EXPECT_STREQ(failure.fileName, "BEngine");
        }
    };
    expect22([&] { addAuthor("Ann", &block); });
    expect22([&] { addColor(&kRed, &block); });
    expect22([&] { addFontByName("Arial", &block); });
    expect22([&] { addStyle(newXStyle(), &block); });  // the style is released, not leaked
}

template <typename Record>
Record* newRecords(std::int32_t count) {
    auto* records = static_cast<Record*>(allocMemory(count * static_cast<std::int32_t>(sizeof(Record))));
    std::memset(static_cast<void*>(records), 0, static_cast<std::size_t>(count) * sizeof(Record));
    return records;
}

// Definitions 10, 20 and 30, the last two defining and referring to numbering styles; overrides 1 and 2.
class ListLookupTest : public ParamBlockTablesTest {
protected:
    void SetUp() override {
        ParamBlockTablesTest::SetUp();
        block.listDefs = newRecords<XListDef>(3);
        block.listDefCount = 3;
        block.listDefs[0].listDefId = 10;
        block.listDefs[1].listDefId = 20;
        std::strcpy(block.listDefs[1].listStyleName, "Outline List");
        block.listDefs[2].listDefId = 30;
        std::strcpy(block.listDefs[2].listStyleId, "outline list");
        block.listDefs[2].levels[0].levelText = static_cast<char16_t*>(allocMemory(4));
        block.listOvrs = newRecords<XListOvr>(3);
        block.listOvrCount = 3;
        block.listOvrs[0] = XListOvr{.listIlst = 99, .listIlfo = 1};  // its definition is missing
        block.listOvrs[1] = XListOvr{.listIlst = 20, .listIlfo = 1};
        block.listOvrs[2] = XListOvr{.listIlst = 30, .listIlfo = 2};
    }
};

TEST_F(ListLookupTest, AnOverrideWithoutItsDefinitionIsPassedOver) {
    XListDef* first = findListDefForOverride(1, &block);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->listDefId, 20);
    EXPECT_NE(first, &block.listDefs[1]) << "the answer is a copy";
    XListDef* second = findListDefForOverride(2, &block);
    EXPECT_EQ(second, first) << "one record serves every call";
    EXPECT_EQ(second->listDefId, 30);
    EXPECT_EQ(second->levels[0].levelText, block.listDefs[2].levels[0].levelText) << "texts are shared";
    EXPECT_EQ(findListDefForOverride(3, &block), nullptr);
}

TEST_F(ListLookupTest, CountsBeyondTheArraysAreNotFollowed) {
    block.listOvrCount = 500;
    block.listDefCount = 500;
    EXPECT_EQ(findListDefForOverride(2, &block)->listDefId, 30);
    EXPECT_EQ(findListDefForOverride(77, &block), nullptr);
    block.listOvrCount = -1;
    EXPECT_EQ(findListDefForOverride(2, &block), nullptr);
}

TEST_F(ListLookupTest, AReferenceToANumberingStyleFindsTheDefinitionThatDefinesIt) {
    EXPECT_EQ(findListDefByName(&block.listDefs[2], &block), &block.listDefs[1]);
    // An empty reference answers the definition itself, even when another one carries the same names.
    EXPECT_EQ(findListDefByName(&block.listDefs[1], &block), &block.listDefs[1]);
    std::strcpy(block.listDefs[0].listStyleName, "Outline List");
    EXPECT_EQ(findListDefByName(&block.listDefs[0], &block), &block.listDefs[0]);
    // A style that no definition defines leaves the definition itself.
    std::strcpy(block.listDefs[2].listStyleId, "Bullets");
    EXPECT_EQ(findListDefByName(&block.listDefs[2], &block), &block.listDefs[2]);
    EXPECT_EQ(findListDefByName(nullptr, &block), nullptr);
}

TEST_F(ListLookupTest, CopyingADefinitionSharesItsLevelTexts) {
    XListDef copy;
    std::memset(static_cast<void*>(&copy), 0xAB, sizeof copy);
    EXPECT_EQ(copyListDef(&copy, &block.listDefs[2]), &copy);
    EXPECT_TRUE(equalXListDef(copy, block.listDefs[2]));
    EXPECT_EQ(copy.levels[0].levelText, block.listDefs[2].levels[0].levelText);
}

}  // namespace
