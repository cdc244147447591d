#include "model/storage/StorageValues.h"

#include <array>
#include <charconv>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <tuple>
#include <type_traits>

#include "foundation/CFail.h"
#include "foundation/encoding/UrlCodec.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/NumberText.h"
#include "foundation/text/PascalText.h"
#include "model/records/ChangeMask.h"

namespace {

constexpr const char* kUnit = "BStorage";

// A letter given an argument that does not suit it.
[[noreturn]] void wrongArgument(int line) {
    throwFail(result::kNullObject, line, kUnit);
}

struct RecordForm {
    char letter;
    StorageKind kind;
    const char* keys;  // one key letter per sub-value, in the record's order
};

constexpr RecordForm kRecordForms[] = {
    {'B', StorageKind::kBorder, "strgbp"},    {'C', StorageKind::kColor, "rgb"},
    {'H', StorageKind::kHeight, "hv"},        {'O', StorageKind::kLongPoint, "vh"},
    {'P', StorageKind::kShortPoint, "vh"},    {'Q', StorageKind::kLongRect, "tlbr"},
    {'R', StorageKind::kShortRect, "tlbr"},   {'S', StorageKind::kShading, "trgbshc"},
    {'V', StorageKind::kRevision, "itad"},    {'W', StorageKind::kWidth, "tw"},
    {'t', StorageKind::kFontFace, "ar"},
};

const RecordForm* recordForm(char letter) {
    for (const RecordForm& form : kRecordForms)
        if (form.letter == letter) return &form;
    return nullptr;
}

// The sub-values of each value record in the order of their key letters (kRecordForms), one list per
// record, which the writer and the reader both walk. A colour member stands for its three channels.
template <typename Record>
struct SubValueList;

#define VDK_SUB_VALUES(Record, ...)                                                   \
    template <>                                                                       \
    struct SubValueList<Record> {                                                     \
        using R = Record;                                                             \
        static constexpr auto members() { return std::tuple{__VA_ARGS__}; }           \
    }

VDK_SUB_VALUES(BorderSpec, &R::borderSize, &R::borderType, &R::borderTint, &R::borderSpace);
VDK_SUB_VALUES(RGBColor, &R::red, &R::green, &R::blue);
VDK_SUB_VALUES(HeightSpec, &R::h, &R::v);
VDK_SUB_VALUES(LongPoint, &R::v, &R::h);
VDK_SUB_VALUES(ShortPoint, &R::v, &R::h);
VDK_SUB_VALUES(LongRect, &R::top, &R::left, &R::bottom, &R::right);
VDK_SUB_VALUES(ShortRect, &R::top, &R::left, &R::bottom, &R::right);
VDK_SUB_VALUES(ShadingSpec, &R::patternType, &R::patternTint, &R::patternFill);
VDK_SUB_VALUES(RevisionMark, &R::id, &R::type, &R::author, &R::date);
VDK_SUB_VALUES(WidthSpec, &R::type, &R::w);
VDK_SUB_VALUES(FontFaceSpec, &R::a, &R::r);

#undef VDK_SUB_VALUES

// Calls visit with each integer member of the record (const or not, as the record is), in key order.
template <typename Record, typename Visit>
void forEachSubValue(Record& record, Visit&& visit) {
    std::apply(
        [&](auto... members) {
            const auto one = [&](auto& member) {
                if constexpr (std::is_integral_v<std::remove_cvref_t<decltype(member)>>) visit(member);
                else forEachSubValue(member, visit);
            };
            (one(record.*members), ...);
        },
        SubValueList<std::remove_const_t<Record>>::members());
}

using ValueRecordTypes = std::tuple<BorderSpec, RGBColor, HeightSpec, LongPoint, ShortPoint, LongRect, ShortRect,
                                    ShadingSpec, RevisionMark, WidthSpec, FontFaceSpec>;

// Calls visit with a null pointer of the value record type of the kind; CFail 22 for a kind that is no
// record.
template <typename Visit>
void visitRecordType(StorageKind kind, Visit&& visit) {
    bool found = false;
    [&]<typename... Record>(std::tuple<Record...>*) {
        const auto tryOne = [&]<typename One>(One*) {
            if (found || storagevalues::recordKind<One>() != kind) return;
            found = true;
            visit(static_cast<One*>(nullptr));
        };
        (tryOne(static_cast<Record*>(nullptr)), ...);
    }(static_cast<ValueRecordTypes*>(nullptr));
    if (!found) wrongArgument(__LINE__);
}

bool isScalarLetter(char letter) {
    return letter == 'b' || letter == 'd' || letter == 'h' || letter == 'l' || letter == 'u' || letter == 'v';
}

std::int16_t radixOf(char letter) {
    switch (letter) {
    case 'b':
        return 2;
    case 'h':
        return 16;
    default:
        return 10;
    }
}

std::string numberText(std::int64_t value, std::int16_t radix, bool asUnsigned) {
    char buffer[kNumberTextSize];
    // Nearly every stored number is decimal: the standard conversion writes the same digits (and sign)
    // at a fraction of the general one's cost.
    if (radix == 10) {
        char* const end = buffer + sizeof buffer;
        const std::to_chars_result written = asUnsigned ? std::to_chars(buffer, end, static_cast<std::uint64_t>(value))
                                                        : std::to_chars(buffer, end, value);
        return std::string(buffer, written.ptr);
    }
    return numberToTextRadix(buffer, value, radix, '0', asUnsigned ? 1 : 0);
}

// ---- writing ----

bool isInteger(const StorageSource& source) {
    return source.kind == StorageKind::kInt64 || source.kind == StorageKind::kUInt64;
}

// The integer of a source, checked against the range that a letter takes.
std::int64_t integerInRange(const StorageSource& source, std::int64_t lowest, std::int64_t highest) {
    if (!isInteger(source)) wrongArgument(__LINE__);
    const bool beyondSigned = source.kind == StorageKind::kUInt64 && source.number < 0;
    if (beyondSigned || source.number < lowest || source.number > highest) wrongArgument(__LINE__);
    return source.number;
}

std::string encodeScalar(char letter, const StorageSource& source) {
    switch (letter) {
    case 'd':
        return numberText(integerInRange(source, INT16_MIN, INT16_MAX), 10, false);
    case 'l':
        return numberText(integerInRange(source, INT32_MIN, INT32_MAX), 10, false);
    case 'v': {
        if (source.kind == StorageKind::kChangeMask) {
            const auto* mask = static_cast<const std::uint8_t(*)[8]>(source.at);
            return numberText(static_cast<std::int64_t>(changeMaskNumber(*mask)), 10, true);
        }
        if (!isInteger(source)) wrongArgument(__LINE__);
        return numberText(source.number, 10, true);
    }
    default: {
        // b, h, u: the 32-bit pattern widened with its sign, written as an unsigned 64-bit number.
        const std::int64_t value = integerInRange(source, INT32_MIN, UINT32_MAX);
        const auto pattern = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        return numberText(pattern, radixOf(letter), true);
    }
    }
}

std::string encodeText(char letter, const StorageSource& source) {
    if (letter == 'p') {
        if (source.kind != StorageKind::kPascal || source.at == nullptr) wrongArgument(__LINE__);
        char text[kPascalTextSize];
        return encodeStoredText(pascalToText(text, static_cast<const std::uint8_t*>(source.at)));
    }
    if (source.kind != StorageKind::kText) wrongArgument(__LINE__);
    const auto* text = static_cast<const char*>(source.at);
    if (text == nullptr) {
        if (letter != 'r') wrongArgument(__LINE__);
        return encodeStoredText(std::string_view(kStorageNullMarker, 3));
    }
    const std::size_t length =
        source.capacity < 0 ? std::strlen(text) : strnlen(text, static_cast<std::size_t>(source.capacity));
    return encodeStoredText(std::string_view(text, length));
}

std::string encodeRecord(const RecordForm& form, const StorageSource& source) {
    if (source.kind != form.kind || source.at == nullptr) wrongArgument(__LINE__);
    std::string out;
    const char* keys = form.keys;
    visitRecordType(form.kind, [&]<typename Record>(Record*) {
        forEachSubValue(*static_cast<const Record*>(source.at), [&](auto value) {
            out += *keys++;
            out += numberText(value, 10, false);
        });
    });
    return out;
}

// ---- reading ----

template <typename T>
void store(void* target, T value) {
    std::memcpy(target, &value, sizeof value);
}

// b, h and u hold a 32-bit pattern that the writer widened with its sign: a number up to 2^32 - 1 is
// the pattern itself, a widened negative pattern gives its low 32 bits, anything between is clamped.
std::uint32_t patternOf(std::uint64_t magnitude) {
    if (magnitude <= UINT32_MAX || magnitude >= 0xFFFFFFFF80000000u) return static_cast<std::uint32_t>(magnitude);
    return UINT32_MAX;
}

// The number is read up to the first character that is no digit, the text's end at the latest.
void decodeScalarText(char letter, const char* text, const StorageTarget& target) {
    std::int16_t sign = 1;
    const std::uint64_t magnitude = textToNumber(text, radixOf(letter), '0', &sign);
    switch (letter) {
    case 'd':
        if (target.kind != StorageKind::kInt16) wrongArgument(__LINE__);
        store(target.at, clampNumber<std::int16_t>(applyNumberSign(magnitude, sign)));
        return;
    case 'l':
        if (target.kind != StorageKind::kInt32) wrongArgument(__LINE__);
        store(target.at, clampNumber<std::int32_t>(applyNumberSign(magnitude, sign)));
        return;
    case 'v':
        if (target.kind == StorageKind::kChangeMask) {
            setChangeMaskNumber(*static_cast<std::uint8_t(*)[8]>(target.at), magnitude);
        } else if (target.kind == StorageKind::kInt64 || target.kind == StorageKind::kUInt64) {
            store(target.at, magnitude);
        } else {
            wrongArgument(__LINE__);
        }
        return;
    default:
        if (target.kind != StorageKind::kInt32 && target.kind != StorageKind::kUInt32) wrongArgument(__LINE__);
        store(target.at, patternOf(magnitude));
        return;
    }
}

void decodeScalar(char letter, std::string_view stored, const StorageTarget& target) {
    const std::string text(stored);
    decodeScalarText(letter, text.c_str(), target);
}

void decodeHeapText(const std::string& text, char** variable) {
    if (text == std::string_view(kStorageNullMarker, 3)) {
        freeMemory(*variable);
        return;
    }
    if (text.size() >= static_cast<std::size_t>(INT32_MAX)) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    const auto needed = static_cast<std::int32_t>(text.size() + 1);
    if (*variable == nullptr) {
        *variable = static_cast<char*>(allocMemory(needed));
        throwIfNull(*variable, __LINE__, kUnit);
    } else if (memorySize(*variable) < needed) {
        // The variable's buffer is too small for the text: grow it rather than write past it.
        char* grown = static_cast<char*>(resizeMemory(*variable, needed));
        throwIfNull(grown, __LINE__, kUnit);
        *variable = grown;
    }
    std::memcpy(*variable, text.data(), text.size());
    (*variable)[text.size()] = '\0';
}

void decodeText(char letter, std::string_view stored, const StorageTarget& target) {
    const std::string text = decodeStoredText(stored);
    switch (letter) {
    case 's': {
        if (target.kind != StorageKind::kText || target.at == nullptr || target.capacity < 1) wrongArgument(__LINE__);
        auto* buffer = static_cast<char*>(target.at);
        const std::size_t length = boundedTextLength(text, static_cast<std::size_t>(target.capacity));
        std::memcpy(buffer, text.data(), length);
        buffer[length] = '\0';
        return;
    }
    case 'p':
        if (target.kind != StorageKind::kPascal || target.at == nullptr || target.capacity < kPascalTextSize)
            wrongArgument(__LINE__);
        textToPascal(static_cast<std::uint8_t*>(target.at), text.c_str());
        return;
    default:
        if (target.kind != StorageKind::kHeapText || target.at == nullptr) wrongArgument(__LINE__);
        decodeHeapText(text, static_cast<char**>(target.at));
        return;
    }
}

// The sub-values of a record value, taken by position between its key letters.
class SubValues {
public:
    SubValues(std::string_view stored, const char* keys) : SubValues(std::string(stored).c_str(), keys) {}

