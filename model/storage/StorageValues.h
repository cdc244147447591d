#pragma once
// The storage's value letters: how one value is written as the text of an attribute and read back.
//
// Twenty letters, each with its own text form:
//   scalars  d (16-bit signed), l (32-bit signed)       signed decimal
//            u (32-bit unsigned), h, b                 the 32-bit value widened with its sign to 64 bits,
//                                                      as an unsigned number in radix 10, 16 (upper-case
//                                                      digits) and 2: 3000000000 is "18446744072414584320"
//            v (64 bits)                               unsigned decimal
//   texts    s (a buffer), r (a heap text or null), p (a length-prefixed string): the stored text form
//            (UTF-8, %-encoded under kStorageUrlMask); a null r text is stored as the null marker.
//   records  key letters each followed by a decimal number, in the record's order:
//            B BorderSpec "s%dt%dr%dg%db%dp%d", C RGBColor "r%dg%db%d", H HeightSpec "h%dv%d",
//            O LongPoint and P ShortPoint "v%dh%d", Q LongRect and R ShortRect "t%dl%db%dr%d",
//            S ShadingSpec "t%dr%dg%db%ds%dh%dc%d", V RevisionMark "i%dt%da%dd%d", W WidthSpec "t%dw%d",
//            t FontFaceSpec "a%dr%d".
//
// Reading never writes past its target and never loses a sign:
//   - a number accumulates in 64 bits and is clamped to its target's range (d and l keep their sign;
//     b, h and u take the 32-bit pattern that the writer widened; v takes all 64 bits);
//   - a record is split at its key letters and its sub-values taken by position; every signed member
//     keeps its sign, a missing sub-value gives 0;
//   - a text is cut to its target's capacity on a character boundary.
//
// Arguments are tagged: StorageTarget (reading) and StorageSource (writing) are made from the C++
// object itself, and a letter given an object that does not suit it is a programming error that raises
// CFail 22 in unit "BStorage" instead of reading or writing the wrong bytes.
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "foundation/ShortPoint.h"
#include "model/records/ValueRecords.h"

// The three bytes that stand for a null text of the letter r ("%01%02%03" once encoded).
inline constexpr char kStorageNullMarker[] = "\x01\x02\x03";

// What a value is read into or written from.
enum class StorageKind : std::uint8_t {
    kInt16,
    kInt32,
    kUInt32,
    kInt64,
    kUInt64,
    kChangeMask,  // the eight bytes of a record's change mask, as their little-endian 64-bit number
    kText,        // 8-bit text: a buffer and its capacity
    kHeapText,    // a variable holding a heap text (allocMemory) or null
    kPascal,      // a length-prefixed 8-bit string
    kBorder,
    kColor,
    kHeight,
    kLongPoint,
    kShortPoint,
    kLongRect,
    kShortRect,
    kShading,
    kRevision,
    kWidth,
    kFontFace,
};

namespace storagevalues {

template <typename T>
inline constexpr bool kUnsupported = false;

// The kind of a value record type; kInt16 (never a record) when T is none.
template <typename T>
constexpr StorageKind recordKind() {
    if constexpr (std::is_same_v<T, BorderSpec>) return StorageKind::kBorder;
    else if constexpr (std::is_same_v<T, RGBColor>) return StorageKind::kColor;
    else if constexpr (std::is_same_v<T, HeightSpec>) return StorageKind::kHeight;
    else if constexpr (std::is_same_v<T, LongPoint>) return StorageKind::kLongPoint;
    else if constexpr (std::is_same_v<T, ShortPoint>) return StorageKind::kShortPoint;
    else if constexpr (std::is_same_v<T, LongRect>) return StorageKind::kLongRect;
    else if constexpr (std::is_same_v<T, ShortRect>) return StorageKind::kShortRect;
    else if constexpr (std::is_same_v<T, ShadingSpec>) return StorageKind::kShading;
    else if constexpr (std::is_same_v<T, RevisionMark>) return StorageKind::kRevision;
    else if constexpr (std::is_same_v<T, WidthSpec>) return StorageKind::kWidth;
    else if constexpr (std::is_same_v<T, FontFaceSpec>) return StorageKind::kFontFace;
    else return StorageKind::kInt16;
}

template <typename T>
inline constexpr bool isValueRecord = recordKind<T>() != StorageKind::kInt16;

}  // namespace storagevalues

