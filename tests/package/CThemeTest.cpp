#include <gtest/gtest.h>

#include "package/CTheme.h"

namespace {

// Until a theme part is read the theme has no typeface for any code, so the theme-font aliases fall back
// to their codes.
TEST(CTheme, ANewThemeHasNoTypefaces) {
    const CTheme theme;
    for (int code = -100; code <= -91; ++code) EXPECT_EQ(theme.themeFontName(static_cast<std::int16_t>(code)), nullptr);
    EXPECT_EQ(theme.themeFontName(0), nullptr);
}

}  // namespace