    // The tokens are those splitToken cuts at the key letters, read where they lie: the key letters are
    // no digits, so a number read from a token's start ends within the token.
    SubValues(const char* text, const char* keys) {
        const char* at = text;
        for (std::size_t i = 0; i < magnitude.size(); ++i) {
            at += std::strspn(at, keys);
            if (*at == '\0') break;
            magnitude[i] = textToNumber(at, 10, '0', &sign[i]);
            at += std::strcspn(at, keys);
        }
    }

    // A signed member keeps its sign; an unsigned one (a colour channel) takes the digits alone.
    template <typename T>
    T get(std::size_t i) const {
        if constexpr (std::is_signed_v<T>) {
            return clampNumber<T>(applyNumberSign(magnitude[i], sign[i]));
        } else {
            constexpr auto highest = static_cast<std::uint64_t>(std::numeric_limits<T>::max());
            return static_cast<T>(magnitude[i] > highest ? highest : magnitude[i]);
        }
    }

private:
    std::array<std::uint64_t, 8> magnitude{};
    std::array<std::int16_t, 8> sign{1, 1, 1, 1, 1, 1, 1, 1};
};

// Each member of the record takes the sub-value at its place.
template <typename Stored>
void decodeRecord(const RecordForm& form, Stored stored, const StorageTarget& target) {
    if (target.kind != form.kind || target.at == nullptr) wrongArgument(__LINE__);
    const SubValues values(stored, form.keys);
    std::size_t next = 0;
    visitRecordType(form.kind, [&]<typename Record>(Record*) {
        forEachSubValue(*static_cast<Record*>(target.at),
                        [&]<typename Member>(Member& member) { member = values.get<Member>(next++); });
    });
}

// The size a scalar member of a field table must have under its letter; 0 for other letters.
std::uint32_t scalarSize(char letter) {
    switch (letter) {
    case 'd':
        return 2;
    case 'l':
    case 'u':
    case 'b':
    case 'h':
        return 4;
    case 'v':
        return 8;
    default:
        return 0;
    }
}

std::uint32_t recordSize(StorageKind kind) {
    std::uint32_t size = 0;
    visitRecordType(kind, [&]<typename Record>(Record*) { size = sizeof(Record); });
    return size;
}

}  // namespace

