#include "package/xml/XmlNodeHelpers.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "foundation/CRandom.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/NameCompare.h"
#include "package/xml/XmlNamespaces.h"

namespace {

constexpr std::size_t kSharedTextCapacity = 2048;

const char* text(const xmlChar* value) {
    return reinterpret_cast<const char*>(value);
}

// Frees the library text on every path out.
class LibraryText {
public:
    explicit LibraryText(xmlChar* owned) : value(owned) {}
    ~LibraryText() { xmlFree(value); }
    LibraryText(const LibraryText&) = delete;
    LibraryText& operator=(const LibraryText&) = delete;
    const char* get() const { return text(value); }

private:
    xmlChar* value;
};

xmlChar* lookUp(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present) {
    xmlChar* value = xmlGetAttrNs(element, prefix, name);
    if (present) *present = value ? 1 : 0;
    return value;
}

bool readDigits(const char*& p, int count, int& value) {
    value = 0;
    for (int i = 0; i < count; ++i, ++p) {
        if (*p < '0' || *p > '9') return false;
        value = value * 10 + (*p - '0');
    }
    return true;
}

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

bool parseDate(const char* p, std::int64_t& seconds) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!readDigits(p, 4, year) || *p++ != '-' || !readDigits(p, 2, month) || *p++ != '-' || !readDigits(p, 2, day)) return false;
    if (month < 1 || month > 12 || day < 1 || day > 31) return false;
    std::int64_t offset = 0;
    if (*p == 'T') {
        ++p;
        if (!readDigits(p, 2, hour) || *p++ != ':' || !readDigits(p, 2, minute)) return false;
        if (*p == ':') {
            ++p;
            if (!readDigits(p, 2, second)) return false;
            if (*p == '.') {
                ++p;
                while (*p >= '0' && *p <= '9') ++p;
            }
        }
        if (hour > 23 || minute > 59 || second > 60) return false;
        if (*p == 'Z') {
            ++p;
        } else if (*p == '+' || *p == '-') {
            const int sign = *p++ == '-' ? -1 : 1;
            int zoneHours = 0, zoneMinutes = 0;
            if (!readDigits(p, 2, zoneHours) || *p++ != ':' || !readDigits(p, 2, zoneMinutes)) return false;
            offset = sign * (zoneHours * 3600 + zoneMinutes * 60);
        }
    }
    if (*p != '\0') return false;
    seconds = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 + hour * 3600 +
              minute * 60 + second - offset;
    return true;
}

}  // namespace

xmlChar* xmlGetAttr(const xmlNode* element, const char* name) {
    return xmlGetAttrNs(element, nullptr, name);
}

xmlChar* xmlGetAttrNs(const xmlNode* element, const char* prefix, const char* name) {
    if (!element || element->type != XML_ELEMENT_NODE || !name) return nullptr;
    for (const xmlAttr* attribute = element->properties; attribute; attribute = attribute->next) {
        if (!attribute->name || std::strcmp(text(attribute->name), name) != 0) continue;
        if (prefix && !namespaceMatchesPrefix(attribute->ns, prefix)) continue;
        return xmlNodeListGetString(element->doc, attribute->children, 1);
    }
    return nullptr;
}

std::int16_t xmlGetAttrBool(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present) {
    LibraryText value(lookUp(element, prefix, name, present));
    if (!value.get()) return 0;
    for (const char* yes : {"true", "t", "on", "1", "yes"}) {
        if (compareNames(value.get(), yes) == 0) return 1;
    }
    return 0;
}

const char* xmlGetAttrString(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present) {
    static char shared[kSharedTextCapacity + 1];
    LibraryText value(lookUp(element, prefix, name, present));
    if (!value.get()) return nullptr;
    const std::size_t length = std::strlen(value.get());
    if (length > kSharedTextCapacity) {
        if (present) *present = 0;
        return nullptr;
    }
    std::memcpy(shared, value.get(), length + 1);
    return shared;
}

std::int32_t xmlGetAttrInt(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present) {
    LibraryText value(lookUp(element, prefix, name, present));
    if (!value.get()) return 0;
    const std::size_t length = std::strlen(value.get());
    const std::optional<std::int32_t> number =
        parseCheckedInteger(value.get(), length > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(length), 0);
    if (!number) {
        if (present) *present = 0;
        return 0;
    }
    return *number;
}

double xmlGetAttrDouble(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present) {
    LibraryText value(lookUp(element, prefix, name, present));
    return value.get() ? parseDouble(value.get()) : 0.0;
}

