#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files/Folders.h"
#include "platform/registry/Registry.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using platform::RegistryKey;

const RegistryKey kClasses = RegistryKey::classesRoot();
const RegistryKey kUser = RegistryKey::currentUser();

using testsupport::readBytes;
using testsupport::writeBytes;

// The default value of a key, or "<error n>".
std::string defaultValueOf(const RegistryKey& root, const std::string& path) {
    RegistryKey key = root;
    if (const auto failure = platform::registryOpenKey(root, path, key); failure != 0) return "<error " + std::to_string(failure) + ">";
    std::string data;
    if (const auto failure = platform::registryQueryValue(key, "", data); failure != 0) return "<error " + std::to_string(failure) + ">";
    return data;
}

void setDefault(const RegistryKey& root, const std::string& path, const std::string& data) {
    RegistryKey key = root;
    ASSERT_EQ(platform::registryCreateKey(root, path, key), 0) << path;
    ASSERT_EQ(platform::registrySetValue(key, "", data), 0) << path;
}

class RegistryInMemory : public ::testing::Test {
protected:
    void SetUp() override { platform::useMemoryRegistry(); }
    void TearDown() override { platform::useDefaultRegistry(); }
};

TEST_F(RegistryInMemory, KeysAndValuesAreFoundWhateverTheirCase) {
    RegistryKey key = kClasses;
    ASSERT_EQ(platform::registryCreateKey(kClasses, "Vostrandimeko\\Shell\\Open\\Command", key), 0);
    ASSERT_EQ(platform::registrySetValue(key, "", "\"/opt/v/vostrandimeko\" \"%1\""), 0);
    ASSERT_EQ(platform::registrySetValue(key, "Content Type", "application/Vostrandimeko"), 0);

    EXPECT_EQ(defaultValueOf(kClasses, "vostrandimeko\\shell\\open\\COMMAND"), "\"/opt/v/vostrandimeko\" \"%1\"");
    RegistryKey found = kClasses;
    ASSERT_EQ(platform::registryOpenKey(kClasses, "VOSTRANDIMEKO\\SHELL", found), 0);
    ASSERT_EQ(platform::registryOpenKey(found, "open\\command", found), 0);
    std::string data;
    ASSERT_EQ(platform::registryQueryValue(found, "content type", data), 0);
    EXPECT_EQ(data, "application/Vostrandimeko");
    // Case folding goes beyond ASCII.
    setDefault(kClasses, "\xC3\x89T\xC3\x89", "summer");  // "ÉTÉ"
    EXPECT_EQ(defaultValueOf(kClasses, "\xC3\xA9t\xC3\xA9"), "summer");  // "été"
}

TEST_F(RegistryInMemory, MissingKeysAndValuesAnswerNotFound) {
    setDefault(kClasses, "a\\b", "x");
    RegistryKey key = kClasses;
    EXPECT_EQ(platform::registryOpenKey(kClasses, "a\\c", key), 2);
    EXPECT_EQ(platform::registryOpenKey(kUser, "a\\b", key), 2) << "the roots are apart";
    ASSERT_EQ(platform::registryOpenKey(kClasses, "a", key), 0);
    std::string data = "unchanged";
    EXPECT_EQ(platform::registryQueryValue(key, "", data), 2) << "a key made on the way has no default value";
    EXPECT_EQ(platform::registryQueryValue(key, "other", data), 2);
    EXPECT_EQ(data, "unchanged");
    EXPECT_EQ(platform::registryDeleteValue(key, "other"), 2);
    EXPECT_EQ(platform::registryDeleteTree(kClasses, "nowhere"), 2);
}

TEST_F(RegistryInMemory, PathsPassOverEmptyNamesAndRefuseControlCharacters) {
    setDefault(kClasses, "\\a\\\\b\\", "x");
    EXPECT_EQ(defaultValueOf(kClasses, "a\\b"), "x");
    RegistryKey key = kClasses;
    EXPECT_EQ(platform::registryCreateKey(kClasses, "a\nb", key), 87);
    EXPECT_EQ(platform::registryCreateKey(kClasses, std::string(256, 'k'), key), 87);
    EXPECT_EQ(platform::registryCreateKey(kClasses, std::string(255, 'k'), key), 0);
}

