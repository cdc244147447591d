#pragma once
// Fills records through their field tables for the writer tests: every stored member gets a value of the
// chosen kind, so a round trip through the storage shows each key landing in its own member. Change
// masks, the level text and its length (pointers and lengths the tests set themselves) are left alone.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "model/records/RecordFields.h"
#include "model/records/ValueRecords.h"

namespace recordfill {

enum class Kind {
    kDistinct,  // counting up from 1 (or from the first step): each member its own value
    kNegative,  // the same numbers negated wherever the member is signed
    kExtremes,  // -32768, 32767 and -1 in turn (INT32_MIN, INT32_MAX, -1 for 32-bit members), channels
                // 65535 and 0, texts of characters that need escaping up to the field's capacity
};

class Filler {
public:
    // Values are counted from `firstStep` on: two fillings of one kind from far apart steps share no number.
    explicit Filler(Kind kind, std::int32_t firstStep = 0) : kind(kind), counter(firstStep) {}

    void fill(const RecordTable& table, void* record) {
        for (const FieldSpec& field : table.fields) fillField(field, record);
    }

private:
    std::int32_t step() { return ++counter; }

    std::int16_t int16() {
        const std::int32_t n = step();
        switch (kind) {
        case Kind::kDistinct: return static_cast<std::int16_t>(n);
        case Kind::kNegative: return static_cast<std::int16_t>(-n);
        case Kind::kExtremes: break;
        }
        constexpr std::int16_t cycle[] = {-32768, 32767, -1};
        return cycle[n % 3];
    }
    std::int32_t int32() {
        const std::int32_t n = step();
        switch (kind) {
        case Kind::kDistinct: return n * 1000;  // beyond 16 bits from 33 on
        case Kind::kNegative: return -n * 1000;
        case Kind::kExtremes: break;
        }
        constexpr std::int32_t cycle[] = {INT32_MIN, INT32_MAX, -1};
        return cycle[n % 3];
    }
    std::uint16_t channel() {
        const std::int32_t n = step();
        if (kind != Kind::kExtremes) return static_cast<std::uint16_t>(n);
        return n % 2 == 0 ? 65535 : 0;
    }
    RGBColor colour() { return RGBColor{channel(), channel(), channel()}; }

    // One text of `capacity` bytes (an item of an array of texts has its own value).
    void text(const FieldSpec& field, char* at, std::uint32_t capacity) {
        const std::int32_t n = step();
        if (kind != Kind::kExtremes) {
            std::snprintf(at, capacity, "%s%s%d", kind == Kind::kNegative ? "-" : "", field.name, n);
            return;
        }
        static const char escaped[] = "%&<>\"' +=;#";
        for (std::uint32_t i = 0; i + 1 < capacity; ++i) at[i] = escaped[i % (sizeof escaped - 1)];
        at[capacity - 1] = '\0';
    }

    template <typename T>
    static void put(unsigned char* at, const T& value) {
        std::memcpy(at, &value, sizeof value);
    }

    void fillField(const FieldSpec& field, void* record) {
        auto* at = static_cast<unsigned char*>(fieldAddress(field, record));
        if (field.sub != nullptr) {
            const std::uint32_t itemSize = field.size / field.itemCount;
            for (std::uint16_t i = 0; i < field.itemCount; ++i) fill(*field.sub, at + i * itemSize);
            return;
        }
        switch (field.letter) {
        case 'd':  // a number, or an array of them (the grid's column edges)
            for (std::uint32_t i = 0; i < field.size / 2; ++i) put(at + 2 * i, int16());
            break;
        case 'l':
        case 'u':  // the 32-bit pattern of the signed value: INT32_MIN is the unsigned value with its top bit
            setIntegerField(field, record, int32());
            break;
        case 's': {  // a text, or an array of them (the drop-down entries)
            const std::uint32_t itemSize = field.size / field.itemCount;
            for (std::uint16_t i = 0; i < field.itemCount; ++i) text(field, reinterpret_cast<char*>(at + i * itemSize), itemSize);
            break;
        }
        case 'C':
            put(at, colour());
            break;
        case 'B': {
            const std::int16_t size = int16();
            const std::int16_t type = int16();
            const RGBColor tint = colour();
            put(at, BorderSpec{size, type, tint, int16()});
            break;
        }
        case 'S': {
            const std::int16_t type = int16();
            const RGBColor tint = colour();
            put(at, ShadingSpec{type, tint, colour()});
            break;
        }
        case 'W': {
            const std::int16_t type = int16();
            put(at, WidthSpec{type, int32()});
            break;
        }
        case 'H': {
            const std::int16_t rule = int16();
            put(at, HeightSpec{rule, int32()});
            break;
        }
        case 'V': {
            const std::int32_t id = int32();
            const std::int16_t type = int16();
            const std::int16_t author = int16();
            put(at, RevisionMark{id, type, author, int32()});
            break;
        }
        case 'Q': {
            const std::int32_t top = int32();
            const std::int32_t left = int32();
            const std::int32_t bottom = int32();
            put(at, LongRect{top, left, bottom, int32()});
            break;
        }
        case 'v':  // change masks: the tests choose the bits
        case 0:    // the level text and its length
            break;
        default:
            ADD_FAILURE() << "no filling for the letter " << field.letter << " of " << field.name;
        }
    }

    Kind kind;
    std::int32_t counter;
};

inline void fillRecord(const RecordTable& table, void* record, Kind kind, std::int32_t firstStep = 0) {
    Filler(kind, firstStep).fill(table, record);
}

}  // namespace recordfill
