#pragma once
// The growing RTF texts a drawing is built in: the shape-instance text (keywords such as \shpleft and
// \shpz), the shape-property text (groups {\sp{\sn NAME}{\sv VALUE}}), the picture text and the page
// background text. Every translator appends to one of them; none has a fixed size, so a long style or a
// shape with many properties is never cut or overrun. The text lives in one block of the memory layer
// that grows by at least 1024 bytes at a time, so the many short keywords of a shape do not each
// reallocate; the block can be handed over whole (the picture object keeps it as its shape text).
//
// Lacking memory raises CFail 12 in unit "BPicture"; the text then keeps its old contents.
#include <cstdarg>
#include <cstdint>
#include <string_view>

// The opening and end of the marker that names a text box in a shape text: the RTF writer puts the
// text box's content where " UUTT8SS", the text box's name and "VV9WW" stand.
inline constexpr std::string_view kTextBoxMarkerStart = "UUTT8SS";
inline constexpr std::string_view kTextBoxMarkerEnd = "VV9WW";

class ShapeText {
public:
    ShapeText() = default;
    ShapeText(const ShapeText&) = delete;
    ShapeText& operator=(const ShapeText&) = delete;
    ~ShapeText();

    // Always 0-terminated; "" while nothing is held.
    const char* text() const;
    std::string_view view() const { return {text(), static_cast<std::size_t>(fLength)}; }
    std::int32_t length() const { return fLength; }
    bool empty() const { return fLength == 0; }

    void append(std::string_view piece);
    // Formats like vprintf and appends the whole result (appendToShapeText is the usual way in).
    void appendFormatted(const char* format, va_list values);
    // Cuts the text back to the given length (a length at or past the end changes nothing): a shape that
    // ends up without content leaves no trace.
    void cutBack(std::int32_t length);
    void clear() { cutBack(0); }
    // Hands the block over (0-terminated, freed with freeMemory by the new owner) and leaves this text
    // empty; an empty text hands over null.
    char* takeOver();

private:
    void reserveFor(std::int64_t extra);

    char* fBlock = nullptr;
    std::int32_t fLength = 0;
    std::int32_t fCapacity = 0;
};

// Formats like printf and appends the whole result, however long.
[[gnu::format(printf, 2, 3)]] void appendToShapeText(ShapeText& text, const char* format, ...);

// A property group {\sp{\sn NAME}{\sv VALUE}} of the shape-property text. The name is one of ours;
// the value, which may come from the document (UTF-8), is escaped like every document text, and its
// text never holds a text-box marker's opening, which the RTF writer would replace with a text box's
// content. Every text a document supplies enters a shape text through here.
void appendProperty(ShapeText& propertyText, const char* name, std::string_view value);
void appendProperty(ShapeText& propertyText, const char* name, std::int64_t value);
