#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "package/PartName.h"

namespace {

TEST(PartName, TargetsResolveInsideThePackageOrNotAtAll) {
    struct Case {
        const char* folder;
        const char* target;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"word/", "styles.xml", "word/styles.xml"},
        {"word/", "../docProps/app.xml", "docProps/app.xml"},
        {"word/", "/xl/x.xml", "xl/x.xml"},
        {"", "word/document.xml", "word/document.xml"},
        {"word/sub/", "../../a%20b.xml", "a b.xml"},
        {"word/", "media//./x.png#part", "word/media/x.png"},
        {"word/", "../../x.xml", std::nullopt},
        {"", "%2e%2e/x.xml", std::nullopt},  // an escaped climb is a climb
        {"word/", "/../x.xml", std::nullopt},
        {"word/", "x%00.xml", std::nullopt},
        {"word/", "x%4.xml", std::nullopt},
        {"word/", "x%", std::nullopt},
        {"word/", "..", std::nullopt},
        {"word/", "a\\..\\..\\x", std::nullopt},
        {"word/", "", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(resolvePartName(c.folder, c.target), c.expected) << c.target;
}

TEST(PartName, TheFolderARelsPartSpeaksFor) {
    EXPECT_EQ(sourceFolderOfRels("_rels/.rels"), "");
    EXPECT_EQ(sourceFolderOfRels("word/_rels/document.xml.rels"), "word/");
    EXPECT_EQ(sourceFolderOfRels("xl/worksheets/_rels/sheet1.xml.rels"), "xl/worksheets/");
    EXPECT_EQ(sourceFolderOfRels("xl/my_rels/x.rels"), "xl/my_rels/");
    EXPECT_EQ(sourceFolderOfRels("x.rels"), "");
}

}  // namespace