// Where a read value goes. Made from a pointer to an integer or a value record, a char array (a text of
// that capacity), a pointer to a char* variable (a heap text), a record's change mask, or a uint8_t
// array of at least 256 bytes (a length-prefixed string).
class StorageTarget {
public:
    template <typename T>
        requires(!std::is_same_v<std::remove_cvref_t<T>, StorageTarget>)
    StorageTarget(T&& target) {  // NOLINT: implicit on purpose, so that readValues takes plain arguments
        using U = std::remove_reference_t<T>;
        if constexpr (std::is_pointer_v<U>) {
            using P = std::remove_pointer_t<U>;
            at = const_cast<void*>(static_cast<const void*>(target));
            if constexpr (std::is_const_v<P>) static_assert(storagevalues::kUnsupported<T>, "a target must be writable");
            else if constexpr (std::is_same_v<P, std::int16_t>) kind = StorageKind::kInt16;
            else if constexpr (std::is_same_v<P, std::int32_t>) kind = StorageKind::kInt32;
            else if constexpr (std::is_same_v<P, std::uint32_t>) kind = StorageKind::kUInt32;
            else if constexpr (std::is_same_v<P, std::int64_t>) kind = StorageKind::kInt64;
            else if constexpr (std::is_same_v<P, std::uint64_t>) kind = StorageKind::kUInt64;
            else if constexpr (std::is_same_v<P, char*>) kind = StorageKind::kHeapText;
            else if constexpr (std::is_same_v<P, std::uint8_t[8]>) kind = StorageKind::kChangeMask;
            else if constexpr (storagevalues::isValueRecord<P>) kind = storagevalues::recordKind<P>();
            else static_assert(storagevalues::kUnsupported<T>, "no value letter reads into this type");
        } else if constexpr (std::is_array_v<U> && std::rank_v<U> == 1) {
            using Item = std::remove_extent_t<U>;
            at = target;
            if constexpr (std::is_same_v<Item, char>) {
                kind = StorageKind::kText;
                capacity = static_cast<std::int32_t>(std::extent_v<U>);
            } else if constexpr (std::is_same_v<U, std::uint8_t[8]>) {
                kind = StorageKind::kChangeMask;
            } else if constexpr (std::is_same_v<Item, std::uint8_t>) {
                static_assert(std::extent_v<U> >= 256, "a length-prefixed string needs 256 bytes");
                kind = StorageKind::kPascal;
                capacity = static_cast<std::int32_t>(std::extent_v<U>);
            } else {
                static_assert(storagevalues::kUnsupported<T>, "no value letter reads into this array");
            }
        } else {
            static_assert(storagevalues::kUnsupported<T>, "pass a pointer to the target, or a char array");
        }
    }

    // A text buffer of `capacity` bytes (the terminator included).
    static StorageTarget textBuffer(char* buffer, std::int32_t capacity);
    // A length-prefixed string buffer of `capacity` bytes (at least 256).
    static StorageTarget pascalBuffer(std::uint8_t* buffer, std::int32_t capacity);
    // The member of a field-table row: its value letter, address and size decide the kind.
    static StorageTarget forMember(char letter, void* member, std::uint32_t size);

    StorageKind kind = StorageKind::kInt16;
    void* at = nullptr;
    std::int32_t capacity = 0;

private:
    StorageTarget(StorageKind targetKind, void* target, std::int32_t targetCapacity)
        : kind(targetKind), at(target), capacity(targetCapacity) {}
};

