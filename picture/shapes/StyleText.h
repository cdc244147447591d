#pragma once
// A VML style attribute and the plain, case-sensitive substring searches the shape translators make in
// it ("left" also finds "margin-left": the translators rely on that, as the documents' writers did).
#include <cstddef>
#include <string_view>

class StyleText {
public:
    explicit StyleText(const char* style) : fText(style != nullptr ? style : "") {}

    bool has(std::string_view literal) const { return fText.find(literal) != std::string_view::npos; }
    // The text from the literal on (a length text starting with the property), or null without it.
    const char* from(std::string_view literal) const {
        const std::size_t at = fText.find(literal);
        return at == std::string_view::npos ? nullptr : fText.data() + at;
    }
    // The text just after the literal, or null without it.
    const char* after(std::string_view literal) const {
        const char* start = from(literal);
        return start != nullptr ? start + literal.size() : nullptr;
    }
    // The text after the literal to the end of the whole style; empty without the literal.
    std::string_view rest(std::string_view literal) const {
        const std::size_t at = fText.find(literal);
        return at == std::string_view::npos ? std::string_view() : fText.substr(at + literal.size());
    }

private:
    std::string_view fText;
};
