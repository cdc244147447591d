// What the walker makes of a document beyond its plain text: notes as stories of their own with their
// references in the main text, pictures anchored to a page or standing in the text, labelled paragraphs
// as lists, and the sections' columns and page numbering. Fixtures are files of our own in the format's
// layout; no sample of the shared corpus holds any of these.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "import/appleworks/AppleWorksWalker.h"
#include "model/CPicture.h"
#include "model/params/XParamBlock.h"
#include "tests/import/appleworks/AppleWorksFileBuilder.h"
#include "tests/import/appleworks/AppleWorksTestSupport.h"
#include "tests/support/PictureFixtures.h"

using namespace appleworks;
using namespace awfixture;

namespace {

struct StoryRun {
    std::u16string text;
    XForm form;
    std::int32_t listOverride;
    std::string picture;  // the anchor's picture bytes
};

class StoryFixture {
public:
    StoryFixture(const AppleWorksFamily& family, const std::string& file) : walker(family, &params.block) {
        params.block.textBuffer = buffer;
        walker.openBytes(bytesOf(file), static_cast<std::int32_t>(file.size()));
    }
    std::vector<StoryRun> drain() {
        std::vector<StoryRun> runs;
        for (int guard = 0; guard < 1000; ++guard) {
            params.block.textLength = 0;
            walker.readTextRun();
            if (params.block.textLength == 0) break;
            StoryRun run{std::u16string(buffer, static_cast<std::size_t>(params.block.textLength)), params.block.form,
                    params.block.rule.level.ls, {}};
            if (const CPicture* picture = params.block.form.picData) {
                run.picture.assign(reinterpret_cast<const char*>(picture->getPicData()),
                                   static_cast<std::size_t>(picture->getPicLength()));
            }
            runs.push_back(run);
        }
        return runs;
    }
    std::u16string text() {
        std::u16string all;
        for (const StoryRun& run : drain()) all += run.text;
        return all;
    }
    ParamBlock params;
    char16_t buffer[kRunUnits] = {};
    AppleWorksWalker walker;
};

// Record offsets of the notes' placement and first number, as the reader keeps the record.
std::int32_t endnotesOffset(const AppleWorksFamily& family) {
    return family.version == 5 ? 310 : 306;
}

// A main text with two note references (byte 2) whose notes stand in zones 2 and 3, each note text
// beginning with its number mark (byte 7); a note entry naming no zone lies between them.
std::string notedDocument(const AppleWorksFamily& family, bool endnotes, std::uint16_t firstNote) {
    FileBuilder file{family};
    TextZoneParts main;
    main.text = "One\x02 two\x02.\r";
    main.entries = {{3, 0, 2}, {5, 1, 0}, {6, 0, 40}, {8, 0, 3}};
    file.zones = {textZone(family, main), textZone("\x07 first note"), textZone("\x07 second note")};
    // The flag is a byte; the 16-bit write puts it in the high half.
    file.recordFields = {{endnotesOffset(family), static_cast<std::uint16_t>(endnotes ? 0x0100 : 0)},
                         {endnotesOffset(family) + 2, firstNote}};
    file.sections = styleSection(family, {{0, "Helvetica"}});
    return file.build();
}

TEST(AppleWorksNotes, EachNoteIsAStoryOfItsKindAndTheMainTextReferencesThemInOrder) {
    struct Case {
        bool endnotes;
        char16_t reference;
        char16_t mark;
    };
    for (const AppleWorksFamily* family : {&kAppleWorks5, &kAppleWorks6}) {
        for (const Case& c : {Case{false, 23, 2}, Case{true, 24, 3}}) {
            SCOPED_TRACE(std::string(family->name) + (c.endnotes ? " endnotes" : " footnotes"));
            StoryFixture fixture(*family, notedDocument(*family, c.endnotes, 1));
            ASSERT_TRUE(fixture.walker.beginMainStory());
            EXPECT_EQ(fixture.text(), std::u16string(u"One") + c.reference + u" two" + c.reference + u".\r\r");

            // Only the kind the document places is present; the entry without a text zone is passed over.
            EXPECT_FALSE(fixture.walker.beginNoteStory(c.endnotes));
            ASSERT_TRUE(fixture.walker.beginNoteStory(!c.endnotes));
            EXPECT_EQ(fixture.text(), std::u16string(1, c.mark) + u" first note");
            ASSERT_TRUE(fixture.walker.beginNoteStory(!c.endnotes));
            EXPECT_EQ(fixture.text(), std::u16string(1, c.mark) + u" second note");
            EXPECT_FALSE(fixture.walker.beginNoteStory(!c.endnotes));
        }
    }
}

TEST(AppleWorksNotes, TheFirstNoteNumberOfTheRecordStartsBothKinds) {
    struct Case {
        std::uint16_t firstNote;
        std::int16_t startAt;
    };
    // A negative number can only come from a damaged record: counting keeps to 1.
    for (const Case& c : {Case{1, 1}, Case{5, 5}, Case{0xFFFF, 1}}) {
        SCOPED_TRACE(c.firstNote);
        StoryFixture fixture(kAppleWorks6, notedDocument(kAppleWorks6, false, c.firstNote));
        EXPECT_EQ(fixture.params.block.page.footnote.startAt, c.startAt);
        EXPECT_EQ(fixture.params.block.page.endnote.startAt, c.startAt);
        EXPECT_EQ(fixture.params.block.page.footnote.format, 1);
        EXPECT_EQ(fixture.params.block.page.endnote.format, 5);
    }
}

// A main text of three paragraphs over three pages, 792 points high each, and a root drawing layer
// (zone 2) holding a picture on page 3, one on page 1, and an object that is no picture; version 6 adds
// its own kind of picture object on page 2.
std::string framedDocument(const AppleWorksFamily& family) {
    FileBuilder file{family};
    TextZoneParts main;
    main.text = "Page one.\rPage two.\rPage three.\r";
    main.pageStarts = {0, 10, 20};
    std::string shape(46, '\0');
    shape[0] = 3;
    std::vector<DrawObject> objects = {pictureObject("PICT-THREE", 2 * 792 + 100, 50, 2 * 792 + 300, 250),
                                       pictureObject("PICT-ONE", 10, 20, 30, 40), {shape, ""}};
    if (family.hasPictureObjects) {
        DrawObject quickTime = pictureObject("", 792 + 5, 0, 792 + 15, 10);
        quickTime.record[0] = 18;
        const picturefixtures::Bytes gif = picturefixtures::gifPicture(2, 2);
        quickTime.blocks = be32(0x5154494Du) + be32(0) + be32(0) + block(std::string(gif.begin(), gif.end()));
        objects.push_back(quickTime);
    }
    file.zones = {textZone(family, main), drawingZone(family, objects)};
    file.recordFields = {{10, 792}, {12, 612}, {54, 2}};
    file.sections = styleSection(family, {{0, "Helvetica"}});
    return file.build();
}

TEST(AppleWorksPictures, PageAnchoredPicturesEnterTheMainTextAtTheStartOfTheirPage) {
    for (const AppleWorksFamily* family : {&kAppleWorks5, &kAppleWorks6}) {
        SCOPED_TRACE(family->name);
        StoryFixture fixture(*family, framedDocument(*family));
        ASSERT_TRUE(fixture.walker.beginMainStory());
        const std::vector<StoryRun> runs = fixture.drain();
        std::u16string text;
        std::vector<std::string> pictures;
        for (const StoryRun& run : runs) {
            text += run.text;
            if (run.text == u"\x01") {
                pictures.push_back(run.picture);
                if (run.picture == "PICT-THREE") {
                    // Relative to its own page, in twips.
                    EXPECT_EQ(run.form.picRect.top, 100 * 20);
                    EXPECT_EQ(run.form.picRect.left, 50 * 20);
                    EXPECT_EQ(run.form.picRect.bottom, 300 * 20);
                    EXPECT_EQ(run.form.picRect.right, 250 * 20);
                    EXPECT_EQ(run.form.picData->getType(), 8);
                }
            }
        }
        // Each frame enters as its page begins, whatever the layer's order.
        const bool quickTime = family->hasPictureObjects;
        EXPECT_EQ(text, quickTime ? u"\x01Page one.\r\x01Page two.\r\x01Page three.\r\r"
                                  : u"\x01Page one.\rPage two.\r\x01Page three.\r\r");
        ASSERT_EQ(pictures.size(), quickTime ? 3u : 2u);
        EXPECT_EQ(pictures.front(), "PICT-ONE");
        EXPECT_EQ(pictures.back(), "PICT-THREE");
        if (quickTime) {
            EXPECT_EQ(pictures[1].substr(1, 3), "PNG");
        }

        // One graphic story is announced per frame.
        for (std::size_t frame = 0; frame < pictures.size(); ++frame) EXPECT_TRUE(fixture.walker.nextFrame());
        EXPECT_FALSE(fixture.walker.nextFrame());
    }
}

TEST(AppleWorksPictures, AFrameWaitsForItsPageAndAnInlinePictureTakesItsObjectsSize) {
    FileBuilder file{kAppleWorks5};
    TextZoneParts main;
    main.text = "One.\rTwo \x03.\r";
    main.pageStarts = {0, 5};
    main.entries = {{9, 1, 3}};
    file.zones = {textZone(kAppleWorks5, main),
                  drawingZone(kAppleWorks5, {pictureObject("ON-PAGE-TWO", 792 + 10, 0, 792 + 20, 10)}),
                  drawingZone(kAppleWorks5, {pictureObject("INLINE", 5, 5, 65, 105)})};
    file.recordFields = {{10, 792}, {12, 612}, {54, 2}};
    file.sections = styleSection(kAppleWorks5, {{0, "Helvetica"}});
    StoryFixture fixture(kAppleWorks5, file.build());
    ASSERT_TRUE(fixture.walker.beginMainStory());
    std::u16string text;
    std::vector<std::string> pictures;
    for (const StoryRun& run : fixture.drain()) {
        text += run.text;
        if (run.text != u"\x01") continue;
        pictures.push_back(run.picture);
        if (run.picture == "INLINE") {
            EXPECT_EQ(run.form.picRect.bottom, 60 * 20);
            EXPECT_EQ(run.form.picRect.right, 100 * 20);
        }
    }
    EXPECT_EQ(text, u"One.\r\x01Two \x01.\r\r");
    EXPECT_EQ(pictures, (std::vector<std::string>{"ON-PAGE-TWO", "INLINE"}));
}

// A 108-byte ruler that defines its label (and level) and nothing else.
std::string labelRuler(std::uint8_t label) {
    std::string ruler(108, '\0');
    put16(ruler, 6, 0x0300);
    ruler[10] = static_cast<char>(label);
    return ruler;
}

TEST(AppleWorksLists, LabelledParagraphsShareAnOverrideUntilTheLabelChangesOrAnEmptyParagraphIntervenes) {
    FileBuilder file{kAppleWorks5};
    TextZoneParts main;
    // a, b: label 1; empty; c: label 1 again; d: label 2; e: no label; f: label 12, which no list has.
    main.text = "a\rb\r\rc\rd\re\rf\r";
    main.paragraphRuns = {{0, 0}, {7, 1}, {9, 2}, {11, 3}};
    file.zones = {textZone(kAppleWorks5, main)};
    file.sections = rulerStyleSection({labelRuler(1), labelRuler(2), labelRuler(0), labelRuler(12)});
    StoryFixture fixture(kAppleWorks5, file.build());
    ASSERT_TRUE(fixture.walker.beginMainStory());
    std::vector<std::pair<std::u16string, std::int32_t>> paragraphs;
    for (const StoryRun& run : fixture.drain()) paragraphs.emplace_back(run.text, run.listOverride);
    EXPECT_EQ(paragraphs, (std::vector<std::pair<std::u16string, std::int32_t>>{
                              {u"a\r", 1}, {u"b\r", 1}, {u"\r", 0}, {u"c\r", 2}, {u"d\r", 3}, {u"e\r", 0},
                              {u"f\r", 0}, {u"\r", 0}}));
}

TEST(AppleWorksSections, ColumnsPageNumberingAndBreakKindComeFromTheSectionInForce) {
    FileBuilder file{kAppleWorks6};
    TextZoneParts main;
    main.text = "First.\x0cSecond.\r";
    std::string first = sectionEntry(0, 2, 1);
    put16(first, 14, 200);  // column widths
    put16(first, 16, 180);
    put16(first, 34, 12);  // the space after the first column
    std::string second = sectionEntry(7, 1, 5);
    second[53] = 2;  // break type: the kind of section break that starts it
    main.sections = {first, second};
    file.zones = {textZone(kAppleWorks6, main)};
    file.sections = styleSection(kAppleWorks6, {{0, "Helvetica"}});
    StoryFixture fixture(kAppleWorks6, file.build());
    ASSERT_TRUE(fixture.walker.beginMainStory());

    fixture.params.block.textLength = 0;
    fixture.walker.readTextRun();
    ASSERT_EQ(std::u16string(fixture.buffer, 6), u"First.");
    const XPage& page = fixture.params.block.page;
    EXPECT_EQ(page.columns, 2);
    EXPECT_EQ(page.columnWidth[0], 4000);
    EXPECT_EQ(page.columnWidth[1], 3600);
    EXPECT_EQ(page.columnSpace[0], 240);
    EXPECT_EQ(page.pageNumber.restartType, 1);
    EXPECT_EQ(page.pageNumber.startAt, 1);

    std::u16string rest;
    std::int32_t breakKind = -1;
    for (const StoryRun& run : fixture.drain()) {
        rest += run.text;
        if (run.text == u"\x08") breakKind = run.form.txtData;
    }
    EXPECT_EQ(rest, u"\r\x08Second.\r\r");
    EXPECT_EQ(breakKind, 5);
    // The second section numbers its pages from 5, which restarts the numbering.
    EXPECT_EQ(page.columns, 1);
    EXPECT_EQ(page.pageNumber.restartType, 2);
    EXPECT_EQ(page.pageNumber.startAt, 5);
    EXPECT_EQ(page.uniqueBits, 7);
}

}  // namespace
