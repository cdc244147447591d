#pragma once
// Building the field tables (RecordFields.h says what a table holds). The macros at the end take the
// record type and the member's name, so a row can never name a member that does not exist, and an
// attribute's key is the record's prefix with the member's name. Each row and each table is checked while
// the program compiles: the value letter must fit the member's type, a starting value its width, a member
// with padding must have a table to compare by, the rows must cover the record, and in a record with
// change bits the n-th optional field must carry bit n.
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

#include "model/records/RecordFields.h"
#include "model/records/ValueRecords.h"

namespace recordfields {

template <typename T>
inline constexpr bool isText = std::is_array_v<T> && std::rank_v<T> == 1 &&
                               std::is_same_v<std::remove_extent_t<T>, char>;

// The storage letter that fits a member type, 0 when none does.
template <typename T>
consteval char letterFor() {
    if constexpr (std::is_same_v<T, std::int16_t>) return 'd';
    else if constexpr (std::is_same_v<T, std::int32_t>) return 'l';
    else if constexpr (std::is_same_v<T, std::uint32_t>) return 'u';
    else if constexpr (std::is_same_v<T, std::uint8_t[8]>) return 'v';
    else if constexpr (isText<T>) return 's';
    else if constexpr (std::is_same_v<T, RGBColor>) return 'C';
    else if constexpr (std::is_same_v<T, BorderSpec>) return 'B';
    else if constexpr (std::is_same_v<T, ShadingSpec>) return 'S';
    else if constexpr (std::is_same_v<T, RevisionMark>) return 'V';
    else if constexpr (std::is_same_v<T, WidthSpec>) return 'W';
    else if constexpr (std::is_same_v<T, HeightSpec>) return 'H';
    else if constexpr (std::is_same_v<T, LongRect>) return 'Q';
    else if constexpr (std::is_same_v<T, ShortRect>) return 'R';
    else if constexpr (std::is_same_v<T, LongPoint>) return 'O';
    else if constexpr (std::is_same_v<T, ShortPoint>) return 'P';
    else if constexpr (std::is_same_v<T, FontFaceSpec>) return 't';
    else return 0;
}

template <typename T>
consteval FieldCompare compareFor() {
    if constexpr (std::has_unique_object_representations_v<T>) return FieldCompare::kBytes;
    else if constexpr (std::is_same_v<T, WidthSpec>) return FieldCompare::kWidth;
    else if constexpr (std::is_same_v<T, HeightSpec>) return FieldCompare::kHeight;
    else return FieldCompare::kFields;
}

consteval bool isInteger(char letter) {
    return letter == 'd' || letter == 'l' || letter == 'u';
}

// `hasSub` says whether `sub` names a table; the address of a table in another file is not a value the
// compiler may compare with null.
template <typename Member>
consteval FieldSpec row(const char* name, std::int8_t bit, FieldStorage storage, std::size_t offset,
                        const RecordTable* sub, bool hasSub) {
    FieldSpec field{};
    field.name = name;
    field.bit = bit;
    field.storage = storage;
    field.compare = compareFor<Member>();
    field.offset = static_cast<std::uint32_t>(offset);
    field.size = static_cast<std::uint32_t>(sizeof(Member));
    field.align = static_cast<std::uint16_t>(alignof(Member));
    field.itemCount = 1;
    if constexpr (std::is_array_v<Member>) {
        if (hasSub) field.itemCount = static_cast<std::uint16_t>(std::extent_v<Member>);
    }
    field.sub = sub;
    if (field.compare == FieldCompare::kFields && !hasSub) throw "a member with padding needs a table";
    return field;
}

// A starting number for an integer member, or a starting value of the member's own type.
template <typename Member>
consteval void setInitial(FieldSpec& field, int number) {
    if (number == 0) return;
    if (!isInteger(field.letter)) throw "only an integer member starts at a number";
    if (field.letter == 'd' && (number < -32768 || number > 32767)) throw "the number does not fit 16 bits";
    if (field.letter == 'u' && number < 0) throw "an unsigned member starts at a negative number";
    field.initial = number;
}
template <typename Member, typename Value>
consteval void setInitial(FieldSpec& field, const Value* value) {
    static_assert(std::is_same_v<Value, Member>, "the starting value has another type than the member");
    field.initialValue = value;
}

template <typename Member, typename Initial>
consteval FieldSpec attribute(const char* name, const char* key, char letter, int bit, std::size_t offset,
                              Initial initial) {
    if (letterFor<Member>() != letter) throw "the value letter does not fit the member's type";
    FieldSpec field =
        row<Member>(name, static_cast<std::int8_t>(bit), FieldStorage::kAttribute, offset, nullptr, false);
    field.key = key;
    field.letter = letter;
    setInitial<Member>(field, initial);
    return field;
}

template <typename Member, typename Initial>
consteval FieldSpec child(const char* name, const char* element, int bit, std::size_t offset,
                          const RecordTable* sub, Initial initial) {
    FieldSpec field = row<Member>(name, static_cast<std::int8_t>(bit), FieldStorage::kChild, offset, sub, true);
    field.element = element;
    setInitial<Member>(field, initial);
    return field;
}

// `sub` is the table of the member's items, or nullptr.
template <typename Member, typename Sub, typename Initial>
consteval FieldSpec handWritten(const char* name, int bit, const char* element, const char* key, char letter,
                                std::size_t offset, Sub sub, Initial initial) {
    using Item = std::remove_extent_t<Member>;
    constexpr bool hasSub = !std::is_same_v<Sub, std::nullptr_t>;
    if (letter != 0 && letterFor<Item>() != letter) throw "the value letter does not fit the member's items";
    FieldSpec field =
        row<Member>(name, static_cast<std::int8_t>(bit), FieldStorage::kHandWritten, offset, sub, hasSub);
    field.element = element;
    field.key = key;
    field.letter = letter;
    if constexpr (std::is_array_v<Member>) field.itemCount = static_cast<std::uint16_t>(std::extent_v<Member>);
    setInitial<Member>(field, initial);
    return field;
}

// Two arrays of the same type, one after the other, stored together as pairs of items.
template <typename First, typename Second>
consteval FieldSpec handWrittenPair(const char* name, int bit, const char* element, const char* key, char letter,
                                    std::size_t firstOffset, std::size_t secondOffset) {
    static_assert(std::is_same_v<First, Second> && std::is_array_v<First>);
    if (secondOffset != firstOffset + sizeof(First)) throw "the pair's arrays are not next to each other";
    FieldSpec field = handWritten<First>(name, bit, element, key, letter, firstOffset, nullptr, 0);
    field.size = static_cast<std::uint32_t>(2 * sizeof(First));
    return field;
}

template <typename Member>
consteval FieldSpec notStored(const char* name, int bit, std::size_t offset) {
    return row<Member>(name, static_cast<std::int8_t>(bit), FieldStorage::kNotStored, offset, nullptr, false);
}

constexpr std::size_t alignUp(std::size_t value, std::size_t align) {
    return (value + align - 1) / align * align;
}

// The rows, taken in the order of their offsets, lie one after the other with nothing between them but
// the padding their alignment asks for, and end where the record ends: no member is missing from the
// table and none is listed twice.
consteval bool coversRecord(std::span<const FieldSpec> fields, std::size_t recordSize, std::size_t recordAlign) {
    std::size_t end = 0;
    const FieldSpec* previous = nullptr;
    for (std::size_t step = 0; step < fields.size(); ++step) {
        const FieldSpec* next = nullptr;
        for (const FieldSpec& field : fields) {
            if (previous != nullptr && field.offset <= previous->offset) continue;
            if (next == nullptr || field.offset < next->offset) next = &field;
        }
        if (next == nullptr || next->offset != alignUp(end, next->align)) return false;
        end = next->offset + next->size;
        previous = next;
    }
    return alignUp(end, recordAlign) == recordSize;
}

// A record with change bits: the change mask is its first member and the head fields come first; the
// rows follow the record's order, and the n-th optional field carries bit n.
consteval bool bitsFollowFields(std::span<const FieldSpec> fields, int bitCount) {
    if (fields.empty() || fields[0].offset != 0 || fields[0].letter != 'v' || fields[0].bit != kAlways) return false;
    int optional = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0 && fields[i].offset <= fields[i - 1].offset) return false;
        if (fields[i].bit == kAlways) {
            if (optional > 0) return false;
            continue;
        }
        if (fields[i].bit != optional) return false;
        ++optional;
    }
    return optional == bitCount;
}