TEST_F(RegistryInMemory, DeletingATreeTakesEverythingBelowIt) {
    setDefault(kClasses, ".docx", "Vostrandimeko");
    setDefault(kClasses, "Vostrandimeko\\shell\\open\\command", "run");
    setDefault(kClasses, "Vostrandimeko\\DefaultIcon", "icon");
    ASSERT_EQ(platform::registryDeleteTree(kClasses, "VOSTRANDIMEKO"), 0);
    RegistryKey key = kClasses;
    EXPECT_EQ(platform::registryOpenKey(kClasses, "Vostrandimeko", key), 2);
    EXPECT_EQ(defaultValueOf(kClasses, ".docx"), "Vostrandimeko");

    // An empty sub-key empties the key and keeps it.
    setDefault(kClasses, "x\\y", "1");
    ASSERT_EQ(platform::registryOpenKey(kClasses, "x", key), 0);
    ASSERT_EQ(platform::registrySetValue(key, "named", "2"), 0);
    ASSERT_EQ(platform::registryDeleteTree(key, ""), 0);
    EXPECT_EQ(platform::registryOpenKey(kClasses, "x", key), 0);
    EXPECT_EQ(platform::registryOpenKey(kClasses, "x\\y", key), 2);
    std::string data;
    EXPECT_EQ(platform::registryQueryValue(key, "named", data), 2);
}

TEST_F(RegistryInMemory, AKeyThatWasDeletedTakesNoValues) {
    RegistryKey key = kClasses;
    ASSERT_EQ(platform::registryCreateKey(kClasses, "gone", key), 0);
    ASSERT_EQ(platform::registryDeleteTree(kClasses, "gone"), 0);
    EXPECT_EQ(platform::registrySetValue(key, "", "x"), 2);
}

// ---- the store's file ---------------------------------------------------------------------------

class RegistryFile : public ::testing::Test {
protected:
    void SetUp() override { platform::useRegistryFile(path); }
    void TearDown() override { platform::useDefaultRegistry(); }

    testsupport::TemporaryFolder folder;
    std::string path = folder.file("config/sub/registry.txt");
};

TEST_F(RegistryFile, WhatIsWrittenReadsBackWithEveryByte) {
    const std::string awkward = std::string("quote \" backslash \\ tab \t line\nreturn\r zero ") + '\0' + " \x7F caf\xC3\xA9 \xFF %1";
    RegistryKey key = kClasses;
    ASSERT_EQ(platform::registryCreateKey(kClasses, "Applications\\my app [1].desktop\\shell", key), 0);
    ASSERT_EQ(platform::registrySetValue(key, "", awkward), 0);
    ASSERT_EQ(platform::registrySetValue(key, "name \"with\" = signs", "v"), 0);
    setDefault(kUser, "Control Panel\\Desktop\\ResourceLocale", "0000040C");

    // A fresh store of the same file reads the same registry.
    platform::useRegistryFile(path);
    EXPECT_EQ(defaultValueOf(kClasses, "applications\\MY APP [1].desktop\\shell"), awkward);
    ASSERT_EQ(platform::registryOpenKey(kClasses, "Applications\\my app [1].desktop\\shell", key), 0);
    std::string data;
    EXPECT_EQ(platform::registryQueryValue(key, "NAME \"WITH\" = SIGNS", data), 0);
    EXPECT_EQ(data, "v");
    EXPECT_EQ(defaultValueOf(kUser, "Control Panel\\Desktop\\ResourceLocale"), "0000040C");

    const std::string text = readBytes(path);
    EXPECT_NE(text.find("vostrandimeko-registry 1\n"), std::string::npos);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Control Panel\\Desktop\\ResourceLocale]\n@=\"0000040C\"\n"), std::string::npos);
    // Only the registry file is left in its folder: the temporary file became it.
    int entries = 0;
    for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator(folder.file("config/sub"))) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(RegistryFile, ADamagedFileLosesOnlyItsDamagedLinesAndIsKeptAside) {
    const std::string damaged =
        "\xEF\xBB\xBF# written by hand\r\n"
        "vostrandimeko-registry 1\r\n"
        "[HKEY_CLASSES_ROOT\\good]\r\n"
        "@=\"kept\"\r\n"
        "this line is noise\r\n"
        "\"unclosed\"=\"value\r\n"
        "  \"after\" = \"also kept\"  \r\n"
        "[HKEY_NOWHERE\\lost]\r\n"
        "@=\"lost with its key\"\r\n"
        "[HKEY_CLASSES_ROOT\\bad\\\\name]\r\n"
        "@=\"lost too\"\r\n"
        "[hkey_classes_root\\second]\r\n"
        "@=\"cut off at the end";
    std::filesystem::create_directories(folder.file("config/sub"));
    writeBytes(path, damaged);

    EXPECT_EQ(defaultValueOf(kClasses, "good"), "kept");
    RegistryKey key = kClasses;
    ASSERT_EQ(platform::registryOpenKey(kClasses, "good", key), 0);
    std::string data;
    EXPECT_EQ(platform::registryQueryValue(key, "after", data), 0);
    EXPECT_EQ(data, "also kept");
    EXPECT_EQ(platform::registryOpenKey(kClasses, "lost", key), 2);
    EXPECT_EQ(platform::registryOpenKey(kClasses, "bad", key), 2);
    EXPECT_EQ(platform::registryOpenKey(kClasses, "second", key), 0);
    EXPECT_EQ(defaultValueOf(kClasses, "second"), "<error 2>");

    // The first change writes a clean file and keeps the damaged one beside it.
    setDefault(kClasses, "new", "value");
    EXPECT_EQ(readBytes(path + ".damaged"), damaged);
    platform::useRegistryFile(path);
    EXPECT_EQ(defaultValueOf(kClasses, "good"), "kept");
    EXPECT_EQ(defaultValueOf(kClasses, "new"), "value");
}