StorageTarget StorageTarget::textBuffer(char* buffer, std::int32_t capacity) {
    return StorageTarget(StorageKind::kText, buffer, capacity);
}

StorageTarget StorageTarget::pascalBuffer(std::uint8_t* buffer, std::int32_t capacity) {
    return StorageTarget(StorageKind::kPascal, buffer, capacity);
}

StorageTarget StorageTarget::forMember(char letter, void* member, std::uint32_t size) {
    if (member == nullptr) wrongArgument(__LINE__);
    if (letter == 's') return StorageTarget(StorageKind::kText, member, static_cast<std::int32_t>(size));
    if (const RecordForm* form = recordForm(letter)) {
        if (size != recordSize(form->kind)) wrongArgument(__LINE__);
        return StorageTarget(form->kind, member, 0);
    }
    if (!isScalarLetter(letter) || size != scalarSize(letter)) wrongArgument(__LINE__);
    switch (letter) {
    case 'd':
        return StorageTarget(StorageKind::kInt16, member, 0);
    case 'l':
        return StorageTarget(StorageKind::kInt32, member, 0);
    case 'v':
        return StorageTarget(StorageKind::kChangeMask, member, 0);
    default:
        return StorageTarget(StorageKind::kUInt32, member, 0);
    }
}

StorageSource StorageSource::text(const char* text, std::int32_t capacity) {
    StorageSource source;
    source.kind = StorageKind::kText;
    source.at = text;
    source.capacity = capacity;
    return source;
}

