// Shallow copies of a parameter block, and the reader under a lack of memory at every allocation: the
// copy shares what the original owns, and disposing the original alone releases each table once (the
// sanitizers' leak and double-free checks watch both).
#include <cstring>

#include "engine/export/parameters/ParamBlockCopies.h"
#include "platform/process/AllocationFailure.h"
#include "tests/engine/export/DocParamsTestSupport.h"

namespace docparamstest {
namespace {

TEST_F(DocParamsTest, ACopySharesTheTablesAndKeepsItsOwnValues) {
    importDocument();
    ASSERT_EQ(readBack(), 1);
    XParamBlock copy{};
    copyParamBlock(&copy, &block);
    EXPECT_EQ(copy.fonts, block.fonts);
    EXPECT_EQ(copy.fonts->getCount(), 4);
    EXPECT_EQ(copy.styles, block.styles);
    EXPECT_EQ(copy.colors, block.colors);
    EXPECT_EQ(copy.authors, block.authors);
    EXPECT_EQ(copy.theme, block.theme);
    EXPECT_EQ(copy.listDefs, block.listDefs);
    EXPECT_TRUE(equalXHead(copy.head, block.head));

    // Text written through the copy is the original's text; the copy's length and records are its own.
    copy.textLength = 3;
    std::memcpy(copy.textBuffer, u"abc", 3 * sizeof(char16_t));
    copy.form.txtSize = 99;
    copy.head.viewScale = 5;
    EXPECT_EQ(block.textLength, 0);
    EXPECT_EQ(std::u16string(block.textBuffer, 3), u"abc");
    EXPECT_NE(block.form.txtSize, 99);
    EXPECT_NE(block.head.viewScale, 5);
    // The copy is given up without disposal; the fixture disposes the original.
}

TEST_F(DocParamsTest, AHeadCopyKeepsEveryByteOfItsTexts) {
    XHead source;
    initXHead(&source);
    std::memset(source.originalTitle, 'x', sizeof source.originalTitle);
    std::strcpy(source.originalTitle, "short");
    XHead copy;
    std::memset(&copy, 0, sizeof copy);
    copyXHead(&copy, &source);
    EXPECT_EQ(std::memcmp(copy.originalTitle, source.originalTitle, sizeof copy.originalTitle), 0);
}

// Every allocation of the reading fails in turn: the reader either fails the file with 12 or answers 1
// with the whole block, never 0 with a table half read; the block is always one that its disposal
// releases, and a copy taken of it before is released with it, once.
TEST_F(DocParamsTest, ALackOfMemoryAnywhereFailsTheFileAndReleasesEverythingOnce) {
    importDocument();
    platform::failNthAllocation(INT64_MAX);
    ASSERT_EQ(readBack(), 1);
    const std::int64_t allocations = platform::allocationsCountedSinceArmed();
    platform::disarmAllocationFailure();
    disposeXParamBlock(&block);
    ASSERT_GT(allocations, 0);

    int failed = 0;
    for (std::int64_t k = 1; k <= allocations; ++k) {
        int answer = -1;
        std::int16_t code = 0;
        {
            platform::ScopedAllocationFailure failure(k);
            try {
                answer = readBack();
            } catch (const CFail& caught) {
                code = caught.error;
            }
        }
        if (code != 0) {
            ++failed;
            EXPECT_EQ(code, result::kOutOfMemory) << "allocation " << k;
        } else {
            EXPECT_EQ(answer, 1) << "allocation " << k << ": a lack of memory ended the reading quietly";
            if (answer == 1) expectSameBlock(copyBlock(block), given);
        }
        XParamBlock copy{};
        copyParamBlock(&copy, &block);
        disposeXParamBlock(&block);
        block = XParamBlock{};
        if (::testing::Test::HasFailure()) break;  // one allocation's report is enough
    }
    EXPECT_GT(failed, 0) << "the sweep reached no allocation of the reading (" << allocations << " counted)";
}

}  // namespace
}  // namespace docparamstest
