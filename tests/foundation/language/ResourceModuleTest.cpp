#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "foundation/CRandom.h"
#include "foundation/language/ResourceModule.h"
#include "foundation/language/UIStrings.h"
#include "foundation/text/PascalWString.h"
#include "foundation/text/TextFormat.h"
#include "resources/ProgramStrings.h"
#include "tests/support/TemporaryFolder.h"

namespace {

// Every test starts and ends with the program's own module in force.
class ResourceModuleTest : public ::testing::Test {
protected:
    void SetUp() override { setResourceModule(nullptr); }
    void TearDown() override { setResourceModule(nullptr); }

    std::string writeFile(const std::string& name, const std::string& contents) {
        const std::string path = folder.file(name);
        std::ofstream(path, std::ios::binary) << contents;
        return path;
    }

    testsupport::TemporaryFolder folder;
};

const char* const kFrench =
    "# French texts for a few strings\n"
    "vostrandimeko-strings 1\n"
    "10203 \"Chargement :\"\n"
    "10226 \"Pr\xC3\xA9paration du fichier converti... [%d]\"\n"
    "10002 \"%04d%02d%02d_%02d%02d%02d.log\"\n"  // the same conversions around other text
    "10209 \"%h (feuille %d sur %d)\\r(%s)\"\n"
    "end\n";

TEST_F(ResourceModuleTest, TheProgramTableIsCompiledIn) {
    const ResourceModule& program = programResourceModule();
    // The 221 texts the pieces quote and the program's own, from id 30000 on.
    EXPECT_EQ(program.stringCount(), 230);
    EXPECT_EQ(&resourceModule(), &program);
    EXPECT_EQ(program.text(1003), u"Logs && Notification");
    EXPECT_EQ(program.text(10116), u"Unrecognzied File");
    EXPECT_EQ(program.text(10331), u"\r\r--- graphic start ---\r");
    EXPECT_EQ(program.text(10425), u" (footnote: %d) ");
    EXPECT_EQ(program.text(20014), u"m\\/d\\/yy");
    EXPECT_EQ(program.text(20041), u"_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)");
    EXPECT_TRUE(program.holds(20000));  // an empty text of its own
    EXPECT_EQ(program.text(20000), u"");
    EXPECT_FALSE(program.holds(10054));
    // The placeholders that would reach documents have real texts.
    for (std::uint16_t id : {10413, 10416, 10417, 10428, 10429}) {
        EXPECT_EQ(program.utf8Text(id).find("String"), std::string_view::npos) << id;
        EXPECT_FALSE(program.utf8Text(id).empty()) << id;
    }
}

TEST_F(ResourceModuleTest, ALanguageFileReplacesTheEnglishTexts) {
    std::string why;
    ASSERT_TRUE(useLanguageModule(writeFile("lang40c.txt", kFrench), &why)) << why;
    EXPECT_EQ(std::u16string(formatUniResource(nullptr, 10226, 5)), u"Pr\u00e9paration du fichier converti... [5]");
    EXPECT_STREQ(loadText(nullptr, 10203), "Chargement :");
    EXPECT_STREQ(loadText(nullptr, 10204), "");  // the language module replaces the whole table

    const PascalWString book = makePascal(u"Budget.xlsx");
    EXPECT_EQ(std::u16string(formatUniResource(nullptr, 10209, book, 2, 3, "XLML")), u"Budget.xlsx (feuille 2 sur 3)\r(XLML)");

    setResourceModule(nullptr);
    EXPECT_EQ(std::u16string(formatUniResource(nullptr, 10226, 5)), u"Preparing to write converted file... [5]");

    // The program's own table passes as a language file.
    ASSERT_TRUE(useLanguageModule(writeFile("english.txt", std::string(programStringTableSource())), &why)) << why;
    EXPECT_EQ(resourceModule().stringCount(), 230);
}

TEST_F(ResourceModuleTest, ABadOrMissingFileKeepsTheModuleInForce) {
    ASSERT_TRUE(useLanguageModule(writeFile("good.txt", kFrench), nullptr));
    const ResourceModule* inForce = &resourceModule();
    struct Case {
        const char* what;
        std::string contents;
    };
    const Case cases[] = {
        {"cut off before its end line", std::string(kFrench).substr(0, std::string(kFrench).size() - 4)},
        {"cut off inside a text", std::string(kFrench).substr(0, 60)},
        {"not a table", "PK\x03\x04 this is a zip file"},
        {"empty", ""},
        {"a conversion more", "vostrandimeko-strings 1\n10203 \"Chargement %s\"\nend\n"},
        {"conversions swapped", "vostrandimeko-strings 1\n10209 \"%d %h (%d)\\r(%s)\"\nend\n"},
        {"a width read from the values", "vostrandimeko-strings 1\n10226 \"[%*d]\"\nend\n"},
        {"a position for a percent sign", "vostrandimeko-strings 1\n20009 \"%1$s\"\nend\n"},
        {"a position for a value", "vostrandimeko-strings 1\n10226 \"[%1$d]\"\nend\n"},
        {"a huge width", "vostrandimeko-strings 1\n10226 \"[%999999999d]\"\nend\n"},
        {"a huge precision", "vostrandimeko-strings 1\n10226 \"[%.99999999999999999999d]\"\nend\n"},
        {"another width", "vostrandimeko-strings 1\n10002 \"%4d%02d%02d-%02d%02d%02d.log\"\nend\n"},
        {"another flag", "vostrandimeko-strings 1\n10226 \"[%-d]\"\nend\n"},
        {"malformed UTF-8", "vostrandimeko-strings 1\n10203 \"\xC3(\"\nend\n"},
    };
    for (const auto& c : cases) {
        std::string why;
        EXPECT_FALSE(useLanguageModule(writeFile("bad.txt", c.contents), &why)) << c.what;
        EXPECT_FALSE(why.empty()) << c.what;
        EXPECT_EQ(&resourceModule(), inForce) << c.what;
        EXPECT_STREQ(loadText(nullptr, 10203), "Chargement :") << c.what;
    }
    std::string why;
    EXPECT_FALSE(useLanguageModule(writeFile("wide.txt", "vostrandimeko-strings 1\n10226 \"[%5000d]\"\nend\n"), &why));
    EXPECT_NE(why.find("width or precision above 4096"), std::string::npos) << why;
    EXPECT_FALSE(useLanguageModule(folder.file("missing.txt"), &why));
    EXPECT_NE(why.find("error 2"), std::string::npos) << why;
    EXPECT_FALSE(useLanguageModule(folder.path(), &why));  // a folder
    EXPECT_FALSE(useLanguageModule(writeFile("huge.txt", std::string(kLanguageFileMaximumBytes + 1, '#')), &why));
    EXPECT_EQ(&resourceModule(), inForce);
}

TEST_F(ResourceModuleTest, TruncatedOrGarbageFilesNeverCrash) {
    // Cuts of the program's own table are refused (the end line is missing), and damaged copies are read
    // without harm.
    const std::string_view table = programStringTableSource();
    ASSERT_TRUE(table.ends_with("\nend\n"));
    for (std::size_t cut = 0; cut + 1 < table.size(); cut += 7) {
        const auto module = ResourceModule::fromSource(table.substr(0, cut), nullptr);
        EXPECT_EQ(module, nullptr) << "cut at " << cut;
    }
    // Damaged copies of a valid table: random bytes overwritten, inserted and removed.
    CRandom random(1802, 9373);
    for (int round = 0; round < 300; ++round) {
        std::string damaged(table);
        for (int edit = random.integerInRange(1, 8); edit > 0; --edit) {
            const auto at = static_cast<std::size_t>(random.integerInRange(0, static_cast<std::int32_t>(damaged.size()) - 1));
            const char byte = static_cast<char>(random.integerInRange(0, 255));
            switch (random.integerInRange(0, 2)) {
                case 0: damaged[at] = byte; break;
                case 1: damaged.insert(at, 1, byte); break;
                default: damaged.erase(at, 1); break;
            }
        }
        std::string why;
        const auto module = ResourceModule::fromSource(damaged, &why);
        EXPECT_TRUE(module || !why.empty());
        if (module) {
            char text[kLoadStringSize];
            char16_t units[kLoadStringSize];
            for (std::uint32_t id = 0; id <= 0xFFFF; id += 7) {
                module->loadStringA(static_cast<std::uint16_t>(id), text, sizeof text);
                module->loadStringW(static_cast<std::uint16_t>(id), units, kLoadStringSize);
            }
        }
    }
}

}  // namespace
