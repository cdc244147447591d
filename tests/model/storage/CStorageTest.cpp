#include <gtest/gtest.h>

#include <libxml/xmlerror.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/storage/CStorage.h"
#include "model/storage/CStream.h"
#include "tests/model/storage/StorageTestSupport.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using storagetest::failureOf;
using storagetest::FileStorage;

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

std::string rootName(CStorage& storage) {
    return reinterpret_cast<const char*>(storage.rootStream()->getNode()->name);
}

std::u16string textOf(CStream& element) {
    char16_t* text = nullptr;
    std::int32_t length = 0;
    element.readValues(&text, &length, nullptr);
    std::u16string result = text != nullptr ? std::u16string(text, static_cast<std::size_t>(length)) : u"";
    freeMemory(text);
    return result;
}

// Names of the entries of a folder.
std::vector<std::string> entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    return names;
}

TEST(CStorage, ASavedStorageReopensWithEverythingAddedAndCanBeSearched) {
    testsupport::TemporaryFolder folder;
    const std::string path = folder.file("storage.xml");
    {
        FileStorage written(path, storagemode::kWrite);
        EXPECT_EQ(rootName(*written.storage), "Root_Storage");
        for (std::int32_t mark : {5, 12}) {
            CStream story(written.root(), "footnoteStory", 1);
            story.writeValues(nullptr, 0, "StoryType %l StoryMark %l StoryName %s", 6, mark, "notes & <more>");
            CStream text(&story, "TEXT", 1);
            text.writeValues(mark == 12 ? u"twelve \u00E9" : u"five", mark == 12 ? 8 : 4, nullptr);
        }
        EXPECT_EQ(written.storage->save(), 0);
    }
    const std::string saved = storagetest::readFile(path);
    EXPECT_EQ(saved.rfind(kDeclaration, 0), 0u) << saved;
    EXPECT_NE(saved.find("<Root_Storage><footnoteStory StoryType=\"6\""), std::string::npos) << saved;
    EXPECT_EQ(entries(folder.path()), std::vector<std::string>{"storage.xml"});

    FileStorage read(path, storagemode::kRead);
    EXPECT_EQ(rootName(*read.storage), "Root_Storage");
    const std::int32_t wanted = 12;
    CStream story(read.root(), "footnoteStory", "StoryMark", &wanted, childmatch::kInteger);
    char name[64] = {};
    story.readValues(nullptr, nullptr, "StoryName %s", name);
    EXPECT_STREQ(name, "notes & <more>");
    CStream text(&story, "TEXT", 0);
    EXPECT_EQ(textOf(text), u"twelve \u00E9");
}

TEST(CStorage, OnlyAnExplicitSaveOfAWriteModeStorageWritesTheFile) {
    testsupport::TemporaryFolder folder;
    const std::string path = folder.file("existing.xml");
    const std::string earlier = "<Earlier/>";
    storagetest::writeFile(path, earlier);

    {
        FileStorage notSaved(path, storagemode::kWrite);
        CStream(notSaved.root(), "Added", 1);
    }
    EXPECT_EQ(storagetest::readFile(path), earlier);

    {
        FileStorage cleared(path, storagemode::kWrite);
        CStream(cleared.root(), "Added", 1);
        cleared.storage->clearWriteMode();
        EXPECT_EQ(cleared.storage->save(), 0);
    }
    EXPECT_EQ(storagetest::readFile(path), earlier);

    {
        FileStorage readMode(path, storagemode::kRead);
        CStream(readMode.root(), "Added", 1);
        EXPECT_EQ(readMode.storage->save(), 0);
    }
    EXPECT_EQ(storagetest::readFile(path), earlier);

    {
        FileStorage replacing(path, storagemode::kWrite);
        CStream(replacing.root(), "Added", 1);
        replacing.storage->save();
    }
    EXPECT_EQ(storagetest::readFile(path), std::string(kDeclaration) + "\n<Root_Storage><Added/></Root_Storage>\n");
}

TEST(CStorage, AStorageOverNoFileLivesInMemory) {
    for (std::int16_t mode : {storagemode::kRead, storagemode::kWrite, std::int16_t{7}}) {
        CStorage storage(nullptr, mode);
        EXPECT_EQ(rootName(storage), "Root_Storage");
        EXPECT_EQ(storage.rootStream()->getNode()->children, nullptr);
        EXPECT_EQ(storage.save(), 0);
    }
}

TEST(CStorage, TheConstructorByNameMakesItsOwnFile) {
    testsupport::TemporaryFolder folder;
    {
        CStorage storage(u"named.xml", storagetest::pascal(folder.path()), storagemode::kWrite);
        CStream(storage.rootStream(), "Named", 1);
        storage.save();
    }
    CStorage reopened(u"named.xml", storagetest::pascal(folder.path()), storagemode::kRead);
    EXPECT_NE(CStream::findChild(reopened.rootStream()->getNode()->children, "Named", nullptr, nullptr, 0), nullptr);
}

// Reading needs no write access: a data file that is read-only (as installed files are) still opens.
TEST(CStorage, ReadModeOpensAReadOnlyFile) {
    testsupport::TemporaryFolder folder;
    {
        CStorage storage(u"locked.xml", storagetest::pascal(folder.path()), storagemode::kWrite);
        CStream(storage.rootStream(), "Locked", 1);
        storage.save();
    }
    ASSERT_EQ(chmod(folder.file("locked.xml").c_str(), 0444), 0);
    CStorage reopened(u"locked.xml", storagetest::pascal(folder.path()), storagemode::kRead);
    EXPECT_NE(CStream::findChild(reopened.rootStream()->getNode()->children, "Locked", nullptr, nullptr, 0), nullptr);
}

