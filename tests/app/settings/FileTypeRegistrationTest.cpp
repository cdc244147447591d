#include "app/settings/FileTypeRegistration.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "app/requests/DDEServer.h"
#include "engine/ProgramPreferences.h"
#include "platform/registry/Registry.h"
#include "platform/shell/DesktopAssociations.h"
#include "platform/shell/DesktopRegistration.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScriptedAsker.h"
#include "tests/support/TemporaryFolder.h"

namespace {

constexpr const char* kWordType = "application/vnd.openxmlformats-officedocument.wordprocessingml.document";
constexpr const char* kSheetType = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

std::string valueAt(const char* keyPath, const char* valueName) {
    platform::RegistryKey key = platform::RegistryKey::classesRoot();
    std::string value;
    if (platform::registryOpenKey(platform::RegistryKey::classesRoot(), keyPath, key) != 0) return "<no key>";
    return platform::registryQueryValue(key, valueName, value) == 0 ? value : "<no value>";
}

void setValue(const char* keyPath, const char* valueName, const char* value) {
    platform::RegistryKey key = platform::RegistryKey::classesRoot();
    ASSERT_EQ(platform::registryCreateKey(platform::RegistryKey::classesRoot(), keyPath, key), 0);
    ASSERT_EQ(platform::registrySetValue(key, valueName, value), 0);
}

// A private home: the registry in memory, the desktop's files under the home only.
class FileTypeRegistration : public ::testing::Test {
protected:
    void SetUp() override {
        platform::useMemoryRegistry();
        clearPreferences(gPreferences);
        std::filesystem::create_directories(std::filesystem::path(program).parent_path());
        ASSERT_TRUE(testsupport::writeBytes(program, "#!/bin/sh\n"));
        ::chmod(program.c_str(), 0755);
        mimeApps = home.path() + ".config/mimeapps.list";
        entry = home.path() + ".local/share/applications/vostrandimeko.desktop";
        std::filesystem::create_directories(home.path() + ".config");
    }
    void TearDown() override {
        platform::useDefaultRegistry();
        platform::resetDesktopSearchPaths();
    }

    std::int16_t install() {
        std::string problem;
        const std::int16_t failure = installFileTypes(server, program, problem);
        EXPECT_EQ(failure == 0, problem.empty()) << problem;
        return failure;
    }
    std::int16_t remove() {
        std::string problem;
        return removeFileTypes(server, program, problem);
    }

