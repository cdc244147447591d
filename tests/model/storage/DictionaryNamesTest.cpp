// The remembered dictionary names: whatever address a name comes from, the answer is the dictionary's
// own copy of that very name.
#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <cstring>
#include <memory>

#include "model/storage/DictionaryNames.h"

namespace {

struct DictionaryFree {
    void operator()(xmlDict* dictionary) const { xmlDictFree(dictionary); }
};

const xmlChar* dictionaryCopy(xmlDict* dictionary, const char* name) {
    return xmlDictLookup(dictionary, reinterpret_cast<const xmlChar*>(name), -1);
}

TEST(DictionaryNames, AnswersTheDictionaryCopyOfTheNameNowAtAnAddress) {
    const std::unique_ptr<xmlDict, DictionaryFree> dictionary(xmlDictCreate());
    ASSERT_NE(dictionary, nullptr);
    DictionaryNames names(dictionary.get());

    // A name asked again from its address, and the same text from another address.
    static const char kLiteral[] = "XRule_leftIndent";
    char copy[sizeof kLiteral];
    std::memcpy(copy, kLiteral, sizeof kLiteral);
    const xmlChar* first = names.lookUp(kLiteral);
    EXPECT_EQ(first, dictionaryCopy(dictionary.get(), kLiteral));
    EXPECT_EQ(names.lookUp(kLiteral), first);
    EXPECT_EQ(names.lookUp(copy), first);

    // A buffer that held one name and now holds others (a key list split in place) answers each by its
    // text, also a longer name that merely starts with the one before and a shorter one.
    char buffer[32] = "width";
    const xmlChar* width = names.lookUp(buffer);
    EXPECT_STREQ(reinterpret_cast<const char*>(width), "width");
    for (const char* other : {"height", "widthMore", "wid", "width"}) {
        std::strcpy(buffer, other);
        const xmlChar* answer = names.lookUp(buffer);
        EXPECT_EQ(answer, dictionaryCopy(dictionary.get(), other)) << other;
        EXPECT_STREQ(reinterpret_cast<const char*>(answer), other);
    }
    EXPECT_EQ(names.lookUp(buffer), width);
}

}  // namespace
