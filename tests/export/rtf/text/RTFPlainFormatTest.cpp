// The emitter's quick formatter must write exactly what vsnprintf writes for every form it takes, and
// hand every other form (and a result too long for its room) back to vsnprintf.
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "export/rtf/text/RTFPlainFormat.h"

namespace {

// What the quick formatter writes into a buffer of the room, or "<-1>" when it declines.
std::string plain(std::size_t room, const char* format, ...) {
    std::string text(room, '#');
    va_list arguments;
    va_start(arguments, format);
    const int length = formatPlainVa(text.data(), room, format, arguments);
    va_end(arguments);
    if (length < 0) return "<-1>";
    EXPECT_EQ(text[static_cast<std::size_t>(length)], '\0');
    return text.substr(0, static_cast<std::size_t>(length));
}

#define EXPECT_LIKE_SNPRINTF(format, ...)                                  \
    do {                                                                   \
        char expected[256];                                                \
        const int n = std::snprintf(expected, sizeof expected, format, __VA_ARGS__); \
        EXPECT_EQ(plain(256, format, __VA_ARGS__), std::string(expected, static_cast<std::size_t>(n))) << format; \
    } while (0)

TEST(RTFPlainFormat, WritesWhatSnprintfWritesForTheFormsItTakes) {
    EXPECT_LIKE_SNPRINTF("\\fs%d", 24);
    EXPECT_LIKE_SNPRINTF("\\li%d\\ri%d", -720, 0);
    EXPECT_LIKE_SNPRINTF("%d%d", INT_MIN, INT_MAX);
    EXPECT_LIKE_SNPRINTF("\\bin%lld ", LLONG_MIN);
    EXPECT_LIKE_SNPRINTF("{\\*\\bkmkstart %s}", "name");
    EXPECT_LIKE_SNPRINTF("\\%s%s", "", "ltrch");
    EXPECT_LIKE_SNPRINTF("%c\\'%c%%", 'x', '9');
    EXPECT_LIKE_SNPRINTF("100%% of %d", 7);
    EXPECT_LIKE_SNPRINTF("%s", "plain words without a conversion");
    // A zero character is written like any other.
    EXPECT_LIKE_SNPRINTF("a%cb", 0);
}

TEST(RTFPlainFormat, DeclinesOtherFormsAndTextsThatDoNotFit) {
    EXPECT_EQ(plain(64, "\\'%02x", 0xAB), "<-1>");
    EXPECT_EQ(plain(64, "%5d", 1), "<-1>");
    EXPECT_EQ(plain(64, "%u", 1u), "<-1>");
    EXPECT_EQ(plain(64, "%s", static_cast<const char*>(nullptr)), "<-1>");
    EXPECT_EQ(plain(64, "ends in %"), "<-1>");
    // Room for "\fs24" and its zero, and one byte less.
    EXPECT_EQ(plain(6, "\\fs%d", 24), "\\fs24");
    EXPECT_EQ(plain(5, "\\fs%d", 24), "<-1>");
    EXPECT_EQ(plain(4, "%s", "abcd"), "<-1>");
    EXPECT_EQ(plain(1, ""), "");
}

}  // namespace
