#include "import/spreadsheet/numberformat/FormatPlacement.h"

#include <algorithm>

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

PlaceholderFill::PlaceholderFill(std::string_view text, int count) : digits(text), placeholders(count) {
    remaining = static_cast<int>(std::count_if(text.begin(), text.end(), isDigit));
}

void PlaceholderFill::fill(char16_t placeholder, FormatText& out, PendingMinus& minus) {
    if (remaining < placeholders || remaining < 1) {
        if (placeholder == u'0') {
            minus.writeInto(out);
            out.put(u'0');
        } else if (placeholder == u'?') {
            out.put(u' ');
        }
    } else {
        minus.writeInto(out);
        copyDigits(remaining - placeholders + 1, out);
    }
    if (placeholders > 0) --placeholders;
}

void PlaceholderFill::flush(FormatText& out, PendingMinus& minus) {
    if (remaining == 0) return;
    minus.writeInto(out);
    copyDigits(remaining, out);
}

void PlaceholderFill::copyDigits(int count, FormatText& out) {
    while (count > 0 && position < digits.size()) {
        const char c = digits[position++];
        out.put(static_cast<char16_t>(c));
        if (isDigit(c)) {
            --count;
            --remaining;
        }
    }
}

void insertThousands(DigitText& digits) {
    const std::string_view text = digits.view();
    const std::size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
    std::size_t end = sign;
    while (end < text.size() && isDigit(text[end])) ++end;
    const std::size_t wholeDigits = end - sign;
    if (wholeDigits < 4) return;
    const std::size_t separators = (wholeDigits - 1) / 3;
    if (digits.length + separators > kDigitTextCapacity)
        throwFail(result::kNumberTextTooLong, __LINE__, kFormatUnit);
    // Rebuild from the right, moving the tail first.
    std::copy_backward(digits.text + end, digits.text + digits.length, digits.text + digits.length + separators);
    std::size_t to = end + separators;
    std::size_t from = end;
    for (std::size_t written = 0; from > sign; ++written) {
        if (written > 0 && written % 3 == 0) digits.text[--to] = ',';
        digits.text[--to] = digits.text[--from];
    }
    digits.length += separators;
}
