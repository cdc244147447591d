#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/language/StringTableFormat.h"

namespace {

TEST(StringTableFormat, ReadsEscapesCommentsAndLineEnds) {
    const std::string source =
        "\xEF\xBB\xBF# a comment\r\n"
        "\r\n"
        "  vostrandimeko-strings 1  \r\n"
        "10331 \"\\r\\r--- graphic start ---\\r\"\r\n"
        "  20041\t\"_(* \\\"-\\\"_)\"   \r\n"
        "   # an indented comment\n"
        "7 \"back\\\\slash\\ttab\\nline\"\n"
        "0 \"\"\n"
        "65535 \"caf\xC3\xA9\"\n"
        "end\n"
        "# a comment after the end\n";
    std::vector<StringTableEntry> entries;
    std::string error;
    ASSERT_TRUE(parseStringTable(source, entries, error)) << error;
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].id, 10331);
    EXPECT_EQ(entries[0].text, "\r\r--- graphic start ---\r");
    EXPECT_EQ(entries[1].text, "_(* \"-\"_)");
    EXPECT_EQ(entries[2].text, "back\\slash\ttab\nline");
    EXPECT_EQ(entries[3].text, "");
    EXPECT_EQ(entries[4].id, 65535);
    EXPECT_EQ(entries[4].text, "caf\xC3\xA9");
}

TEST(StringTableFormat, RefusesAnyFaultWithItsLine) {
    using namespace std::string_literals;
    struct Case {
        std::string source;
        const char* where;
    };
    const Case cases[] = {
        {"", "end of file"},
        {"# only a comment\n", "end of file"},
        {"vostrandimeko-strings 1\n1 \"a\"\n", "end of file"},  // no end line: cut off
        {"strings 1\n1 \"a\"\nend\n", "line 1"},
        {"vostrandimeko-strings 1\n1 \"a\nend\n", "line 2"},  // no closing quote
        {"vostrandimeko-strings 1\n1 \"a\" b\nend\n", "line 2"},
        {"vostrandimeko-strings 1\n1 a\nend\n", "line 2"},
        {"vostrandimeko-strings 1\n1\"a\"\nend\n", "line 2"},
        {"vostrandimeko-strings 1\n-1 \"a\"\nend\n", "line 2"},
        {"vostrandimeko-strings 1\n65536 \"a\"\nend\n", "line 2"},
        {"vostrandimeko-strings 1\n99999999999999999999999 \"a\"\nend\n", "line 2"},
        {"vostrandimeko-strings 1\n1 \"a\\q\"\nend\n", "line 2"},
        {"vostrandimeko-strings 1\n1 \"a\\\nend\n", "line 2"},
        {"vostrandimeko-strings 1\n1 \"a\tb\"\nend\n", "line 2"},    // a raw tab
        {"vostrandimeko-strings 1\n1 \"a\xC3\"\nend\n", "line 2"},  // malformed UTF-8
        {"vostrandimeko-strings 1\n1 \"a\0\"\nend\n"s, "line 2"},   // a NUL byte
        {"vostrandimeko-strings 1\n1 \"a\"\n1 \"b\"\nend\n", "line 3"},
        {"vostrandimeko-strings 1\nend\n2 \"late\"\n", "line 3"},
    };
    for (const auto& c : cases) {
        std::vector<StringTableEntry> entries{{1, "stale"}};
        std::string error;
        EXPECT_FALSE(parseStringTable(c.source, entries, error)) << c.source;
        EXPECT_TRUE(entries.empty()) << c.source;
        EXPECT_EQ(error.rfind(c.where, 0), 0u) << c.source << " -> " << error;
    }
}

}  // namespace