// Where a written value comes from. Made from an integer value, a NUL-terminated text (const char*, or
// null for the letter r), a char array (a text bounded by its size), a record's change mask, a pointer
// to a length-prefixed string, or a value record (or a pointer to one).
class StorageSource {
public:
    template <typename T>
        requires(!std::is_same_v<std::remove_cvref_t<T>, StorageSource>)
    StorageSource(const T& source) {  // NOLINT: implicit on purpose, so that writeValues takes plain arguments
        if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, char>) {
            static_assert(storagevalues::kUnsupported<T>, "no value letter writes this type");
        } else if constexpr (std::is_integral_v<T>) {
            if constexpr (std::is_unsigned_v<T> && sizeof(T) == 8) {
                kind = StorageKind::kUInt64;
                number = static_cast<std::int64_t>(source);
            } else {
                kind = StorageKind::kInt64;
                number = static_cast<std::int64_t>(source);
            }
        } else if constexpr (std::is_same_v<T, std::nullptr_t>) {
            kind = StorageKind::kText;
        } else if constexpr (std::is_same_v<T, const char*> || std::is_same_v<T, char*>) {
            kind = StorageKind::kText;
            at = source;
        } else if constexpr (std::is_array_v<T> && std::is_same_v<std::remove_cv_t<std::remove_extent_t<T>>, char>) {
            kind = StorageKind::kText;
            at = source;
            capacity = static_cast<std::int32_t>(std::extent_v<T>);
        } else if constexpr (std::is_same_v<T, std::uint8_t[8]>) {
            kind = StorageKind::kChangeMask;
            at = source;
        } else if constexpr (std::is_same_v<T, const std::uint8_t*> || std::is_same_v<T, std::uint8_t*> ||
                             (std::is_array_v<T> && std::is_same_v<std::remove_cv_t<std::remove_extent_t<T>>, std::uint8_t>)) {
            kind = StorageKind::kPascal;
            at = source;
        } else if constexpr (std::is_pointer_v<T> && storagevalues::isValueRecord<std::remove_cv_t<std::remove_pointer_t<T>>>) {
            kind = storagevalues::recordKind<std::remove_cv_t<std::remove_pointer_t<T>>>();
            at = source;
        } else if constexpr (storagevalues::isValueRecord<T>) {
            kind = storagevalues::recordKind<T>();
            at = &source;
        } else {
            static_assert(storagevalues::kUnsupported<T>, "no value letter writes this type");
        }
    }

    // A text of at most `capacity` bytes (up to its first 0 byte); a capacity below 0 means unbounded.
    static StorageSource text(const char* text, std::int32_t capacity);
    // The member of a field-table row: its value letter, address and size decide the kind.
    static StorageSource forMember(char letter, const void* member, std::uint32_t size);

    StorageKind kind = StorageKind::kInt64;
    const void* at = nullptr;
    std::int32_t capacity = -1;
    std::int64_t number = 0;  // an integer's value; the bits of a 64-bit unsigned one

private:
    StorageSource() = default;
};

// One of the twenty letters.
bool isValueLetter(char letter);

// The attribute text of a value under its letter. CFail 22 when the source does not suit the letter or
// an integer lies outside the letter's range; CFail 12 when memory is lacking.
std::string encodeValue(char letter, const StorageSource& source);
// Stores the value that an attribute text gives under its letter. CFail 22 when the target does not suit
// the letter; CFail 12 when memory for a heap text is lacking.
void decodeValue(char letter, std::string_view stored, const StorageTarget& target);
// decodeValue for a value that ends with a zero, as an attribute's text lies in the document: a number
// is read where it lies, without a copy.
void decodeValueText(char letter, const char* stored, const StorageTarget& target);

// The stored text form of any bytes (NUL bytes included), and back.
std::string encodeStoredText(std::string_view bytes);
std::string decodeStoredText(std::string_view stored);
// The stored text form of UTF-16 units: the bytes of encodeStoredText(utf16ToUtf8String(units)), made in
// one pass for the long texts of stories.
std::string encodeStoredUnits(std::u16string_view units);

// The longest start of text that fits `capacity` bytes with a terminator after it: it ends at the first
// 0 byte and never cuts a UTF-8 character in two.
std::size_t boundedTextLength(std::string_view text, std::size_t capacity);

// Copies of the value records that have none elsewhere; each answers the destination.
FontFaceSpec* copyFontFaceSpec(FontFaceSpec* dst, const FontFaceSpec* src);
LongPoint* copyLongPoint(LongPoint* dst, const LongPoint* src);
