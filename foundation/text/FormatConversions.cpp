#include "foundation/text/FormatConversions.h"

#include <algorithm>
#include <utility>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isOneOf(char c, std::string_view set) {
    return set.find(c) != std::string_view::npos;
}

// Reads a cursor over one conversion of a format.
class ConversionReader {
public:
    ConversionReader(std::string_view format, std::size_t at) : format(format), at(at) {}

    std::size_t position() const { return at; }

    // "n$" when it stands here; otherwise nothing is taken (the digits are a width).
    void skipPosition() {
        std::size_t end = at;
        while (end < format.size() && isDigit(format[end])) ++end;
        if (end > at && end < format.size() && format[end] == '$') at = end + 1;
    }

    void skipFlags() {
        while (at < format.size() && isOneOf(format[at], "-+ #0'")) ++at;
    }

    // A width or a precision: digits (their value, capped just above the largest allowed), or '*'
    // with an optional "n$" (0: a value gives it).
    std::uint64_t readSize() {
        if (at < format.size() && format[at] == '*') {
            ++at;
            skipPosition();
            return 0;
        }
        std::uint64_t size = 0;
        for (; at < format.size() && isDigit(format[at]); ++at) {
            size = std::min<std::uint64_t>(size * 10 + static_cast<std::uint64_t>(format[at] - '0'), kLargestConversionWidth + 1);
        }
        return size;
    }

    bool skip(char c) {
        if (at >= format.size() || format[at] != c) return false;
        ++at;
        return true;
    }

    void skipLength() {
        while (at < format.size() && isOneOf(format[at], "hlLqjzt")) ++at;
    }

    void skipLetter() {
        if (at < format.size() && isLetter(format[at])) ++at;
    }

private:
    std::string_view format;
    std::size_t at;
};

// Reads the conversion whose '%' stands at start; answers where it ends.
std::size_t readConversion(std::string_view format, std::size_t start, std::vector<FormatConversion>& conversions) {
    ConversionReader reader(format, start + 1);
    FormatConversion conversion;
    reader.skipPosition();
    reader.skipFlags();
    conversion.width = reader.readSize();
    if (reader.skip('.')) conversion.precision = reader.readSize();
    reader.skipLength();
    reader.skipLetter();
    const std::size_t end = reader.position();
    conversion.text = std::string(format.substr(start, end - start));
    conversions.push_back(std::move(conversion));
    return end;
}

}  // namespace

std::vector<FormatConversion> formatConversionsOf(std::string_view format) {
    std::vector<FormatConversion> conversions;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%') {
            ++i;
        } else if (i + 1 < format.size() && format[i + 1] == '%') {
            i += 2;
        } else {
            i = readConversion(format, i, conversions);
        }
    }
    return conversions;
}

bool conversionWidthsFit(const std::vector<FormatConversion>& conversions) {
    return std::all_of(conversions.begin(), conversions.end(), [](const FormatConversion& conversion) {
        return conversion.width <= kLargestConversionWidth && conversion.precision <= kLargestConversionWidth;
    });
}