TEST_F(RegistryFile, AFileWithoutItsFormatLineReadsAsEmpty) {
    std::filesystem::create_directories(folder.file("config/sub"));
    writeBytes(path, "[HKEY_CLASSES_ROOT\\key]\n@=\"value\"\n");
    EXPECT_EQ(defaultValueOf(kClasses, "key"), "<error 2>");
    setDefault(kClasses, "other", "x");
    EXPECT_EQ(readBytes(path + ".damaged"), "[HKEY_CLASSES_ROOT\\key]\n@=\"value\"\n");
}

TEST_F(RegistryFile, AChangeMadeOnDiskIsSeenAtTheNextCall) {
    setDefault(kClasses, "key", "first");
    EXPECT_EQ(defaultValueOf(kClasses, "key"), "first");
    writeBytes(path, "vostrandimeko-registry 1\n[HKEY_CLASSES_ROOT\\key]\n@=\"second, and longer\"\n");
    EXPECT_EQ(defaultValueOf(kClasses, "key"), "second, and longer");
    std::filesystem::remove(path);
    EXPECT_EQ(defaultValueOf(kClasses, "key"), "<error 2>");
}

TEST_F(RegistryFile, AWriteThatFailsChangesNothing) {
    // A file name so long that no temporary name fits beside it: the file reads, but cannot be replaced.
    const std::string longPath = folder.file(std::string(250, 'r'));
    writeBytes(longPath, "vostrandimeko-registry 1\n[HKEY_CLASSES_ROOT\\key]\n@=\"on disk\"\n");
    platform::useRegistryFile(longPath);
    RegistryKey key = kClasses;
    ASSERT_EQ(platform::registryOpenKey(kClasses, "key", key), 0);
    EXPECT_EQ(platform::registrySetValue(key, "", "in memory only"), 206);
    EXPECT_EQ(defaultValueOf(kClasses, "key"), "on disk");
}

TEST(RegistryDefault, LivesInTheApplicationDataFolder) {
    testsupport::TemporaryFolder folder;
    platform::overrideFolderForTesting(platform::Folder::ApplicationData, folder.path());
    platform::useDefaultRegistry();
    EXPECT_EQ(platform::defaultRegistryFilePath(), folder.path() + "Vostrandimeko registry.txt");
    setDefault(kClasses, "key", "value");
    EXPECT_TRUE(std::filesystem::exists(folder.path() + "Vostrandimeko registry.txt"));
    platform::overrideFolderForTesting(platform::Folder::ApplicationData, "");
}

}  // namespace
