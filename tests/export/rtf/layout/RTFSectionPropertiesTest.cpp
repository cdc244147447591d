// The properties a section break writes for the next section: break kind, page, columns, numbering,
// notes, page borders, and the section's headers and footers.
#include <gtest/gtest.h>

#include <string>

#include "model/records/section/XPage.h"
#include "tests/export/rtf/RTFEmitterHarness.h"

namespace rtftest {
namespace {

const std::string kNumberingLevels =
    "{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}"
    "{\\*\\pnseclvl2\\pnucltr\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}"
    "{\\*\\pnseclvl3\\pndec\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}"
    "{\\*\\pnseclvl4\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxta )}}"
    "{\\*\\pnseclvl5\\pndec\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}"
    "{\\*\\pnseclvl6\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}"
    "{\\*\\pnseclvl7\\pnlcrm\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}"
    "{\\*\\pnseclvl8\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}"
    "{\\*\\pnseclvl9\\pnlcrm\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}";

// A letter page without notes, one column.
XPage plainPage() {
    XPage page{};
    initXPage(&page, 0);
    page.footnote.hasNotes = 0;
    page.endnote.hasNotes = 0;
    page.columns = 1;
    return page;
}

TEST(RTFSectionPropertiesTest, ALandscapeSectionOfTwoColumnsWithNumberingBordersAndFacingHeaders) {
    EmitterHarness harness;
    XPage page = plainPage();
    page.orientation = 1;
    page.direction = 1;
    page.pageWidth = 16838;
    page.pageHeight = 11899;
    page.columns = 2;
    page.spaceBetweenColumns = 400;
    page.lineBetweenColumns = 1;
    page.notEqualWidthColumns = 1;
    page.columnWidth[0] = 5000;
    page.columnSpace[0] = 400;
    page.columnWidth[1] = 6000;
    page.lineNumber = XLineNumber{1, 5, 1, 360, 2};
    page.pageNumber = XPageNumber{1, 6, 1, 2, 3, 0, 4};
    page.footnote.hasNotes = 1;
    page.borderType = 0x1 | 0x4;
    page.borderTop.borderType = 3;
    page.borderRight.borderType = 7;
    page.borderOptions = 0x2 | 0x80;
    page.textVerticalAlignment = 2;
    page.mirrorMargins = 1;
    page.titlePage = 1;
    page.evenHeaderRef = 5;
    page.defaultHeaderRef = 6;
    page.defaultFooterRef = 8;
    harness.emitter().writeSectionProps(page, 5);
    EXPECT_EQ(harness.taken(),
              "\\sectd\\sbkodd\\endnhere\\sectdefaultcl\\headery720\\footery720\\rtlsect\\lndscpsxn"
              "\\guttersxn0\\cols2\\colsx400\\linebetcol\\colno1\\colw5000\\colsr400\\colno2\\colw6000"
              "\\stextflow0\\pgwsxn16838\\pghsxn11899\\marglsxn1800\\margrsxn1800\\margtsxn1440\\margbsxn1440"
              "\\linemod5\\linestarts1\\linex360\\linerestart"
              "\\pgnrestart\\pgnstarts4\\pgnucrm\\pgnhn2\\pgnhnsc"
              "\\sftnnar\\sftnrstcont\\sftnbj"
              "\\pgbrdrt<border 3>\\pgbrdrr<border 7>\\pgbrdropt40"
              "\\vertalc\\margmirsxn\\titlepg<headers 6 facing 1><footers 8 facing 1>" +
                  kNumberingLevels);
}

struct SectionCase {
    const char* what;
    std::int16_t breakKind;
    void (*change)(XPage&);
    const char* present;  // written, or null
    const char* absent;   // not written, or null
};

TEST(RTFSectionPropertiesTest, BreakKindsColumnsNumberingAndBorders) {
    const SectionCase cases[] = {
        {"the first section", 0, [](XPage&) {}, "\\sectd\\endnhere", nullptr},
        {"a page break", 2, [](XPage&) {}, "\\sectd\\sbkpage\\endnhere", nullptr},
        {"a column break", 3, [](XPage&) {}, "\\sectd\\sbkcol\\endnhere", nullptr},
        {"an unknown break kind", 9, [](XPage&) {}, "\\sectd\\endnhere", nullptr},
        {"one column with a column description", 0,
         [](XPage& p) { p.notEqualWidthColumns = 1, p.columnWidth[0] = 3000, p.spaceBetweenColumns = 100; },
         "\\cols1\\stextflow", nullptr},
        {"the default column spacing", 0, [](XPage& p) { p.columns = 3, p.spaceBetweenColumns = 720; },
         "\\cols3\\stextflow", nullptr},
        {"equal columns ignore their description", 0,
         [](XPage& p) { p.columns = 2, p.notEqualWidthColumns = 0, p.columnWidth[0] = 3000; }, nullptr, "\\colno"},
        {"fourteen unequal columns describe twelve", 0,
         [](XPage& p) {
             p.columns = 14, p.notEqualWidthColumns = 1;
             for (std::int16_t& w : p.columnWidth) w = 700;
         },
         "\\colno12\\colw700\\stextflow", "\\colno13"},
        {"a column of width 0 is skipped", 0,
         [](XPage& p) { p.columns = 2, p.notEqualWidthColumns = 1, p.columnWidth[1] = 900; },
         "\\cols2\\colno2\\colw900\\stextflow", nullptr},
        {"continuous page numbers in an unknown format", 0,
         [](XPage& p) { p.pageNumber = XPageNumber{1, 3, 0, 0, 0, 1, 1}; }, "\\margbsxn1440\\pgncont<headers", nullptr},
        {"line numbers without distance or restart", 0,
         [](XPage& p) { p.lineNumber = XLineNumber{1, 1, 1, 0, 0}; }, "\\linemod1\\linestarts1<headers", nullptr},
        {"art page borders", 0,
         [](XPage& p) {
             p.borderType = 0x8 | 0x2, p.borderArt = 12, p.borderLeft.borderSize = 24, p.borderBottom.borderSize = 16;
         },
         "\\pgbrdrl<art 12 size 24>\\pgbrdrb<art 12 size 16><headers", nullptr},
        {"border options without a border", 0, [](XPage& p) { p.borderOptions = 0x82; }, nullptr, "\\pgbrdr"},
        {"justified vertically", 0, [](XPage& p) { p.textVerticalAlignment = 3; }, "\\vertalj<headers", nullptr},
    };
    for (const SectionCase& c : cases) {
        EmitterHarness harness;
        XPage page = plainPage();
        c.change(page);
        harness.emitter().writeSectionProps(page, c.breakKind);
        const std::string written = harness.taken();
        if (c.present != nullptr) {
            EXPECT_NE(written.find(c.present), std::string::npos) << c.what << ": " << written;
        }
        if (c.absent != nullptr) {
            EXPECT_EQ(written.find(c.absent), std::string::npos) << c.what << ": " << written;
        }
        EXPECT_EQ(written.find("\\colsx"), std::string::npos) << c.what << ": " << written;
    }
}

}  // namespace
}  // namespace rtftest
