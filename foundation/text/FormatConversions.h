#pragma once
// The conversions of a format text, read the way the printf family reads them:
//
//   %[position$][flags][width][.precision][length]letter
//
// position is "n$"; flags are any of "-+ #0'"; width and precision are decimal digits, or '*' (with an
// optional "n$") when a value gives them; length is one of hh h l ll L q j z t. "%%" is no conversion.
// A '%' that does not run to a letter (the '%' that ends "0%") is a conversion of its own, written as
// far as it goes, so that it never compares equal to a longer one.
//
// A translated UI string must keep its English text's conversions exactly, flags, widths and positions
// included: a position reads another value, and a flag or a width that the code was not written for
// may make the result unreadable or the call undefined.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The largest width or precision written in a UI string's conversion. The formatters build a text of
// that size before they cut it to their buffer (kDefaultTextSize bytes, 512, for the 8-bit default), so
// a larger one only costs memory: "%999999999d" would make a formatter allocate a gigabyte. A few
// thousand leaves every real padding room and keeps the cost of any string small.
constexpr std::uint64_t kLargestConversionWidth = 4096;

struct FormatConversion {
    std::string text;             // as written, from its '%' to its letter
    std::uint64_t width = 0;      // the written width; 0 when none or taken from a value
    std::uint64_t precision = 0;  // the written precision; 0 when none or taken from a value

    bool operator==(const FormatConversion&) const = default;
};

// The conversions of a format, in order. Widths and precisions above kLargestConversionWidth are
// answered as kLargestConversionWidth + 1, however many digits they have.
std::vector<FormatConversion> formatConversionsOf(std::string_view format);

// True when no conversion has a written width or precision above kLargestConversionWidth.
bool conversionWidthsFit(const std::vector<FormatConversion>& conversions);
