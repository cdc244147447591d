#pragma once
// Document text on its way into RTF, escaped so that a reader takes it back as text and never as
// commands: '\', '{' and '}' get a backslash, a control unit becomes a hexadecimal escape, and every
// unit outside ASCII becomes a Unicode escape ("\u" and its signed 16-bit value) with '?' as its one
// fallback byte (the writers announce "\uc1"). A character above U+FFFF goes as its two surrogate
// halves. Every writer of RTF text (the RTF writer's names and texts, the shape texts built while a
// document is imported) escapes through here, so no document can close a group or open a field of ours.
//
// Lacking memory raises std::bad_alloc; callers raise it as their own failure.
#include <string>
#include <string_view>

void appendRtfEscapedUnit(std::string& out, char16_t unit);
// The units up to the first 0 unit or the end of the view.
std::string rtfEscapedUnits(std::u16string_view units);
// UTF-8 up to its first 0 byte; malformed UTF-8 reads as U+FFFD.
std::string rtfEscapedUtf8(std::string_view utf8);
// The UTF-8 text up to its first 0 byte as UTF-16 units.
std::u16string unitsOfUtf8Text(std::string_view utf8);
