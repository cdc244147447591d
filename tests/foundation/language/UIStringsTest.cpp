#include <gtest/gtest.h>

#include <string>

#include "foundation/encoding/WideApiFlag.h"
#include "foundation/language/ResourceModule.h"
#include "foundation/language/UIStrings.h"
#include "platform/process/AllocationFailure.h"

namespace {

// Every test starts and ends with the program's own module in force and the wide calls chosen.
class UIStringsTest : public ::testing::Test {
protected:
    void SetUp() override { setResourceModule(nullptr); }
    void TearDown() override {
        setResourceModule(nullptr);
        useWideApi = 1;
    }
};

// The program's table is built at its first use; when that build runs out of memory, the next use builds it
// again instead of answering empty texts for the rest of the process. (Run alone, as ctest runs it, this is
// the first use.)
TEST_F(UIStringsTest, ATableBuildThatRanOutOfMemoryIsTriedAgain) {
    {
        platform::ScopedAllocationFailure failure(1);
        loadUniText(nullptr, 10203);
    }
    EXPECT_EQ(std::u16string(loadUniText(nullptr, 10203)), u"Loading:");
}

TEST_F(UIStringsTest, LoadTextKeeps254CharactersOnACharacterBoundary) {
    EXPECT_STREQ(loadText(nullptr, 10203), "Loading:");
    EXPECT_STREQ(loadText(nullptr, 65000), "");
    EXPECT_EQ(std::u16string(loadUniText(nullptr, 65000)), u"");
    EXPECT_EQ(std::u16string(loadUniText(nullptr, 10226)), u"Preparing to write converted file... [%d]");
    char small[5];
    EXPECT_STREQ(loadText(small, 10203), "Load");
    char16_t smallWide[5];
    EXPECT_EQ(std::u16string(loadUniText(smallWide, 10203)), u"Load");

    std::string longText = "vostrandimeko-strings 1\n1 \"";
    for (int i = 0; i < 200; ++i) longText += "\xC3\xA9";  // 400 bytes, 200 units
    longText += "\"\n2 \"" + std::string(300, 'w') + "\"\nend\n";
    setResourceModule(ResourceModule::fromSource(longText, nullptr));
    ASSERT_EQ(resourceModule().stringCount(), 2);
    EXPECT_EQ(std::string(loadText(nullptr, 1)).size(), 254u);  // 127 whole characters
    EXPECT_EQ(std::u16string(loadUniText(nullptr, 1)).size(), 200u);
    EXPECT_EQ(std::u16string(loadUniText(nullptr, 2)).size(), 254u);
    useWideApi = 0;  // the 8-bit path carries UTF-8
    EXPECT_EQ(std::u16string(loadUniText(nullptr, 1)), std::u16string(127, u'\u00e9'));
    EXPECT_EQ(std::u16string(loadUniText(nullptr, 2)).size(), 254u);
}

}  // namespace