std::int32_t xmlGetAttrDate(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present) {
    LibraryText value(lookUp(element, prefix, name, present));
    std::int64_t seconds = 0;
    if (!value.get() || !parseDate(value.get(), seconds)) return 0;
    if (seconds > INT32_MAX) return INT32_MAX;
    if (seconds < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(seconds);
}

namespace {

// Runs one getter over the names in order until one finds its attribute.
template <typename Answer, typename Getter>
Answer firstPresent(std::int16_t* present, std::initializer_list<const char*> names, Answer none, Getter getter) {
    Answer answer = none;
    for (const char* name : names) {
        std::int16_t found = 0;
        answer = getter(name, &found);
        if (present) *present = found;
        if (found) return answer;
    }
    return answer;
}

constexpr const char* kUniqueTagName = "AutoUniqueTag";

}  // namespace

std::int16_t xmlGetFirstAttrBool(const xmlNode* element, std::int16_t* present, std::initializer_list<const char*> names) {
    return firstPresent<std::int16_t>(present, names, 0, [element](const char* name, std::int16_t* found) {
        return xmlGetAttrBool(element, nullptr, name, found);
    });
}

const char* xmlGetFirstAttrString(const xmlNode* element, std::int16_t* present, std::initializer_list<const char*> names) {
    return firstPresent<const char*>(present, names, nullptr, [element](const char* name, std::int16_t* found) {
        return xmlGetAttrString(element, nullptr, name, found);
    });
}

std::int32_t xmlGetFirstAttrInt(const xmlNode* element, std::int16_t* present, std::initializer_list<const char*> names) {
    return firstPresent<std::int32_t>(present, names, 0, [element](const char* name, std::int16_t* found) {
        return xmlGetAttrInt(element, nullptr, name, found);
    });
}

char* xmlGetText(const xmlNode* node) {
    if (!node) return nullptr;
    LibraryText content(xmlNodeGetContent(node));
    if (!content.get()) return nullptr;
    const std::size_t length = std::strlen(content.get());
    if (length == 0 || length > INT32_MAX - 2) return nullptr;
    auto* block = static_cast<char*>(allocMemory(static_cast<std::int32_t>(length) + 2));
    if (!block) return nullptr;
    std::int32_t outputSize = static_cast<std::int32_t>(length) + 1;
    std::int32_t inputSize = static_cast<std::int32_t>(length);
    utf8ToLatin1(reinterpret_cast<std::uint8_t*>(block), &outputSize,
                 reinterpret_cast<const std::uint8_t*>(content.get()), &inputSize);
    if (outputSize <= 0) {
        freeMemory(block);
        return nullptr;
    }
    block[outputSize] = '\0';
    return block;
}

std::int32_t xmlGetTextInt(const xmlNode* node) {
    if (!node) return 0;
    LibraryText content(xmlNodeGetContent(node));
    if (!content.get()) return 0;
    const std::size_t length = std::strlen(content.get());
    return parseInteger(content.get(), length > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(length), 0);
}

std::int32_t xmlGetUniqueTag(xmlNode* element) {
    std::int16_t present = 0;
    const std::int32_t tag = xmlGetAttrInt(element, nullptr, kUniqueTagName, &present);
    if (present || !element || element->type != XML_ELEMENT_NODE) return tag;
    const std::int32_t drawn = randomInRange(32767, INT32_MAX);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", static_cast<int>(drawn));
    xmlSetProp(element, reinterpret_cast<const xmlChar*>(kUniqueTagName), reinterpret_cast<const xmlChar*>(digits));
    return drawn;
}

std::int16_t xmlGetToggle(const xmlNode* element) {
    std::int16_t present = 0;
    const std::int16_t value = xmlGetAttrBool(element, nullptr, "val", &present);
    return present ? value : 1;
}

void xmlSetFlagFromVal(const xmlNode* element, std::uint32_t* flags, std::uint32_t mask) {
    if (!flags) return;
    if (xmlGetToggle(element) == 1) *flags |= mask;
    else *flags &= ~mask;
}

std::optional<std::int32_t> parseCheckedInteger(const char* digits, std::int32_t length, std::int16_t hexadecimal) {
    if (!digits || length <= 0) return 0;
    const std::int64_t radix = hexadecimal == 1 ? 16 : 10;
    std::int32_t i = 0;
    const bool negative = digits[0] == '-';
    if (negative) ++i;
    // 64 bits hold every 32-bit value and one more digit, so the range check comes before any overflow.
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT32_MIN) : INT32_MAX;
    std::int64_t value = 0;
    for (; i < length; ++i) {
        const char c = digits[i];
        std::int64_t digit = 0;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (radix == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else break;
        value = value * radix + digit;
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::int32_t parseInteger(const char* digits, std::int32_t length, std::int16_t hexadecimal) {
    return parseCheckedInteger(digits, length, hexadecimal).value_or(0);
}

double parseDouble(const char* text) {
    if (!text) return 0.0;
    // Leading white space and a plus sign are allowed, as the C library's reading allows them; the
    // number itself is read without the process's locale, which a window toolkit may have changed.
    const char* start = text;
    while (*start == ' ' || *start == '\t' || *start == '\n' || *start == '\r') ++start;
    if (*start == '+' && start[1] != '-') ++start;
    double value = 0.0;
    const char* end = start + std::strlen(start);
    const std::from_chars_result read = std::from_chars(start, end, value);
    return read.ec == std::errc() ? value : 0.0;
}
