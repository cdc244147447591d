// The quick name equality answers as the full name rule does, also where the two part ways: a case
// difference, a '-' on one side or both, one name the start of the other.
#include <gtest/gtest.h>

#include "foundation/text/NameCompare.h"

namespace {

TEST(SameName, AgreesWithTheNameRule) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"r", "r", true},
        {"r", "rPr", false},
        {"rPr", "r", false},
        {"tbl", "tc", false},
        {"", "", true},
        {"", "p", false},
        {"bookmarkStart", "BookMarkStart", true},
        {"TargetMode", "targetmode", true},
        {"-1", "1", true},
        {"a-b", "ab", true},
        {"ab", "a-b", true},
        {"a--b", "a-b", false},  // only a single '-' is stepped over at a place
        {"x-y", "x-y", true},
        {"x-y", "x-z", false},
        {"a[", "a{", false},  // bytes 32 apart that are no letters
        {"@", "`", false},
        {"\xC3\xA9t\xC3\xA9", "\xC3\x89t\xC3\x89", false},  // no folding beyond ASCII
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sameName(c.a, c.b), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(sameName(c.a, c.b), compareNames(c.a, c.b) == 0) << c.a << " / " << c.b;
        EXPECT_EQ(sameName(c.b, c.a), c.same) << c.b << " / " << c.a;
    }
}

}  // namespace
