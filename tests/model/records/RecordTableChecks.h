#pragma once
// The checks both families of field tables (the formatting records' and the document tables') go
// through: the attribute keys a table gives, and what its children and hand-written fields store.
#include <gtest/gtest.h>

#include <cstring>
#include <span>

#include "model/records/RecordFields.h"

namespace recordtablechecks {

// A table and the attribute format its storage readers and writers use, character for character.
struct FormatCase {
    const RecordTable* table;
    const char* format;
};

// Every case's format matches; `tables` is the family the cases must cover, one case a table.
inline void expectAttributeFormats(std::span<const FormatCase> cases, std::span<const RecordTable* const> tables) {
    EXPECT_EQ(cases.size(), tables.size()) << "every table has its key list here";
    char format[4096];
    for (const auto& c : cases) {
        EXPECT_EQ(attributeFormat(*c.table, format, sizeof format), static_cast<int>(std::strlen(c.format)));
        EXPECT_STREQ(format, c.format) << c.table->name;
    }
}

// A field that is not a plain attribute, with how it is stored and the change bit it carries.
struct StoredAsCase {
    const RecordTable* table;
    const char* field;
    FieldStorage storage;
    const char* element;
    const char* key;
    int bit = kAlways;
};

inline void expectStoredAs(std::span<const StoredAsCase> cases) {
    for (const auto& c : cases) {
        const FieldSpec* field = findField(*c.table, c.field);
        ASSERT_NE(field, nullptr) << c.table->name << "." << c.field;
        EXPECT_EQ(field->storage, c.storage) << c.field;
        EXPECT_EQ(field->bit, c.bit) << c.field;
        EXPECT_STREQ(field->element, c.element) << c.field;
        EXPECT_STREQ(field->key, c.key) << c.field;
    }
}

}  // namespace recordtablechecks