template <typename Record>
consteval RecordTable table(const char* name, std::span<const FieldSpec> fields, int bitCount = 0) {
    static_assert(std::is_trivially_copyable_v<Record> && std::is_standard_layout_v<Record>);
    if (!coversRecord(fields, sizeof(Record), alignof(Record))) throw "the rows do not cover the record";
    if (bitCount > 0 && !bitsFollowFields(fields, bitCount)) throw "a change bit is not its field's index";
    if (bitCount == 0) {
        for (const FieldSpec& field : fields)
            if (field.bit != kAlways) throw "a record without change bits stores every field";
    }
    return RecordTable{name, static_cast<std::uint32_t>(sizeof(Record)), fields};
}

}  // namespace recordfields

// One attribute: key "<Record>_<member>" with its value letter.
#define VDK_ATTRIBUTE(Record, member, letter, bit, initial)                                               \
    recordfields::attribute<decltype(Record::member)>(#member, #Record "_" #member, letter, bit,          \
                                                      offsetof(Record, member), initial)
// A child element holding the attributes of a sub-record table.
#define VDK_CHILD(Record, member, element, bit, subTable, initial)                                        \
    recordfields::child<decltype(Record::member)>(#member, element, bit, offsetof(Record, member),        \
                                                  &(subTable), initial)
// A member stored by code of its own; the row names the element and key (patterns) it uses.
#define VDK_HAND_WRITTEN(Record, member, bit, element, key, letter, subTable, initial)                     \
    recordfields::handWritten<decltype(Record::member)>(#member, bit, element, key, letter,               \
                                                        offsetof(Record, member), subTable, initial)
// Two arrays stored together as pairs of items by code of their own; one row, one change bit.
#define VDK_HAND_WRITTEN_PAIR(Record, first, second, bit, element, key, letter)                             \
    recordfields::handWrittenPair<decltype(Record::first), decltype(Record::second)>(                      \
        #first, bit, element, key, letter, offsetof(Record, first), offsetof(Record, second))
// A member that lives in memory only.
#define VDK_NOT_STORED(Record, member, bit)                                                                \
    recordfields::notStored<decltype(Record::member)>(#member, bit, offsetof(Record, member))
// The table of a record, named after it, from its rows k<Record>Fields; with change bits, their count.
#define VDK_RECORD_TABLE(Record, ...)                                                                      \
    constexpr RecordTable k##Record##Table =                                                               \
        recordfields::table<Record>(#Record, k##Record##Fields __VA_OPT__(, ) __VA_ARGS__)
