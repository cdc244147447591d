#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/memory/SearchTrees.h"
#include "foundation/text/NameCompare.h"
#include "platform/process/AllocationFailure.h"

namespace {

struct NameCase {
    const char* a;
    const char* b;
    int sign;  // -1, 0, 1
};

int signOf(int value) {
    return (value > 0) - (value < 0);
}

TEST(CompareNames, FoldsAsciiCaseAndStepsOverSingleHyphens) {
    const NameCase cases[] = {
        {"TargetMode", "targetmode", 0}, {"true", "TRUE", 0}, {"-1", "1", 0},   {"abc-", "abc", 0},
        {"en-US", "enus", 0},            {"a--b", "ab", -1},   {"abc", "abd", -1}, {"ab", "abc", -1},
        {"\xC3\x89", "\xC3\xA9", -1},  // only ASCII letters fold
    };
    for (const auto& c : cases) EXPECT_EQ(signOf(compareNames(c.a, c.b)), c.sign) << c.a << " / " << c.b;
    const char* same = "X";
    EXPECT_EQ(compareNames(same, same), 0);
}

TEST(CLitTree, InsertFindRemoveByTheNameRule) {
    CLitTree tree;
    std::int32_t value = -7;
    EXPECT_EQ(tree.find("en", value), treeResult::kNotFound);
    EXPECT_EQ(value, -7);

    const char* keys[] = {"fr", "de", "en-us", "ja", "zh", "ar", "he"};
    for (std::int32_t i = 0; i < 7; ++i) EXPECT_EQ(tree.insert(keys[i], i), treeResult::kOk);
    EXPECT_EQ(tree.insert("EN-US", 99), treeResult::kDuplicate);
    EXPECT_EQ(tree.insert("enus", 99), treeResult::kDuplicate);
    EXPECT_EQ(tree.insert("toolong8", 1), treeResult::kKeyTooLong);

    ASSERT_EQ(tree.find("En-Us", value), treeResult::kOk);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(tree.remove("fr"), treeResult::kOk);  // the root, with two children
    EXPECT_EQ(tree.remove("fr"), treeResult::kNotFound);
    for (std::int32_t i = 1; i < 7; ++i) {
        ASSERT_EQ(tree.find(keys[i], value), treeResult::kOk) << keys[i];
        EXPECT_EQ(value, i);
    }
}

TEST(CLitTree, RefusedNodeLeavesTheTreeAsItWas) {
    CLitTree tree;
    ASSERT_EQ(tree.insert("a", 1), treeResult::kOk);
    {
        platform::ScopedAllocationFailure failNext(1);
        EXPECT_EQ(tree.insert("b", 2), treeResult::kNoMemory);
    }
    std::int32_t value = 0;
    EXPECT_EQ(tree.find("b", value), treeResult::kNotFound);
    EXPECT_EQ(tree.insert("b", 2), treeResult::kOk);
}

TEST(CNumTree, FindsTheRangeHoldingANumber) {
    CNumTree tree;
    EXPECT_EQ(tree.insert(0x0000, 0x007F, 1), treeResult::kOk);
    EXPECT_EQ(tree.insert(0x0080, 0x00FF, 2), treeResult::kOk);
    EXPECT_EQ(tree.insert(0xFFFF0000u, 0xFFFFFFFFu, 3), treeResult::kOk);
    EXPECT_EQ(tree.insert(0x0000FFFF, 0x0000FFFF, 4), treeResult::kOk);
    EXPECT_EQ(tree.insert(0x41, 0x41, 5), treeResult::kOk);
    EXPECT_EQ(tree.insert(0x41, 0x41, 6), treeResult::kDuplicate);

    const std::pair<std::uint32_t, std::int32_t> cases[] = {
        {0x0000, 1}, {0x007F, 1}, {0x0080, 2}, {0x00FF, 2}, {0xFFFF0001u, 3}, {0x0000FFFF, 4}, {0x0100, -1}, {0x10000, -1}};
    for (const auto& [number, expected] : cases) {
        std::int32_t value = -1;
        const std::int16_t found = tree.find(number, value);
        EXPECT_EQ(found, expected < 0 ? treeResult::kNotFound : treeResult::kOk) << number;
        EXPECT_EQ(value, expected) << number;
    }
    EXPECT_EQ(tree.remove(0x0080), treeResult::kOk);
    std::int32_t value = 0;
    EXPECT_EQ(tree.find(0x0090, value), treeResult::kNotFound);
    EXPECT_EQ(tree.remove(0x0080), treeResult::kNotFound);
}

TEST(CNumTree, RemovalsInAnyOrderKeepTheRestFindable) {
    CNumTree tree;
    std::vector<std::uint32_t> lows;
    for (std::uint32_t i = 0; i < 200; ++i) {
        const std::uint32_t low = (i * 7919u) % 1000u * 10u;
        lows.push_back(low);
        ASSERT_EQ(tree.insert(low, low + 5, static_cast<std::int32_t>(low)), treeResult::kOk);
    }
    for (std::size_t k = 0; k < lows.size(); k += 2) ASSERT_EQ(tree.remove(lows[k]), treeResult::kOk);
    for (std::size_t k = 0; k < lows.size(); ++k) {
        std::int32_t value = -1;
        const bool removed = k % 2 == 0;
        EXPECT_EQ(tree.find(lows[k] + 3, value), removed ? treeResult::kNotFound : treeResult::kOk);
        if (!removed) {
            EXPECT_EQ(value, static_cast<std::int32_t>(lows[k]));
        }
    }
}

TEST(CNumTree, ADeepUnbalancedTreeIsFreedWithoutRecursion) {
    CNumTree tree;
    for (std::uint32_t i = 0; i < 20000; ++i) ASSERT_EQ(tree.insert(i, i, 0), treeResult::kOk) << i;
}

}  // namespace
