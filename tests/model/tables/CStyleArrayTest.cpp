#include <gtest/gtest.h>

#include <cstring>

#include "foundation/CFail.h"
#include "model/tables/CStyleArray.h"
#include "platform/process/AllocationFailure.h"

namespace {

XStyle* styleNamed(const char* name) {
    XStyle* style = newXStyle();
    std::strcpy(style->styleName, name);
    return style;
}

void giveSubStyles(XStyle* style, int count) {
    for (int i = 0; i < count; ++i) style->subStyles[i] = styleNamed("sub");
    style->styleSubCount = static_cast<std::int16_t>(count);
}

// The table keeps the styles in the order given and releases them, with their sub-styles at any depth,
// when it goes (the sanitizer build checks that nothing leaks or is freed twice).
TEST(CStyleArray, TheTableOwnsItsStylesAndTheirSubStyles) {
    CStyleArray styles;
    XStyle* table = styleNamed("Table Grid");
    giveSubStyles(table, 4);
    giveSubStyles(table->subStyles[2], 2);
    styles.add(styleNamed("Normal"));
    styles.add(table);
    EXPECT_EQ(styles.getCount(), 2);
    EXPECT_STREQ(styles.get(1)->styleName, "Normal");
    EXPECT_EQ(styles.get(2), table);
    EXPECT_EQ(styles.get(3), nullptr);
}

TEST(CStyleArray, ANullStyleIsRefusedWith22) {
    CStyleArray styles;
    try {
        styles.add(nullptr);
        FAIL() << "a null style was taken";
    } catch (const CFail& failure) {
        EXPECT_EQ(failure.error, 22);
    }
    EXPECT_EQ(styles.getCount(), 0);
}

// A style handed over is the table's even when there is no room for it: it is released, not leaked.
TEST(CStyleArray, AStyleThatCannotBeAppendedIsReleased) {
    CStyleArray styles;
    for (int i = 0; i < 24; ++i) styles.add(newXStyle());
    XStyle* extra = styleNamed("extra");
    giveSubStyles(extra, 1);
    platform::failNthAllocation(1);
    EXPECT_THROW(styles.add(extra), CFail);
    platform::disarmAllocationFailure();
    EXPECT_EQ(styles.getCount(), 24);
}

struct SubCountCase {
    std::int16_t stored;
    std::int32_t used;
};

// Only the first 0 to 9 entries count, whatever the record claims.
TEST(XStyle, TheSubStyleCountIsTakenWithinTheRecord) {
    const SubCountCase cases[] = {{-3, 0}, {0, 0}, {4, 4}, {9, 9}, {10, 9}, {32767, 9}};
    for (const auto& c : cases) {
        XStyle style{};
        style.styleSubCount = c.stored;
        EXPECT_EQ(subStyleCount(style), c.used) << c.stored;
    }
}

// A sub-style that stands in a style twice, or points back up to its own parent, is released once.
TEST(XStyle, RepeatedAndCyclicSubStylesAreReleasedOnce) {
    XStyle* style = styleNamed("outer");
    XStyle* shared = styleNamed("shared");
    style->subStyles[0] = shared;
    style->subStyles[1] = shared;
    style->subStyles[2] = style;
    style->styleSubCount = 3;
    shared->subStyles[0] = style;
    shared->subStyles[1] = shared;
    shared->styleSubCount = 2;
    disposeXStyle(style);
    EXPECT_EQ(style, nullptr);
    XStyle* none = nullptr;
    disposeXStyle(none);
}

// Sub-styles nested deeper than any document goes are not walked; the walk ends instead of recursing on.
TEST(XStyle, DisposalOfADeepChainEnds) {
    XStyle* top = styleNamed("0");
    XStyle* at = top;
    for (int depth = 1; depth < kMaxStyleDepth; ++depth) {
        giveSubStyles(at, 1);
        at = at->subStyles[0];
    }
    disposeXStyle(top);  // exactly kMaxStyleDepth levels: all of them are released
    EXPECT_EQ(top, nullptr);
}

}  // namespace