TEST(CStorage, AnyRootElementOpens) {
    FileStorage foreign = storagetest::fixture("foreign-root.xml");
    EXPECT_EQ(rootName(*foreign.storage), "Zevozav");
    CStream list(foreign.root(), "List", 0);
    std::int32_t id = 0;
    list.readValues(nullptr, nullptr, "id %l", &id);
    EXPECT_EQ(id, 3);
}

// The handler that a caller had installed before; it must see nothing of the storage's parse.
int gOuterReports = 0;
void outerHandler(void*, xmlErrorPtr) {
    ++gOuterReports;
}

TEST(CStorage, AFileThatDoesNotParseFailsAfterTheLibraryReturned) {
    testsupport::TemporaryFolder folder;
    storagetest::writeFile(folder.file("empty.xml"), "");
    storagetest::writeFile(folder.file("no-root.xml"), std::string(kDeclaration) + "\n<!-- nothing -->\n");
    xmlSetStructuredErrorFunc(nullptr, &outerHandler);
    gOuterReports = 0;

    struct Case { std::string path; std::int16_t code; bool reported; };
    const Case cases[] = {
        {storagetest::fixturePath("malformed.xml"), result::kOutOfMemory, true},
        {folder.file("empty.xml"), result::kOutOfMemory, false},
        {folder.file("no-root.xml"), result::kOutOfMemory, true},
        {folder.file("missing.xml"), 2, false},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CFile> file = storagetest::fileAt(c.path, kGenericRead);
        const CFail failure = failureOf([&] { CStorage storage(file.get(), storagemode::kRead); });
        EXPECT_EQ(failure.error, c.code) << c.path;
        EXPECT_STREQ(failure.fileName, "BStorage") << c.path;
        if (c.reported) {
            EXPECT_EQ(CStorage::lastParseProblem().rfind("line ", 0), 0u) << c.path << ": " << CStorage::lastParseProblem();
        }
    }
    EXPECT_EQ(gOuterReports, 0);
    EXPECT_EQ(xmlStructuredError, &outerHandler);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
}

TEST(CStorage, AFailedSaveLeavesNoPartialFile) {
    testsupport::TemporaryFolder folder;
    std::filesystem::create_directory(folder.file("taken"));
    {
        FileStorage blocked(folder.file("taken"), storagemode::kWrite);
        CStream(blocked.root(), "Added", 1);
        const CFail failure = failureOf([&] { blocked.storage->save(); });
        EXPECT_EQ(failure.error, 5);
        EXPECT_STREQ(failure.fileName, "BStorage");
    }
    EXPECT_EQ(entries(folder.path()), std::vector<std::string>{"taken"});
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("taken")));

    FileStorage noFolder(folder.file("gone/storage.xml"), storagemode::kWrite);
    EXPECT_EQ(failureOf([&] { noFolder.storage->save(); }).error, 2);
}

TEST(CStorage, NoExternalResourceIsFetchedAndNoEntityIsExpanded) {
    testsupport::TemporaryFolder folder;
    const std::string secret = "SECRET-CONTENT-7f3a";
    storagetest::writeFile(folder.file("secret.txt"), secret);
    storagetest::writeFile(folder.file("evil.dtd"),
                           "<!ENTITY leak SYSTEM \"file://" + folder.file("secret.txt") +
                               "\">\n<!ATTLIST TEXT Injected CDATA \"from the DTD\">\n");
    const std::string documents[] = {
        // An external entity in the internal subset, referenced from text.
        "<?xml version=\"1.0\"?>\n<!DOCTYPE Root_Storage [<!ENTITY leak SYSTEM \"file://" + folder.file("secret.txt") +
            "\">]>\n<Root_Storage><TEXT Kind=\"1\">a&leak;b</TEXT></Root_Storage>",
        // An external DTD that would declare the entity and a default attribute.
        "<?xml version=\"1.0\"?>\n<!DOCTYPE Root_Storage SYSTEM \"file://" + folder.file("evil.dtd") +
            "\">\n<Root_Storage><TEXT Kind=\"1\">a&leak;b</TEXT></Root_Storage>",
    };
    for (const auto& document : documents) {
        storagetest::writeFile(folder.file("storage.xml"), document);
        FileStorage storage(folder.file("storage.xml"), storagemode::kRead);
        CStream text(storage.root(), "TEXT", 0);
        EXPECT_EQ(textOf(text), u"ab");
        std::string injected;
        EXPECT_FALSE(attributeValue(text.getNode(), "Injected", injected));
        EXPECT_EQ(storagetest::documentText(*storage.storage).find(secret), std::string::npos);
    }

    // An internal entity stays a reference: neither its text nor a default attribute appears.
    FileStorage internal = storagetest::fixture("internal-entity.xml");
    CStream story(internal.root(), "mainStory", 0);
    CStream text(&story, "TEXT", 0);
    EXPECT_EQ(textOf(text), u"ab");
    char name[32] = {};
    story.readValues(nullptr, nullptr, "StoryName %s", name);
    EXPECT_STREQ(name, "ab");
    std::string injected;
    EXPECT_FALSE(attributeValue(story.getNode(), "Injected", injected));

    // An entity bomb is refused by the parser instead of blowing up.
    const CFail bomb = failureOf([] { storagetest::fixture("billion-laughs.xml"); });
    EXPECT_EQ(bomb.error, result::kOutOfMemory);
}

}  // namespace
