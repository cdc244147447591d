// A section's page-number format as it reaches the storage, in either spelling of its names.
#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class PageNumberFormatTest : public WordMLImportTest {};

struct FormatCase {
    const char* numbering;  // the section's w:pgNumType
    std::int16_t format;
    std::int16_t startAt;  // -1: the default is kept
    std::int16_t restartType;
};

TEST_F(PageNumberFormatTest, EachSectionKeepsItsNumberFormat) {
    const FormatCase cases[] = {
        {"<w:pgNumType w:fmt=\"upper-roman\" w:start=\"4\"/>", 6, 4, 2},
        {"<w:pgNumType w:fmt=\"lowerLetter\"/>", 7, -1, 1},
        {"<w:pgNumType w:fmt=\"HEX\"/>", 2, -1, 1},
        {"<w:pgNumType w:fmt=\"none\"/>", 1, -1, 1},
        {"<w:pgNumType w:fmt=\"decimal-zero\"/>", 1, -1, 1},
        {"<w:pgNumType/>", 0, -1, 1},  // without "fmt" the record keeps its own
    };
    for (const FormatCase& test : cases) {
        SCOPED_TRACE(test.numbering);
        ASSERT_EQ(import(wordDocument("<w:p><w:r><w:t>x</w:t></w:r></w:p><w:sectPr>" + std::string(test.numbering) +
                                      "</w:sectPr>")),
                  0);
        const auto main = story();
        const XPageNumber& numbering = main->pages[0].pageNumber;
        EXPECT_EQ(numbering.hasPageNumber, 1);
        EXPECT_EQ(numbering.format, test.format);
        if (test.startAt >= 0) {
            EXPECT_EQ(numbering.startAt, test.startAt);
        }
        EXPECT_EQ(numbering.restartType, test.restartType);
    }
}

}  // namespace
}  // namespace wordmltest
