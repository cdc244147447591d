#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "foundation/language/CMUI.h"
#include "foundation/language/ResourceModule.h"
#include "platform/files/Folders.h"
#include "platform/registry/Registry.h"
#include "tests/support/TemporaryFolder.h"

namespace {

constexpr std::uint16_t kFolderTitleId = 10177;  // "Please select a folder"

std::string tableWith(const std::string& folderTitle) {
    return "vostrandimeko-strings 1\n" + std::to_string(kFolderTitleId) + " \"" + folderTitle + "\"\nend\n";
}

// The program's folder with a "languages" folder beside it, the locale variables, the registry and
// the resource module of every test are its own.
class LanguageResources : public ::testing::Test {
protected:
    void SetUp() override {
        platform::overrideFolderForTesting(platform::Folder::Program, program.path());
        platform::useMemoryRegistry();
        for (int i = 0; i < 3; ++i) {
            if (const char* value = ::getenv(kVariables[i])) saved[i] = value;
            ::unsetenv(kVariables[i]);
        }
        setResourceModule(nullptr);
        writeLanguage("lang40c.strings", tableWith("Veuillez choisir un dossier"));
        writeLanguage("lang407.strings", tableWith("Bitte einen Ordner w\xC3\xA4hlen"));
    }
    void TearDown() override {
        setResourceModule(nullptr);
        for (int i = 0; i < 3; ++i) {
            if (saved[i]) {
                ::setenv(kVariables[i], saved[i]->c_str(), 1);
            } else {
                ::unsetenv(kVariables[i]);
            }
        }
        platform::useDefaultRegistry();
        platform::overrideFolderForTesting(platform::Folder::Program, "");
    }

    void writeLanguage(const std::string& name, const std::string& text) {
        std::filesystem::create_directories(program.file("languages"));
        std::ofstream(program.file("languages/" + name), std::ios::binary) << text;
    }

    static std::u16string folderTitle() { return std::u16string(resourceModule().text(kFolderTitleId)); }

    static constexpr const char* kVariables[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::optional<std::string> saved[3];
    testsupport::TemporaryFolder program;
};

TEST_F(LanguageResources, TheFileOfALanguageIsNamedAfterItsIdBesideTheProgram) {
    const struct {
        std::uint16_t id;
        const char* name;
    } cases[] = {{12, "lang40c.strings"}, {1036, "lang40c.strings"}, {7, "lang407.strings"},
                 {17, "lang411.strings"}, {1033, "lang409.strings"}, {2057, "langc09.strings"}};
    for (const auto& c : cases) EXPECT_EQ(languageFilePath(c.id), program.path() + "languages/" + c.name) << c.id;
}

TEST_F(LanguageResources, AFrenchLocaleLoadsTheFrenchFile) {
    ::setenv("LANG", "fr_FR.UTF-8", 1);
    CMUI mui;
    EXPECT_EQ(mui.getUILanguage(), 1036);
    mui.loadLanguageDLL(0);
    ASSERT_NE(mui.languageLibrary(), nullptr);
    EXPECT_EQ(&resourceModule(), mui.languageLibrary());
    EXPECT_EQ(folderTitle(), u"Veuillez choisir un dossier");
}

TEST_F(LanguageResources, EnglishLoadsNoFile) {
    writeLanguage("lang409.strings", tableWith("an English file is never read for the choice 9"));
    CMUI mui;
    mui.loadLanguageDLL(12);
    ASSERT_EQ(folderTitle(), u"Veuillez choisir un dossier");
    mui.loadLanguageDLL(9);
    EXPECT_EQ(mui.languageLibrary(), nullptr);
    EXPECT_EQ(&resourceModule(), &programResourceModule());
    EXPECT_EQ(folderTitle(), u"Please select a folder");

    // An English locale asks for 1033, whose file does not exist here: the program's texts stay.
    std::filesystem::remove(program.file("languages/lang409.strings"));
    ::setenv("LANG", "en_US.UTF-8", 1);
    mui.loadLanguageDLL(0);
    EXPECT_EQ(mui.languageLibrary(), nullptr);
    EXPECT_EQ(folderTitle(), u"Please select a folder");
}

TEST_F(LanguageResources, EachLoadStartsFromTheProgramsOwnTexts) {
    CMUI mui;
    mui.loadLanguageDLL(12);
    mui.loadLanguageDLL(7);
    EXPECT_EQ(folderTitle(), u"Bitte einen Ordner w\u00E4hlen");
    mui.loadLanguageDLL(17);  // no Japanese file: not the German one either
    EXPECT_EQ(mui.languageLibrary(), nullptr);
    EXPECT_EQ(folderTitle(), u"Please select a folder");

    writeLanguage("lang411.strings", "vostrandimeko-strings 1\n10177 \"cut off");
    mui.loadLanguageDLL(17);  // a damaged file is refused whole
    EXPECT_EQ(folderTitle(), u"Please select a folder");
    writeLanguage("lang411.strings", "vostrandimeko-strings 1\n10177 \"%d\"\nend\n");
    mui.loadLanguageDLL(17);  // a text that would read a value the English one does not pass
    EXPECT_EQ(folderTitle(), u"Please select a folder");
}

TEST_F(LanguageResources, EndingTheObjectPutsTheProgramsTextsBack) {
    {
        CMUI mui;
        mui.loadLanguageDLL(12);
        ASSERT_EQ(folderTitle(), u"Veuillez choisir un dossier");
    }
    EXPECT_EQ(&resourceModule(), &programResourceModule());
}

TEST_F(LanguageResources, WithoutALocaleTheRegistrysResourceLocaleAnswersThen1033) {
    CMUI mui;
    EXPECT_EQ(mui.getUILanguage(), 1033);
    platform::RegistryKey key = platform::RegistryKey::currentUser();
    ASSERT_EQ(platform::registryCreateKey(key, "Control Panel\\Desktop\\ResourceLocale", key), 0);
    const struct {
        const char* value;
        std::uint16_t id;
    } cases[] = {{"0000040C", 1036}, {"407", 1031}, {" 0x411", 1041}, {"12340411", 1041}, {"zz", 1033},
                 {"0", 1033}, {"000000000000040C", 1033}};  // the last does not fit the 16-byte buffer
    for (const auto& c : cases) {
        ASSERT_EQ(platform::registrySetValue(key, "", c.value), 0);
        EXPECT_EQ(mui.getUILanguage(), c.id) << c.value;
    }
    ::setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
    EXPECT_EQ(mui.getUILanguage(), 1041) << "the locale comes first";
}

}  // namespace
