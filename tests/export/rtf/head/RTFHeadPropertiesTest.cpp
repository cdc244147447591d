// The information group, the page background and the document properties of the head, with the
// footnote and endnote properties they share with the sections.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "export/rtf/head/RTFProgramName.h"
#include "model/records/XHead.h"
#include "model/records/section/XPage.h"
#include "platform/process/Clock.h"
#include "tests/export/rtf/RTFEmitterHarness.h"

namespace rtftest {
namespace {

// The clock and program name every test here sees.
class RTFHeadPropertiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setLocalTimeForTesting([] {
            std::tm t{};
            t.tm_year = 2024 - 1900;
            t.tm_mon = 2;
            t.tm_mday = 5;
            t.tm_hour = 14;
            t.tm_min = 7;
            return t;
        });
        initXHead(&head);
        initXPage(&page, 0);
    }
    void TearDown() override {
        platform::setLocalTimeForTesting(nullptr);
        setRTFProgramName("vostrandimeko");
    }

    EmitterHarness harness;
    XHead head{};
    XPage page{};
};

const std::string kTimes = "{\\creatim\\yr2024\\mo3\\dy5\\hr14\\min7}{\\revtim\\yr2024\\mo3\\dy5\\hr14\\min7}";

TEST_F(RTFHeadPropertiesTest, InformationGroupHoldsTheEscapedTextsTimesCountsAndTheProgramsComment) {
    head.numOfPages = 3;
    head.numOfWords = 40;
    head.numOfCharsNoSpace = 100;
    head.numOfCharsWithSpace = 120;
    harness.emitter().writeInfo(head);
    EXPECT_EQ(harness.taken(), "{\\info" + kTimes +
                                   "{\\nofpages3\\nofwords40\\nofchars100\\nofcharsws120}"
                                   "{\\doccomm This document was created by vostrandimeko\r\n}}\r\n");

    std::strcpy(head.originalTitle, "A title\xC3\xA9");
    std::strcpy(head.originalSubject, "x_y-1.0");
    std::strcpy(head.originalAuthor, "{Ann}");
    head.trackRevisions = 1;
    setRTFProgramName("my converter");
    harness.emitter().writeInfo(head);
    EXPECT_EQ(harness.taken(), "{\\info{\\title A\\'20title\\u233?}{\\subject x_y-1.0}{\\author \\'7bAnn\\'7d}" + kTimes +
                                   "{\\nofpages3\\nofwords40\\nofchars100\\nofcharsws120}\\revisions"
                                   "{\\doccomm This document was created by my\\'20converter\r\n}}\r\n");
}

