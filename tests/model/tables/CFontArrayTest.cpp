#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "foundation/CFail.h"
#include "foundation/CRandom.h"
#include "foundation/memory/Memory.h"
#include "model/tables/CFontArray.h"
#include "platform/process/AllocationFailure.h"

namespace {

XFont fontNamed(const char* name, std::int16_t id = 0) {
    XFont font;
    std::memset(&font, 0, sizeof font);
    std::strcpy(font.fontPCName, name);
    font.fontUniqueID = id;
    return font;
}

class CFontArrayTest : public ::testing::Test {
protected:
    void SetUp() override { seedSharedRandomForTesting(1802, 9373); }
    CFontArray fonts;
};

TEST_F(CFontArrayTest, NamesAreFoundWhateverTheirLetterCase) {
    const std::int16_t id = fonts.add(fontNamed("Times New Roman"));
    EXPECT_EQ(fonts.add(fontNamed("TIMES new roman")), id);
    EXPECT_EQ(fonts.getCount(), 1);
    EXPECT_EQ(fonts.findByName("times NEW Roman"), id);
    EXPECT_EQ(fonts.findByName("Times"), 0);
    EXPECT_EQ(fonts.findByName(nullptr), 0);
    // Letters beyond ASCII fold too.
    const std::int16_t accented = fonts.add(fontNamed("\xC3\x89toile"));  // "Étoile"
    EXPECT_EQ(fonts.findByName("\xC3\xA9TOILE"), accented);
}

TEST_F(CFontArrayTest, NewFontsGetFreshIdsAndTheGivenRecordKeepsItsOwn) {
    std::set<std::int16_t> ids;
    for (int i = 0; i < 40; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Font %d", i);
        const XFont given = fontNamed(name, 5);
        const std::int16_t id = fonts.add(given);
        EXPECT_GE(id, 1);
        EXPECT_LE(id, kMaxFontId);
        EXPECT_TRUE(ids.insert(id).second) << "id " << id << " given twice";
        EXPECT_EQ(given.fontUniqueID, 5);
        ASSERT_NE(fonts.findById(id), nullptr);
        EXPECT_STREQ(fonts.findById(id)->fontPCName, name);
    }
    EXPECT_EQ(fonts.findById(0), nullptr);
}

TEST_F(CFontArrayTest, NumberingFollowsTableOrder) {
    EXPECT_EQ(fonts.numberFonts(), 0);
    XFont font = fontNamed("Arial");
    font.fontRTFNumber = 17;
    fonts.add(font);
    fonts.add(fontNamed("Courier"));
    fonts.add(fontNamed("Symbol"));
    EXPECT_EQ(fonts.numberFonts(), 3);
    for (std::int32_t i = 1; i <= 3; ++i) EXPECT_EQ(fonts.get(i)->fontRTFNumber, i - 1);
    EXPECT_STREQ(fonts.get(1)->fontPCName, "Arial");
    EXPECT_STREQ(fonts.get(3)->fontPCName, "Symbol");
}

// A name that fills its field to the last byte is read only as far as the field reaches.
TEST_F(CFontArrayTest, ANameWithoutTerminatorIsCutInsideItsField) {
    XFont font = fontNamed("");
    std::memset(font.fontPCName, 'a', sizeof font.fontPCName);
    std::memset(font.fontPanose, 'b', sizeof font.fontPanose);
    const std::int16_t id = fonts.add(font);
    const XFont* stored = fonts.findById(id);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(std::strlen(stored->fontPCName), static_cast<std::size_t>(kFontNameBytes - 1));
    EXPECT_EQ(std::strlen(stored->fontPanose), static_cast<std::size_t>(kFontPanoseBytes - 1));
    EXPECT_EQ(fonts.add(font), id);
}

// With every id from 1 to 32767 in use an add fails with 22 instead of drawing for ever; with one id left
// it finds that id.
TEST_F(CFontArrayTest, AFullTableAnswers22) {
    for (std::int32_t id = 1; id <= kMaxFontId; ++id) {
        auto* font = static_cast<XFont*>(allocMemory(static_cast<std::int32_t>(sizeof(XFont))));
        ASSERT_NE(font, nullptr);
        *font = fontNamed("", static_cast<std::int16_t>(id == 777 ? 0 : id));
        std::snprintf(font->fontPCName, sizeof font->fontPCName, "F%d", id);
        fonts.append(&font);
    }
    EXPECT_EQ(fonts.add(fontNamed("One more")), 777);
    try {
        fonts.add(fontNamed("Too many"));
        FAIL() << "a full table took another font";
    } catch (const CFail& failure) {
        EXPECT_EQ(failure.error, 22);
        EXPECT_STREQ(failure.fileName, "BCommon");
    }
    EXPECT_EQ(fonts.getCount(), kMaxFontId + 1);
    EXPECT_EQ(fonts.findByName("Too many"), 0);
}

TEST_F(CFontArrayTest, LackOfMemoryAddsNothing) {
    for (std::int64_t n = 1;; ++n) {
        CFontArray table;
        for (int i = 0; i < 24; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "Font %d", i);
            table.add(fontNamed(name));
        }
        platform::failNthAllocation(n);
        try {
            table.add(fontNamed("Extra"));
        } catch (const CFail& failure) {
            platform::disarmAllocationFailure();
            EXPECT_EQ(failure.error, 12);
            EXPECT_EQ(table.getCount(), 24);
            EXPECT_EQ(table.findByName("Extra"), 0);
            continue;
        }
        platform::disarmAllocationFailure();
        EXPECT_NE(table.findByName("Extra"), 0);
        EXPECT_GE(n, 3);
        break;
    }
}

}  // namespace
