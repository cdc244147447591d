#include "export/rtf/text/RTFPlainFormat.h"

#include <charconv>
#include <cstring>

namespace {

// Appends to a bounded buffer, remembering whether everything fitted (one byte stays for the zero).
class BoundedText {
public:
    BoundedText(char* text, std::size_t room) : at(text), end(text + room - 1) {}

    void put(char c) {
        if (at == end) {
            fits = false;
            return;
        }
        *at++ = c;
    }
    void put(const char* text, std::size_t length) {
        if (static_cast<std::size_t>(end - at) < length) {
            fits = false;
            return;
        }
        std::memcpy(at, text, length);
        at += length;
    }
    template <typename Number>
    void putNumber(Number value) {
        const std::to_chars_result result = std::to_chars(at, end, value);
        if (result.ec != std::errc()) {
            fits = false;
            return;
        }
        at = result.ptr;
    }
    bool fitted() const { return fits; }
    char* position() const { return at; }

private:
    char* at;
    char* end;
    bool fits = true;
};

}  // namespace

int formatPlainVa(char* text, std::size_t room, const char* format, va_list arguments) {
    if (text == nullptr || room == 0 || format == nullptr) return -1;
    BoundedText out(text, room);
    for (const char* at = format; *at != '\0' && out.fitted(); ++at) {
        if (*at != '%') {
            // The literal stretch up to the next conversion, in one piece.
            const char* stop = std::strchr(at, '%');
            const std::size_t length = stop != nullptr ? static_cast<std::size_t>(stop - at) : std::strlen(at);
            out.put(at, length);
            at += length - 1;
            continue;
        }
        ++at;
        if (*at == '%') {
            out.put('%');
        } else if (*at == 'd') {
            out.putNumber(va_arg(arguments, int));
        } else if (*at == 'c') {
            out.put(static_cast<char>(va_arg(arguments, int)));
        } else if (*at == 's') {
            const char* value = va_arg(arguments, const char*);
            if (value == nullptr) return -1;
            out.put(value, std::strlen(value));
        } else if (at[0] == 'l' && at[1] == 'l' && at[2] == 'd') {
            out.putNumber(va_arg(arguments, long long));
            at += 2;
        } else {
            return -1;
        }
    }
    if (!out.fitted()) return -1;
    *out.position() = '\0';
    return static_cast<int>(out.position() - text);
}
