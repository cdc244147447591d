#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/storage/SplitToken.h"

namespace {

std::vector<std::string> tokens(std::string text, const char* separators) {
    std::vector<std::string> found;
    char* cursor = nullptr;
    for (char* token = splitToken(text.data(), separators, &cursor); token != nullptr;
         token = splitToken(nullptr, separators, &cursor)) {
        found.emplace_back(token);
    }
    return found;
}

TEST(SplitToken, SkipsRunsOfSeparatorsAndEndsAtTheText) {
    EXPECT_EQ(tokens("  a %d   bb %l ", " "), (std::vector<std::string>{"a", "%d", "bb", "%l"}));
    EXPECT_EQ(tokens("s4t-1r0g0b0p0", "strgbp"), (std::vector<std::string>{"4", "-1", "0", "0", "0", "0"}));
    EXPECT_TRUE(tokens("   ", " ").empty());
    EXPECT_TRUE(tokens("", " ").empty());
}

// Each split keeps its own cursor, so two can run interleaved.
TEST(SplitToken, TwoSplitsRunInterleaved) {
    std::string format = "x %C y %C";
    std::string value = "r1g2b3";
    char* formatCursor = nullptr;
    char* valueCursor = nullptr;
    EXPECT_STREQ(splitToken(format.data(), " ", &formatCursor), "x");
    EXPECT_STREQ(splitToken(value.data(), "rgb", &valueCursor), "1");
    EXPECT_STREQ(splitToken(nullptr, " ", &formatCursor), "%C");
    EXPECT_STREQ(splitToken(nullptr, "rgb", &valueCursor), "2");
    EXPECT_STREQ(splitToken(nullptr, " ", &formatCursor), "y");
    EXPECT_STREQ(splitToken(nullptr, "rgb", &valueCursor), "3");
    EXPECT_EQ(splitToken(nullptr, "rgb", &valueCursor), nullptr);
    EXPECT_STREQ(splitToken(nullptr, " ", &formatCursor), "%C");
}

}  // namespace
