// The Unicode text writer: the byte order mark, which units are written and which dropped, text that no
// code page limits, and side stories collected to the end of the sheet.
#include <gtest/gtest.h>

#include "engine/translators/TranslatorRequest.h"
#include "export/CUnicodeExporter.h"
#include "tests/export/WriterTestSupport.h"

namespace exporttest {
namespace {

const Writer kUnicodeWriter{"Unicode", makeUnicodeExporter, exporter::kUnicode};

struct UnicodeCase {
    const char* title;
    std::vector<PlayedRun> runs;
    std::string expected;  // after the byte order mark
};

TEST(UnicodeWriter, WritesLittleEndianUnitsAfterTheByteOrderMark) {
    const std::string bom = "\xFF\xFE";
    const UnicodeCase cases[] = {
        {"an empty main story gives the mark alone", {}, ""},
        {"paragraph end becomes CR LF", {text(u"Ab\r")}, std::string("A\0b\0\r\0\n\0", 8)},
        {"breaks become CR LF, a tab stays, both hyphens are dropped", {text(u"\u0012\u0013\u0005\t")},
         std::string("\r\0\n\0\t\0", 6)},
        {"anchors and marks below 28 are dropped, 28 and up are kept", {text(u"\u0001\u001B\u001C\u001F")},
         std::string("\x1C\0\x1F\0", 4)},
        {"a table cell's mark ends its line", {text(u"a\u0010")}, std::string("a\0\r\0\n\0", 6)},
        {"a character above U+FFFF keeps its two units", {text(u"\U0001F600")}, std::string("\x3D\xD8\x00\xDE", 4)},
        {"a lone surrogate is written as it stands", {text(u"x\xD800y")}, std::string("x\0\x00\xD8y\0", 6)},
        {"letters of any script, without a code page", {text(u"\u0416\u3042", 1033)}, "\x16\x04\x42\x30"},
    };
    for (const UnicodeCase& c : cases) {
        SCOPED_TRACE(c.title);
        WriterSession session(kUnicodeWriter);
        const std::string bytes = session.writeStory(c.runs);
        EXPECT_EQ(session.result, 0);
        EXPECT_EQ(hex(bytes), hex(bom + c.expected));
    }
}

TEST(UnicodeWriter, LongStoryIsWrittenWholeAcrossChunks) {
    WriterSession session(kUnicodeWriter);
    std::u16string units;
    for (int index = 0; index < 700; ++index) units += static_cast<char16_t>(u'a' + index % 26);
    const std::string bytes = session.writeStory({text(units.substr(0, 300)), text(units.substr(300))});
    ASSERT_EQ(bytes.size(), 2 + 2 * units.size());
    for (std::size_t index = 0; index < units.size(); ++index)
        ASSERT_EQ(bytes[2 + 2 * index], static_cast<char>(units[index])) << "unit " << index;
}

TEST(UnicodeWriter, FootnoteAndCommentStoriesFollowTheMainStoryAtTheEndOfTheSheet) {
    WriterSession session(kUnicodeWriter);
    RequestPlayer& player = session.player;
    player.createFiles({{"out", {}}});
    player.selectFile("out");
    ASSERT_EQ(player.send(request::kSelBeginSheet), 0);
    ASSERT_EQ(player.send(exportBeginCode(storykind::kComment), storykind::kComment), 0);
    EXPECT_EQ(player.answers.back(), -1);
    ASSERT_EQ(player.sendRun(text(u"C")), 0);
    ASSERT_EQ(player.send(exportEndCode(storykind::kComment), storykind::kComment), 0);
    ASSERT_EQ(player.send(exportBeginCode(storykind::kFootnote), storykind::kFootnote), 0);
    ASSERT_EQ(player.sendRun(text(u"F")), 0);
    ASSERT_EQ(player.send(exportEndCode(storykind::kFootnote), storykind::kFootnote), 0);
    ASSERT_EQ(player.send(exportBeginCode(storykind::kMain)), 0);
    ASSERT_EQ(player.sendRun(text(u"M")), 0);
    ASSERT_EQ(player.send(exportEndCode(storykind::kMain)), 0);
    ASSERT_EQ(player.send(request::kSelEndSheet), 0);
    EXPECT_EQ(hex(fileBytes(session.folder.file("out"))), hex(std::string("\xFF\xFEM\0F\0C\0", 8)));
}

TEST(UnicodeWriter, EachSheetFileHasItsOwnByteOrderMark) {
    WriterSession session(kUnicodeWriter);
    ASSERT_EQ(session.player.play({{"one", {text(u"1")}}, {"two", {text(u"2")}}}), 0);
    EXPECT_EQ(hex(fileBytes(session.folder.file("one"))), hex(std::string("\xFF\xFE" "1\0", 4)));
    EXPECT_EQ(hex(fileBytes(session.folder.file("two"))), hex(std::string("\xFF\xFE" "2\0", 4)));
}

}  // namespace
}  // namespace exporttest
