#pragma once
// Field tables: one table per record type says, field by field, how the record travels through the
// storage and how it behaves in memory. A row gives
//   - the member's name and where it lies in the record (offset, size);
//   - how it is stored: an attribute (key and value letter), a child element holding the fields of a
//     sub-record table, stored by code of its own ("hand-written", named in the row), or not stored;
//   - its change bit, or kAlways for the head fields and for the fields of records without change bits;
//   - how two values compare: byte for byte when the member has no padding, otherwise member by member;
//   - its starting value.
// The record writers and readers, the change marking of a story, the dumps and the defaults and
// comparisons below all walk these tables, so each stored key is written down once, in its table (the
// tables themselves are in the <Record>Fields.cpp files, declared in RecordTables.h and built with
// RecordTableBuilder.h).
//
// A writer walks a table in order:
//     for (const FieldSpec& field : kXFormTable.fields) {
//         if (field.bit != kAlways && testMaskBit(form, field.bit) != 1) continue;
//         switch (field.storage) {
//         case FieldStorage::kAttribute:   // one attribute: field.key with field.letter
//         case FieldStorage::kChild:       // a child element field.element with the attributes of *field.sub
//         case FieldStorage::kHandWritten: // the writer's own code for this row (see the row's comment)
//         case FieldStorage::kNotStored:   break;
//         }
//     }
// A reader builds its key list from the attribute rows (attributeFormat) and reads the children by
// their element names; the change marking calls markFieldChanges; the dumps label lines with
// field.name.
#include <cstdint>
#include <span>

// The change bit of a field that is stored with every record.
constexpr std::int8_t kAlways = -1;

enum class FieldStorage : std::uint8_t {
    kAttribute,    // one attribute of the record's element: key and value letter
    kChild,        // a child element named `element`, holding the attributes of the `sub` table
    kHandWritten,  // stored by code of its own; `element` and `key` name what it stores
    kNotStored,    // lives in memory only
};

enum class FieldCompare : std::uint8_t {
    kBytes,   // the member has no padding: equal bytes are equal values
    kWidth,   // a WidthSpec, member by member
    kHeight,  // a HeightSpec, member by member
    kFields,  // each of the `itemCount` items field by field through the `sub` table
};

struct RecordTable;

struct FieldSpec {
    const char* name;     // the member's name, which is also the dumps' label
    const char* key;      // the stored attribute name, or the key pattern of a hand-written row; else null
    const char* element;  // the child element's name or name pattern; else null
    char letter;          // the storage value letter of the key (of each item for a hand-written row); else 0
    std::int8_t bit;      // change bit, or kAlways
    FieldStorage storage;
    FieldCompare compare;
    std::uint32_t offset;  // where the member lies in its record
    std::uint32_t size;
    std::uint16_t align;
    std::uint16_t itemCount;       // items of an array member, 1 otherwise
    const RecordTable* sub;        // the table of a sub-record member (children, arrays of records)
    std::int32_t initial;          // starting value of an integer member (letters d, l, u)
    const void* initialValue;      // starting value of any other member; null: zero, or the sub-table's own
};

struct RecordTable {
    const char* name;  // the record type, which is the key prefix
    std::uint32_t size;
    std::span<const FieldSpec> fields;
};

// Where the member of a row lies in a record.
inline void* fieldAddress(const FieldSpec& field, void* record) {
    return static_cast<unsigned char*>(record) + field.offset;
}
inline const void* fieldAddress(const FieldSpec& field, const void* record) {
    return static_cast<const unsigned char*>(record) + field.offset;
}

// The value of an integer member (letters d, l, u), widened; 0 for any other row.
std::int64_t integerField(const FieldSpec& field, const void* record);
// Stores an integer member (letters d, l, u), cut to its width; other rows are left alone.
void setIntegerField(const FieldSpec& field, void* record, std::int64_t value);

// Clears every byte of the record, then gives each field its starting value.
void initRecord(const RecordTable& table, void* record);

// The same for a record type that always starts from one table, by copying a starting record made once:
// a long document starts records hundreds of thousands of times, and walking the table field by field
// for each cost more than reading the paragraph the record was for.
template <typename Record>
void initRecordOnce(const RecordTable& table, Record* record) {
    static const Record start = [&table] {
        Record made;
        initRecord(table, &made);
        return made;
    }();
    *record = start;
}

bool equalField(const FieldSpec& field, const void* a, const void* b);
// Every field equal; padding is never looked at.
bool equalRecords(const RecordTable& table, const void* a, const void* b);

// The change marking of a run: sets the change bit of every optional field of `record` that differs
// from `previous` (it never clears one) and answers whether any did. The record's change mask is its
// first member.
bool markFieldChanges(const RecordTable& table, void* record, const void* previous);

// The row of the member with this name; null when the table has none.
const FieldSpec* findField(const RecordTable& table, const char* name);

// The key list of the table's attribute rows in table order, "XForm_changeBits %v XForm_uniqueBits %l ...",
// as one attribute read or write takes it. Answers its length, or -1 (and an empty text) when it does not
// fit the buffer.
int attributeFormat(const RecordTable& table, char* buffer, int capacity);