// ASCII keeps the group's hexadecimal escapes; every other character is one Unicode escape (two for a
// character above U+FFFF), whichever text of the group holds it.
TEST_F(RTFHeadPropertiesTest, EveryTextOfTheGroupWritesCharactersOutsideAsciiAsUnicodeEscapes) {
    struct Case {
        const char* text;
        const char* written;
    };
    const Case cases[] = {
        {"Rapport d'\xC3\xA9t\xC3\xA9", "Rapport\\'20d\\'27\\u233?t\\u233?"},
        {"\xC3\x85ngstr\xC3\xB6m", "\\u197?ngstr\\u246?m"},
        {"\xE6\x97\xA5\xEA\xB0\x80", "\\u26085?\\u-21504?"},  // above U+7FFF: a negative word
        {"a\xF0\x9F\x98\x80" "b", "a\\u-10179?\\u-8704?b"},          // U+1F600 as its two surrogate halves
        {"bad\xE9 byte", "bad\\u-3?\\'20byte"},                     // malformed UTF-8 reads as U+FFFD
        {"cut\xC3", "cut\\u-3?"},                                   // a sequence cut off at the end
        {"\\{}\t", "\\'5c\\'7b\\'7d\\'09"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        initXHead(&head);
        std::snprintf(head.originalTitle, sizeof head.originalTitle, "%s", c.text);
        std::snprintf(head.originalSubject, sizeof head.originalSubject, "%s", c.text);
        std::snprintf(head.originalAuthor, sizeof head.originalAuthor, "%s", c.text);
        setRTFProgramName(c.text);
        harness.emitter().writeInfo(head);
        const std::string info = harness.taken();
        const std::string written = c.written;
        EXPECT_NE(info.find("{\\title " + written + "}"), std::string::npos) << info;
        EXPECT_NE(info.find("{\\subject " + written + "}"), std::string::npos) << info;
        EXPECT_NE(info.find("{\\author " + written + "}"), std::string::npos) << info;
        EXPECT_NE(info.find("{\\doccomm This document was created by " + written + "\r\n}"), std::string::npos) << info;
    }
}

// The program's name is cut to 127 bytes; a character that the cut would split is left out whole.
TEST_F(RTFHeadPropertiesTest, TheProgramsNameIsCutBeforeACharacterNotInsideIt) {
    setRTFProgramName(std::string(126, 'p') + "\xC3\xA9z");
    harness.emitter().writeInfo(head);
    EXPECT_NE(harness.taken().find("created by " + std::string(126, 'p') + "\r\n}"), std::string::npos);

    setRTFProgramName(std::string(125, 'p') + "\xC3\xA9z");
    harness.emitter().writeInfo(head);
    EXPECT_NE(harness.taken().find("created by " + std::string(125, 'p') + "\\u233?\r\n}"), std::string::npos);
}

TEST_F(RTFHeadPropertiesTest, AHeadTextWithoutItsTerminatorEndsAtItsField) {
    std::memset(head.originalTitle, 'T', sizeof head.originalTitle);
    std::memset(head.originalSubject, 'S', sizeof head.originalSubject);
    harness.emitter().writeInfo(head);
    const std::string info = harness.taken();
    EXPECT_NE(info.find("{\\title " + std::string(kHeadTextBytes, 'T') + "}"), std::string::npos) << info;
    EXPECT_NE(info.find("{\\subject " + std::string(kHeadTextBytes, 'S') + "}"), std::string::npos) << info;
}

TEST_F(RTFHeadPropertiesTest, BackgroundIsWrittenAsGivenWithinItsLength) {
    char background[] = "{\\*\\background{\\shp}}";
    harness.block.backgroundText = background;
    harness.block.backgroundLength = 0;
    harness.emitter().writeBackground();
    EXPECT_EQ(harness.taken(), "");
    harness.block.backgroundLength = static_cast<std::int32_t>(std::strlen(background));
    harness.emitter().writeBackground();
    EXPECT_EQ(harness.taken(), background);
    // A length shorter than the text bounds what is written; a longer one stops at the terminator.
    harness.block.backgroundLength = 5;
    harness.emitter().writeBackground();
    EXPECT_EQ(harness.taken(), "{\\*\\b");
    harness.block.backgroundLength = 5000;
    harness.emitter().writeBackground();
    EXPECT_EQ(harness.taken(), background);
}

TEST_F(RTFHeadPropertiesTest, DocumentPropertiesWriteTheSettingsThenTheNotesThenTheFirstSection) {
    page.footnote.hasNotes = 0;
    page.endnote.hasNotes = 0;
    page.defaultHeaderRef = 4;
    harness.emitter().writeDocumentProperties(page, head);
    const std::string written = harness.taken();
    EXPECT_EQ(written.substr(0, written.find("\\sectd")),
              "\\pgbrdrhead\\pgbrdrfoot\\viewkind1\\viewscale100\\viewzk0\\alntblind\\newtblstyruls\\formshade"
              "\\jexpand\\ftnlytwnine\\splytwnine\\nospaceforul\\noxlattoyen\\noultrlspc\\dntblnsbdb\\htmautsp"
              "\\lnbrkrule\\lyttblrtgr\\useltbaln\\nolnhtadjtbl\\lytcalctblwd\\gutter0"
              "\\paperw12240\\paperh15840\\margl1800\\margr1800\\margt1440\\margb1440\\widowctrl");
    EXPECT_NE(written.find("\\sectd\\endnhere"), std::string::npos) << "the first section has no break word";
    EXPECT_NE(written.find("<headers 4 facing 0>"), std::string::npos);
    EXPECT_EQ(written.substr(written.size() - 4), "}}\r\n");
}

struct SettingCase {
    const char* what;
    void (*change)(XHead&, XPage&);
    const char* present;  // written, or null
    const char* absent;   // not written, or null
};

TEST_F(RTFHeadPropertiesTest, EachSettingWritesOrLeavesOutItsWord) {
    const SettingCase cases[] = {
        {"tab width and page start", [](XHead& h, XPage&) { h.defaultTabWidth = 709, h.pageStartNumber = 3; },
         "\\deftab709\\pgnstart3\\pgbrdrhead", nullptr},
        {"border options 1, 4, 8", [](XHead& h, XPage&) { h.borderOptions = 1 | 4 | 8; }, "\\pgbrdrsnap\\viewkind",
         "\\pgbrdrhead"},
        {"facing pages and mirrored margins", [](XHead& h, XPage&) { h.headers = 2, h.mirrorMargins = 1; },
         "\\margmirror", nullptr},
        {"facing pages", [](XHead& h, XPage&) { h.headers = 2; }, "\\viewzk0\\facingp\\alntblind", nullptr},
        {"compatibility flags set", [](XHead& h, XPage&) {
             h.alignTablesRowByRow = 1, h.useWord2002TableStyleRules = 1, h.doNotShadeFormData = 1;
             h.applyBreakingRules = 1, h.characterSpacingControl = 1;
         },
         "\\viewzk0\\ApplyBrkRules\\jcompress\\ftnlytwnine", "\\formshade"},
        // Neither "\\jexpand" nor "\\jcompress" between the two.
        {"character spacing control 2", [](XHead& h, XPage&) { h.characterSpacingControl = 2; },
         "\\formshade\\ftnlytwnine", nullptr},
        {"an input of plain text, any case", [](XHead& h, XPage&) { std::strcpy(h.originalFileType, "Text"); },
         "\\lytcalctblwd\\fromtext\\gutter0", nullptr},
        {"another input type", [](XHead& h, XPage&) { std::strcpy(h.originalFileType, "TEXTS"); }, nullptr,
         "\\fromtext"},
        {"right-to-left gutter", [](XHead&, XPage& p) { p.rtlGutter = 1, p.gutter = 360; }, "\\rtlgutter\\gutter360",
         nullptr},
    };
    for (const SettingCase& c : cases) {
        XHead h{};
        initXHead(&h);
        XPage p{};
        initXPage(&p, 0);
        c.change(h, p);
        harness.emitter().writeDocumentProperties(p, h);
        const std::string written = harness.taken();
        const std::string settings = written.substr(0, written.find("\\widowctrl"));
        if (c.present != nullptr) {
            EXPECT_NE(settings.find(c.present), std::string::npos) << c.what << ": " << settings;
        }
        if (c.absent != nullptr) {
            EXPECT_EQ(settings.find(c.absent), std::string::npos) << c.what << ": " << settings;
        }
    }
}

struct NoteCase {
    const char* what;
    XFootnote footnote;
    XFootnote endnote;
    std::int16_t level;
    const char* expected;
};

TEST_F(RTFHeadPropertiesTest, NotePropertiesAtDocumentAndSectionLevel) {
    const XFootnote none{0, 1, 1, 1, 0, 1, "", ""};
    const NoteCase cases[] = {
        {"no notes", none, none, 1, ""},
        {"the defaults", kDefaultFootnote, kDefaultEndnote, 1,
         "\\fet2\\endnotes\\ftnnar\\ftnrstcont\\ftnbj\\aenddoc\\aftnbj\\aftnnrlc\\aftnrstcont"},
        {"unknown footnote format and restart", {1, 3, 0, 1, 2, 0, "", ""}, none, 1,
         "\\fet0\\enddoc\\ftnnar\\ftnrstcont\\ftntj"},
        {"endnotes only, at the section ends, starting at 4", none, {1, 8, 2, 4, 1, 0, "", ""}, 1,
         "\\fet1\\aendnotes\\aftntj\\aftnnauc\\aftnrestart\\aftnstart4"},
        {"section level", {1, 14, 3, 7, 2, 2, "", ""}, {1, 1, 3, 1, 3, 3, "", ""}, 0,
         "\\sftnnchi\\sftnrstpg\\sendnotes\\sftnstart7\\saftnnar\\saftnrstcont"},
    };
    for (const NoteCase& c : cases) {
        page.footnote = c.footnote;
        page.endnote = c.endnote;
        harness.emitter().writeNoteProperties(page, c.level);
        EXPECT_EQ(harness.taken(), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace rtftest
