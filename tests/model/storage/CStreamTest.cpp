#include <gtest/gtest.h>

#include <string>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/storage/CStorage.h"
#include "model/storage/CStream.h"
#include "tests/model/storage/StorageTestSupport.h"

namespace {

using storagetest::failureOf;

class StreamTest : public ::testing::Test {
protected:
    // The UTF-16 text written to a new element, as stored and as read back.
    std::u16string roundTripText(const std::u16string& text, std::string* storedForm = nullptr) {
        CStream element(storage.rootStream(), "TEXT", 1);
        element.writeValues(text.data(), static_cast<std::int32_t>(text.size()), nullptr);
        if (storedForm != nullptr) *storedForm = elementText(element.getNode());
        char16_t* back = nullptr;
        std::int32_t length = -1;
        element.readValues(&back, &length, nullptr);
        std::u16string result;
        if (back != nullptr) result.assign(back, static_cast<std::size_t>(length));
        freeMemory(back);
        return result;
    }

    CStorage storage{nullptr, storagemode::kWrite};
};

TEST_F(StreamTest, ElementTextKeepsEveryUnitAndHasNoSizeLimit) {
    std::string storedForm;
    EXPECT_EQ(roundTripText(u"a<b> \u00E9", &storedForm), u"a<b> \u00E9");
    EXPECT_EQ(storedForm, "a%3Cb%3E %C3%A9");

    const std::u16string awkward{u'x', 0, u'\xD800', u'y', u'\xDC00', u'\x1F', u'+', u'\xFFFF'};
    EXPECT_EQ(roundTripText(awkward), awkward);

    std::u16string longText;
    for (int i = 0; i < 40000; ++i) longText += (i % 3 == 0) ? u"\u20AC<" : u"z";
    EXPECT_EQ(roundTripText(longText), longText);
}

TEST_F(StreamTest, TextWrittenTwiceIsJoinedAndNoTextLeavesTheOutputs) {
    CStream element(storage.rootStream(), "TEXT", 1);
    char16_t* text = reinterpret_cast<char16_t*>(1);
    std::int32_t length = 77;
    element.readValues(&text, &length, nullptr);
    EXPECT_EQ(text, reinterpret_cast<char16_t*>(1));
    EXPECT_EQ(length, 77);

    element.writeValues(u"ab", 2, nullptr);
    element.writeValues(u"cd", 2, nullptr);
    element.writeValues(u"ignored", 0, nullptr);
    text = nullptr;
    element.readValues(&text, &length, nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text, static_cast<std::size_t>(length)), u"abcd");
    EXPECT_EQ(text[length], 0);
    freeMemory(text);
}

TEST_F(StreamTest, RawTextIsAddedAndGivenBackAsStored) {
    CStream element(storage.rootStream(), "PIC-DATA", 1);
    char* text = nullptr;
    std::int32_t length = -1;
    element.getText(&text, &length);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(length, -1);

    element.addText("QUJD\r\n", 6);
    element.addText("ignored", 0);
    element.addText("RA==", 4);
    element.getText(&text, &length);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "QUJD\r\nRA==");
    EXPECT_EQ(length, 10);
    freeMemory(text);
}

TEST_F(StreamTest, ChildrenAreFoundByNameAndByAttribute) {
    CStream* root = storage.rootStream();
    for (int mark : {3, -1, 12}) {
        CStream story(root, "footnoteStory", 1);
        story.writeValues(nullptr, 0, "StoryMark %l StoryName %s Visible %d", mark, mark == 12 ? "twelve & 12%" : "other",
                          mark == -1 ? 1 : 0);
    }
    CStream first(root, "footnoteStory", 0);
    std::int32_t mark = 0;
    first.readValues(nullptr, nullptr, "StoryMark %l", &mark);
    EXPECT_EQ(mark, 3);

    const std::int32_t wanted = -1;
    CStream byInteger(root, "footnoteStory", "StoryMark", &wanted, childmatch::kInteger);
    byInteger.readValues(nullptr, nullptr, "StoryMark %l", &mark);
    EXPECT_EQ(mark, -1);
    // A text that the storage keeps %-encoded is found by the text itself.
    CStream byText(root, "footnoteStory", "StoryName", "twelve & 12%", childmatch::kText);
    byText.readValues(nullptr, nullptr, "StoryMark %l", &mark);
    EXPECT_EQ(mark, 12);
    const std::int16_t yes = 1;
    CStream byBoolean(root, "footnoteStory", "Visible", &yes, childmatch::kBoolean);
    EXPECT_EQ(byBoolean.getNode(), byInteger.getNode());

    const std::int32_t absent = 99;
    const std::function<void()> misses[] = {
        [&] { CStream missing(root, "mainStory", 0); },
        [&] { CStream missing(root, "footnoteStory", "StoryMark", &absent, childmatch::kInteger); },
        [&] { CStream missing(root, "footnoteStory", "StoryMark", &absent, 9); },
        [&] { CStream empty(nullptr, nullptr, 0); CStream missing(&empty, "x", 0); },
    };
    for (const auto& miss : misses) {
        const CFail failure = failureOf(miss);
        EXPECT_EQ(failure.error, result::kOutOfMemory);
        EXPECT_STREQ(failure.fileName, "BStorage");
    }
}

TEST_F(StreamTest, ARemovedElementIsNoLongerFoundAndTheRootStays) {
    CStream* root = storage.rootStream();
    {
        CStream doomed(root, "FORM", 1);
        CStream inner(&doomed, "Form000", 1);
        EXPECT_EQ(doomed.remove(), 0);
        EXPECT_EQ(doomed.getNode(), nullptr);
    }
    EXPECT_EQ(CStream::findChild(root->getNode()->children, "FORM", nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(root->remove(), 0);
    EXPECT_EQ(xmlDocGetRootElement(storage.getDocument()), root->getNode());
}

// Short values are shared through the document's dictionary, longer ones kept each on its own: an
// attribute written again holds only its last value whichever way the old and the new one are kept, and
// an element sharing a value is not touched by another's change.
TEST_F(StreamTest, AnAttributeWrittenAgainHoldsOnlyItsLastValue) {
    CStream element(storage.rootStream(), "E", 1);
    CStream other(storage.rootStream(), "F", 1);
    for (const char* value : {"1", "123456789", "-1", "", "abcdefghij", "7"}) {
        other.writeValues(nullptr, 0, "key %s", "1");
        element.writeValues(nullptr, 0, "key %s other %d", value, 3);
        char read[32] = "unread";
        element.readValues(nullptr, nullptr, "key %s", read);
        EXPECT_STREQ(read, value);
    }
    const std::string saved = storagetest::documentText(storage);
    EXPECT_NE(saved.find("<E key=\"7\" other=\"3\"/><F key=\"1\"/>"), std::string::npos) << saved;
}

TEST_F(StreamTest, AnElementWithoutParentBelongsToNoTreeAndIsFreedWithItsStream) {
    CStream loose(nullptr, "Loose", 1);
    ASSERT_NE(loose.getNode(), nullptr);
    loose.writeValues(u"text", 4, "a %d", 5);
    EXPECT_EQ(loose.getNode()->parent, nullptr);
    EXPECT_EQ(CStream::findChild(storage.rootStream()->getNode()->children, "Loose", nullptr, nullptr, 0), nullptr);
}

}  // namespace