StorageSource StorageSource::forMember(char letter, const void* member, std::uint32_t size) {
    if (member == nullptr) wrongArgument(__LINE__);
    StorageSource source;
    source.at = member;
    if (letter == 's') {
        source.kind = StorageKind::kText;
        source.capacity = static_cast<std::int32_t>(size);
        return source;
    }
    if (const RecordForm* form = recordForm(letter)) {
        if (size != recordSize(form->kind)) wrongArgument(__LINE__);
        source.kind = form->kind;
        return source;
    }
    if (!isScalarLetter(letter) || size != scalarSize(letter)) wrongArgument(__LINE__);
    source.kind = StorageKind::kInt64;
    if (letter == 'd') {
        std::int16_t value;
        std::memcpy(&value, member, sizeof value);
        source.number = value;
    } else if (letter == 'l') {
        std::int32_t value;
        std::memcpy(&value, member, sizeof value);
        source.number = value;
    } else if (letter == 'v') {
        source.kind = StorageKind::kChangeMask;
    } else {
        std::uint32_t value;
        std::memcpy(&value, member, sizeof value);
        source.number = value;
    }
    return source;
}

bool isValueLetter(char letter) {
    return isScalarLetter(letter) || letter == 's' || letter == 'r' || letter == 'p' || recordForm(letter) != nullptr;
}

