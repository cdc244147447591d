#include "app/requests/OpenCommand.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct CommandCase {
    const char* what;
    std::string data;
    std::optional<std::u16string> path;  // none: refused
};

std::string withNul(const std::string& text) {
    return text + std::string(1, '\0') + "trailing bytes after the end";
}

TEST(OpenCommand, OnlyAWellFormedOpenOfAnAbsolutePathIsTaken) {
    const std::string longName(kMaxCommandNameBytes + 1, 'o');
    const std::string longestPath = "/" + std::string(kMaxCommandPathBytes - 1, 'p');
    const CommandCase cases[] = {
        {"the desktop's form", "[Open(\"/home/a/Report.docx\")]", u"/home/a/Report.docx"},
        {"the name in any case", "[oPEN(\"/x.xlsx\")]", u"/x.xlsx"},
        {"blanks inside the path are the path's", "[Open(\"/my docs/a b.docx\")]", u"/my docs/a b.docx"},
        {"UTF-8 in the path", "[Open(\"/t\xC3\xA9st.docx\")]", u"/t\u00E9st.docx"},
        {"the data ends at its first NUL", withNul("[Open(\"/a.docx\")]"), u"/a.docx"},
        {"the longest path", "[Open(\"" + longestPath + "\")]", u"/" + std::u16string(kMaxCommandPathBytes - 1, u'p')},
        {"another command", "[Print(\"/a.docx\")]", std::nullopt},
        {"an empty path", "[Open(\"\")]", std::nullopt},
        {"a relative path", "[Open(\"a.docx\")]", std::nullopt},
        {"no quotes", "[Open(/a.docx)]", std::nullopt},
        {"a blank after '['", "[ Open(\"/a.docx\")]", std::nullopt},
        {"no '['", "Open(\"/a.docx\")]", std::nullopt},
        {"no closing ']'", "[Open(\"/a.docx\")", std::nullopt},
        {"text after the command", "[Open(\"/a.docx\")][Open(\"/b.docx\")]", std::nullopt},
        {"a NUL inside the command", std::string("[Open(\"/a\0.docx\")]", 18), std::nullopt},
        {"ends inside the path", "[Open(\"/a.docx", std::nullopt},
        {"nothing", "", std::nullopt},
        {"a name over its bound", "[" + longName + "(\"/a\")]", std::nullopt},
        {"a path over its bound", "[Open(\"" + longestPath + "p\")]", std::nullopt},
    };
    for (const CommandCase& c : cases) {
        std::u16string path = u"untouched";
        const bool taken = parseOpenCommand(c.data, path);
        EXPECT_EQ(taken, c.path.has_value()) << c.what;
        EXPECT_EQ(path, c.path.value_or(u"untouched")) << c.what;
    }
}

TEST(OpenCommand, WhatIsMadeReadsBackAndWhatCannotBeCarriedIsNotMade) {
    std::u16string path;
    ASSERT_TRUE(parseOpenCommand(makeOpenCommand("/home/a/(x) [1].docx"), path));
    EXPECT_EQ(path, u"/home/a/(x) [1].docx");
    EXPECT_EQ(makeOpenCommand("/a\"b.docx"), "") << "a double quote would end the path early";
    EXPECT_EQ(makeOpenCommand(std::string("/a\0b", 4)), "");
    EXPECT_EQ(makeOpenCommand("/" + std::string(kMaxCommandPathBytes, 'p')), "");
}

}  // namespace