    testsupport::TemporaryFolder home;
    testsupport::ScopedEnvironment homeVariable{"HOME", home.path().c_str()};
    testsupport::ScopedEnvironment dataHome{"XDG_DATA_HOME", nullptr};
    testsupport::ScopedEnvironment configHome{"XDG_CONFIG_HOME", nullptr};
    // Characters that the desktop entry's Exec line must quote or escape.
    std::string program = home.path() + "my $programs \"new\" `1`\\/vostrandimeko";
    std::string mimeApps;
    std::string entry;
    testsupport::ScriptedAsker asker;
    CDDEServer server{&asker};
};

TEST_F(FileTypeRegistration, InstallWritesEverythingAndRemoveTakesItAllAwayButNothingElse) {
    const std::string unrelated = "[Default Applications]\nimage/png=viewer.desktop;\n\n[Added Associations]\n"
                                  "text/plain=editor.desktop;\n";
    ASSERT_TRUE(testsupport::writeBytes(mimeApps, unrelated));

    ASSERT_EQ(install(), 0);
    EXPECT_TRUE(asker.shown.empty()) << "nothing belonged to another program";
    const std::pair<const char*, std::string> registry[] = {
        {".docx", "Vostrandimeko.docx"},
        {".xlsx", "Vostrandimeko.xlsx"},
        {"Vostrandimeko.docx", "Vostrandimeko Document"},
        {"Vostrandimeko.docx\\shell\\open\\command", program + " \"%L\""},
        {"Vostrandimeko.docx\\shell\\open\\ddeexec", "[Open(\"%1\")]"},
        {"Vostrandimeko.docx\\shell\\open\\ddeexec\\application", "Vostrandimeko"},
        {"Vostrandimeko.docx\\shell\\open\\ddeexec\\topic", "System"},
        {"Vostrandimeko.xlsx\\DefaultIcon", program + ",1"},
    };
    for (const auto& [key, value] : registry) EXPECT_EQ(valueAt(key, ""), value) << key;
    EXPECT_EQ(valueAt(".docx", "Content Type"), "application/Vostrandimeko");

    // The desktop finds the program through what was written.
    platform::DesktopSearchPaths paths;
    paths.configFolders = {home.path() + ".config/"};
    paths.dataFolders = {home.path() + ".local/share/"};
    paths.programSearchPath = "/usr/bin";
    platform::setDesktopSearchPathsForTesting(paths);
    std::filesystem::create_directories(home.path() + ".local/share/mime");
    ASSERT_TRUE(testsupport::writeBytes(home.path() + ".local/share/mime/globs2",
                                        std::string("50:") + kWordType + ":*.docx\n50:" + kSheetType + ":*.xlsx\n"));
    for (const char* extension : {"docx", "xlsx"}) {
        platform::DesktopApplication application;
        ASSERT_EQ(platform::applicationForExtension(extension, application), 0) << extension;
        EXPECT_EQ(application.executable, program);
        EXPECT_EQ(application.desktopFile, entry);
    }
    EXPECT_NE(testsupport::readBytes(entry).find("%F"), std::string::npos);
    EXPECT_NE(testsupport::readBytes(mimeApps).find("image/png=viewer.desktop;"), std::string::npos);

    ASSERT_EQ(install(), 0) << "installing again changes nothing";
    ASSERT_EQ(remove(), 0);
    for (const char* key : {"Vostrandimeko.docx", "Vostrandimeko.xlsx"}) EXPECT_EQ(valueAt(key, ""), "<no key>");
    EXPECT_EQ(valueAt(".docx", ""), "<no value>");
    EXPECT_EQ(valueAt(".xlsx", "Content Type"), "<no value>");
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_EQ(testsupport::readBytes(mimeApps), unrelated);
}

TEST_F(FileTypeRegistration, WhatBelongsToAnotherProgramIsTakenOnlyWithConsentAndGivenBack) {
    setValue(".docx", "", "Other.docx");
    setValue(".docx", "Content Type", "application/other");
    ASSERT_TRUE(testsupport::writeBytes(mimeApps, std::string("[Default Applications]\n") + kWordType + "=other.desktop;\n"));

    asker.answers.push_back({0});
    ASSERT_EQ(install(), 0) << "a refusal is no failure";
    EXPECT_EQ(asker.shown.size(), 1u) << "asked once for everything";
    EXPECT_EQ(valueAt(".docx", ""), "Other.docx");
    EXPECT_EQ(valueAt(".docx", "Content Type"), "application/other");
    EXPECT_EQ(valueAt(".xlsx", ""), "Vostrandimeko.xlsx") << "a free extension is taken without asking";
    EXPECT_EQ(platform::userDefaultApplications(kWordType), "other.desktop;");
    EXPECT_EQ(platform::userDefaultApplications(kSheetType), "vostrandimeko.desktop;");
    ASSERT_EQ(remove(), 0);
    EXPECT_EQ(valueAt(".docx", ""), "Other.docx") << "another program's value stays";
    EXPECT_EQ(valueAt(".docx", "Content Type"), "application/other");

    CDDEServer consenting(&asker);
    asker.answers.push_back({1});
    std::string problem;
    ASSERT_EQ(installFileTypes(consenting, program, problem), 0);
    EXPECT_EQ(valueAt(".docx", ""), "Vostrandimeko.docx");
    EXPECT_EQ(platform::userDefaultApplications(kWordType), "vostrandimeko.desktop;other.desktop;");
    ASSERT_EQ(removeFileTypes(consenting, program, problem), 0);
    EXPECT_EQ(platform::userDefaultApplications(kWordType), "other.desktop;") << "the earlier default is back";
}

TEST_F(FileTypeRegistration, DontAskAgainRefusesSilentlyAndAnEntryOfAnotherAuthorStays) {
    setValue(".docx", "", "");  // present but empty counts as another program's
    gPreferences.noAskDefaultApp = 1;
    ASSERT_EQ(install(), 0);
    EXPECT_TRUE(asker.shown.empty());
    EXPECT_EQ(valueAt(".docx", ""), "");

    const std::string theirs = "[Desktop Entry]\nType=Application\nName=Mine\nExec=mine %F\n";
    std::filesystem::create_directories(std::filesystem::path(entry).parent_path());
    ASSERT_TRUE(testsupport::writeBytes(entry, theirs));
    ASSERT_EQ(remove(), 0);
    EXPECT_EQ(testsupport::readBytes(entry), theirs);
}

TEST_F(FileTypeRegistration, AFileThatCannotBeWrittenFailsWithItsName) {
    // A folder where the desktop entry should go.
    std::filesystem::create_directories(entry);
    std::string problem;
    EXPECT_NE(installFileTypes(server, program, problem), 0);
    EXPECT_NE(problem.find(entry), std::string::npos) << problem;
}

}  // namespace
