#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/settings/InterfaceLanguage.h"
#include "foundation/language/CMUI.h"
#include "foundation/language/ResourceModule.h"
#include "import/spreadsheet/numberformat/ExFormat.h"
#include "platform/files/Folders.h"
#include "tests/support/TemporaryFolder.h"

namespace {

constexpr double kThursday28May2009 = 39961;

std::u16string shown(const char16_t* code) {
    return ExFormat(0, code).formatCellValue(kThursday28May2009).text;
}

// Cells written after a change of language use the new language's month and day names.
TEST(InterfaceLanguageTest, MonthAndDayNamesFollowTheLanguageInForce) {
    testsupport::TemporaryFolder program;
    platform::overrideFolderForTesting(platform::Folder::Program, program.path());
    std::filesystem::create_directories(program.file("languages"));
    std::ofstream(program.file("languages/lang40c.strings"), std::ios::binary)
        << "vostrandimeko-strings 1\n20114 \"mai\"\n20134 \"jeudi\"\n20014 \"d\\\\/m\\\\/yy\"\nend\n";

    CMUI languageServices;
    chooseInterfaceLanguage(languageServices, 12);
    const std::u16string french = shown(u"dddd d mmmm");
    const std::u16string frenchBuiltIn = ExFormat(14, nullptr).formatCellValue(kThursday28May2009).text;
    chooseInterfaceLanguage(languageServices, kEnglishLanguageChoice);
    const std::u16string english = shown(u"dddd d mmmm");

    setResourceModule(nullptr);
    platform::overrideFolderForTesting(platform::Folder::Program, "");
    EXPECT_EQ(french, u"jeudi 28 mai");
    EXPECT_EQ(frenchBuiltIn, u"28/5/09");
    EXPECT_EQ(english, u"Thursday 28 May");
}

}  // namespace
