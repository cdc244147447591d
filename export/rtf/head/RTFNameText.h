#pragma once
// Names and short texts that the RTF writer puts into the file as they are (font and author names,
// list, bookmark and form-field names and texts), escaped so that a reader takes them back whole: '\',
// '{' and '}' get a backslash, a control byte becomes a hexadecimal escape, and every character outside
// ASCII becomes a Unicode escape ("\u" and its signed 16-bit value) with '?' as its one fallback byte,
// which the "\uc1" of the header line announces. A character above U+FFFF is written as its two
// surrogate halves. Malformed UTF-8 reads as U+FFFD.
//
// Allocation failures raise CFail 12 in unit "BL_RTF(exp)".
#include <cstdint>
#include <string>
#include <string_view>

// An 8-bit name as the document tables keep it (UTF-8), up to its first 0 byte or the end of the view.
std::string rtfEscapedName(std::string_view utf8Name);
// A name held as UTF-16 units.
std::string rtfEscapedName(std::u16string_view units);
// The same for a fixed-size text field: up to its first 0 byte, at most `room` bytes.
std::string rtfEscapedField(const char* field, std::size_t room);

// A text of the information group (title, subject, author, the comment), UTF-8 up to its first 0 byte.
// Its ASCII is written as the group always writes it: letters, digits and * + - . @ _ stand as they
// are, every other byte (the blank included) becomes "\'" and two hexadecimal digits. Characters
// outside ASCII become Unicode escapes as in a name, so a reader takes back the characters themselves
// rather than their UTF-8 bytes.
std::string rtfEscapedInfoText(std::string_view utf8Text);