std::string encodeValue(char letter, const StorageSource& source) {
    if (isScalarLetter(letter)) return encodeScalar(letter, source);
    if (letter == 's' || letter == 'r' || letter == 'p') return encodeText(letter, source);
    if (const RecordForm* form = recordForm(letter)) return encodeRecord(*form, source);
    wrongArgument(__LINE__);
}

void decodeValue(char letter, std::string_view stored, const StorageTarget& target) {
    if (target.at == nullptr) wrongArgument(__LINE__);
    if (isScalarLetter(letter)) return decodeScalar(letter, stored, target);
    if (letter == 's' || letter == 'r' || letter == 'p') return decodeText(letter, stored, target);
    if (const RecordForm* form = recordForm(letter)) return decodeRecord(*form, stored, target);
    wrongArgument(__LINE__);
}

void decodeValueText(char letter, const char* stored, const StorageTarget& target) {
    if (stored == nullptr) wrongArgument(__LINE__);
    if (target.at == nullptr) wrongArgument(__LINE__);
    if (isScalarLetter(letter)) return decodeScalarText(letter, stored, target);
    if (const RecordForm* form = recordForm(letter)) return decodeRecord(*form, stored, target);
    decodeValue(letter, std::string_view(stored), target);
}

std::string encodeStoredText(std::string_view bytes) {
    if (bytes.size() > static_cast<std::size_t>(INT32_MAX)) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    auto length = static_cast<std::int32_t>(bytes.size());
    const char* encoded = urlEncode(bytes.empty() ? "" : bytes.data(), &length, kStorageUrlMask);
    throwIfNull(encoded, __LINE__, kUnit);
    return std::string(encoded, static_cast<std::size_t>(length));
}

namespace {

// The %-form of one byte that the storage does not take as it is: '+' for the blank, else %XX.
void appendEscaped(std::string& out, std::uint8_t byte) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    if (byte == ' ') {
        out.push_back('+');
        return;
    }
    const char escaped[3] = {'%', kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]};
    out.append(escaped, sizeof escaped);
}

}  // namespace

std::string encodeStoredUnits(std::u16string_view units) {
    // Which ASCII bytes the storage takes as they are; every byte of a longer UTF-8 form is escaped.
    static const std::array<bool, 128> accepted = [] {
        std::array<bool, 128> table{};
        for (std::size_t byte = 0; byte < table.size(); ++byte)
            table[byte] = urlAccepts(static_cast<std::uint8_t>(byte), kStorageUrlMask);
        return table;
    }();
    std::string out;
    std::string multibyte;
    out.reserve(units.size() + units.size() / 4);
    std::size_t at = 0;
    while (at < units.size()) {
        const char16_t unit = units[at];
        if (unit < 0x80) {
            if (accepted[unit]) out.push_back(static_cast<char>(unit));
            else appendEscaped(out, static_cast<std::uint8_t>(unit));
            ++at;
            continue;
        }
        // A stretch of units beyond ASCII is converted whole, so a surrogate pair stays one character.
        std::size_t end = at;
        while (end < units.size() && units[end] >= 0x80) ++end;
        multibyte.clear();
        appendUtf16AsUtf8(multibyte, units.substr(at, end - at));
        for (const char byte : multibyte) appendEscaped(out, static_cast<std::uint8_t>(byte));
        at = end;
    }
    if (out.size() > static_cast<std::size_t>(INT32_MAX)) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    return out;
}

std::string decodeStoredText(std::string_view stored) {
    std::string text(stored);
    const std::int32_t length = urlDecode(text.data());
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::size_t boundedTextLength(std::string_view text, std::size_t capacity) {
    if (capacity == 0) return 0;
    const std::size_t end = text.find('\0');
    if (end != std::string_view::npos) text = text.substr(0, end);
    if (text.size() < capacity) return text.size();
    std::size_t length = capacity - 1;
    // Step back over continuation bytes: the character that does not fit is dropped whole.
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
    return length;
}

FontFaceSpec* copyFontFaceSpec(FontFaceSpec* dst, const FontFaceSpec* src) {
    dst->a = src->a;
    dst->r = src->r;
    return dst;
}

LongPoint* copyLongPoint(LongPoint* dst, const LongPoint* src) {
    dst->v = src->v;
    dst->h = src->h;
    return dst;
}
