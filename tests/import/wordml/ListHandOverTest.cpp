// The hand-over of the list table to the parameter block, with memory running out at each of its
// allocations: the block always holds copies of its own, so disposing it frees each of them once and
// never a text of the table (the sanitizer build checks both).
#include <gtest/gtest.h>

#include "foundation/CFail.h"
#include "import/wordml/lists/LevelTexts.h"
#include "import/wordml/lists/ListHandOver.h"
#include "import/wordml/lists/TListDefsArray.h"
#include "model/params/XParamBlock.h"
#include "platform/process/AllocationFailure.h"

namespace {

void addDefinition(TListDefsArray& table, LevelTexts& texts, std::int32_t id) {
    auto definition = std::make_unique<TListDef>();
    definition->def.listDefId = id;
    for (int i = 0; i < 3; ++i) {
        const std::u16string& text = texts.keep(u"%1.");
        definition->def.levels[i].levelText = const_cast<char16_t*>(text.c_str());
        definition->def.levels[i].levelTextLength = static_cast<std::int32_t>(text.size());
    }
    ASSERT_TRUE(table.addDef(definition));
}

TEST(ListHandOverTest, EveryAllocationFailureLeavesABlockThatDisposesCleanly) {
    LevelTexts texts;
    TListDefsArray table;
    addDefinition(table, texts, 1);
    addDefinition(table, texts, 2);
    auto instance = std::make_unique<TListOvr>();
    instance->ovr.listIlfo = 1;
    (*ownOverrideLevels(instance->ovr))[0] = table.findDef(1)->def.levels[0];
    ASSERT_TRUE(table.addOvr(instance));
    auto bullet = std::make_unique<TListPic>();
    bullet->pic.listPicBulletId = 4;
    ASSERT_TRUE(table.addPic(bullet));

    bool completed = false;
    for (std::int64_t n = 1; !completed && n < 100; ++n) {
        XParamBlock block{};
        initXParamBlock(nullptr, &block);
        std::int16_t code = 0;
        {
            platform::ScopedAllocationFailure failure(n);
            try {
                handOverLists(table, &block);
                completed = true;
            } catch (const CFail& fail) {
                code = static_cast<std::int16_t>(fail.error);
            }
        }
        if (!completed) {
            EXPECT_EQ(code, 12) << "allocation " << n;
        }
        if (completed) {
            ASSERT_EQ(block.listDefCount, 2);
            ASSERT_EQ(block.listOvrCount, 1);
            ASSERT_EQ(block.listPicCount, 1);
            EXPECT_NE(block.listDefs[0].levels[0].levelText, table.findDef(1)->def.levels[0].levelText);
            ASSERT_NE(block.listOvrs[0].levels, nullptr);
            EXPECT_EQ(std::u16string((*block.listOvrs[0].levels)[0].levelText), u"%1.");
            EXPECT_EQ(block.listPics[0].picture, nullptr);
        }
        const ParamBlockRelease released = disposeXParamBlock(&block);
        if (completed) {
            EXPECT_EQ(released.levelTexts, 7) << "six texts of the definitions, one of the instance";
        }
    }
    EXPECT_TRUE(completed);
}

TEST(ListHandOverTest, TheFirstEntryOfAnIdWinsAndInstancesResolveToTheirDefinition) {
    LevelTexts texts;
    TListDefsArray table;
    addDefinition(table, texts, 7);
    auto duplicate = std::make_unique<TListDef>();
    duplicate->def.listDefId = 7;
    EXPECT_FALSE(table.addDef(duplicate));
    EXPECT_NE(duplicate, nullptr) << "a refused entry stays with the caller";
    auto instance = std::make_unique<TListOvr>();
    instance->ovr.listIlfo = 3;
    instance->ovr.listIlst = 7;
    ASSERT_TRUE(table.addOvr(instance));
    auto orphan = std::make_unique<TListOvr>();
    orphan->ovr.listIlfo = 4;
    orphan->ovr.listIlst = 99;
    ASSERT_TRUE(table.addOvr(orphan));
    EXPECT_EQ(table.findDefForOvr(3), table.findDef(7));
    EXPECT_EQ(table.findDefForOvr(4), nullptr);
    EXPECT_EQ(table.findDefForOvr(5), nullptr);
    EXPECT_EQ(table.definitions().size(), 1u);
}

}  // namespace
