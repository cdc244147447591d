// The attributes a storage keeps packed beside its tree: the saved file spells them exactly as the XML
// library's own attributes would, and readers find both kinds alike.
#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <string>
#include <utility>
#include <vector>

#include "model/storage/CStorage.h"
#include "model/storage/CStream.h"
#include "tests/model/storage/StorageTestSupport.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using storagetest::FileStorage;
using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs attributesOf(const CStream& element) {
    Pairs pairs;
    visitAttributes(element.getNode(), [&](const char* name, const char* value) { pairs.emplace_back(name, value); });
    return pairs;
}

// Stories found by their attributes, short and long values, a value replaced where it stands, an
// attribute added after those of a child, texts stored in their encoded form, an element without
// attributes.
void writeFixture(CStream& root) {
    for (std::int32_t mark : {5, 12}) {
        CStream story(&root, "footnoteStory", 1);
        story.writeValues(nullptr, 0, "StoryType %l StoryMark %l StoryName %s", 6, mark, "notes & <\"more\">\n");
    }
    const std::int32_t wanted = 12;
    CStream found(&root, "footnoteStory", "StoryMark", &wanted, childmatch::kInteger);
    CStream run(&found, "Form000", 1);
    run.writeValues(nullptr, 0, "width %l id %l flag %d", 5, 1234567890, 1);
    run.writeValues(nullptr, 0, "width %l", 123456);
    found.writeValues(nullptr, 0, "StoryRows %l", 7);  // after its child's attributes
    CStream text(&found, "TEXT", 1);
    text.writeValues(u"a < b & c", 9, nullptr);
    CStream empty(&root, "Empty", 1);
}

constexpr const char* kFixtureFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Root_Storage>"
    "<footnoteStory StoryType=\"6\" StoryMark=\"5\" StoryName=\"notes %26 %3C%22more%22%3E%0A\"/>"
    "<footnoteStory StoryType=\"6\" StoryMark=\"12\" StoryName=\"notes %26 %3C%22more%22%3E%0A\" StoryRows=\"7\">"
    "<Form000 width=\"123456\" id=\"1234567890\" flag=\"1\"/><TEXT>a %3C b %26 c</TEXT></footnoteStory>"
    "<Empty/>"
    "</Root_Storage>\n";

TEST(PackedAttributes, TheSavedFileIsTheOneTheLibraryAttributesGave) {
    testsupport::TemporaryFolder folder;
    const std::string path = folder.file("storage.xml");
    {
        FileStorage written(path, storagemode::kWrite);
        writeFixture(*written.root());
        written.storage->save();
    }
    EXPECT_EQ(storagetest::readFile(path), kFixtureFile);

    // Read back, the same file has library attributes only; written again, it saves the same bytes.
    FileStorage reread(path, storagemode::kRead);
    const std::int32_t wanted = 12;
    CStream story(reread.root(), "footnoteStory", "StoryMark", &wanted, childmatch::kInteger);
    CStream run(&story, "Form000", 0);
    EXPECT_EQ(attributesOf(run), (Pairs{{"width", "123456"}, {"id", "1234567890"}, {"flag", "1"}}));
}

TEST(PackedAttributes, AnElementUnpackedForTheLibraryKeepsItsOrderAndTakesNewAttributesAfter) {
    CStorage storage(nullptr, storagemode::kWrite);
    CStream element(storage.rootStream(), "E", 1);
    element.writeValues(nullptr, 0, "first %d second %d", 1, 2);
    ASSERT_NE(storage.getDocument(), nullptr);  // unpacks every element
    ASSERT_NE(element.getNode()->properties, nullptr);

    element.writeValues(nullptr, 0, "third %d first %d", 3, 10);
    EXPECT_EQ(attributesOf(element), (Pairs{{"first", "10"}, {"second", "2"}, {"third", "3"}}));
    std::int16_t first = 0;
    std::int16_t third = 0;
    element.readValues(nullptr, nullptr, "third %d first %d", &third, &first);
    EXPECT_EQ(first, 10);
    EXPECT_EQ(third, 3);

    const std::string saved = storagetest::documentText(storage);
    EXPECT_NE(saved.find("<E first=\"10\" second=\"2\" third=\"3\"/>"), std::string::npos) << saved;
}

}  // namespace
