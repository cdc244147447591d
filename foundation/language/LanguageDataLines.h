#pragma once
// One line of the language data files read into a record. Each function takes the line without its
// line feed and answers false for a line that does not hold what its file's lines hold: such a line
// is skipped. Every field is read within the line, and texts are cut to their fields on a character
// boundary, so no line, however malformed, makes a reader look past it.
//
// "characters.map", the language file, one section per language:
//   [en] English 1033          a header: name (at most 7 characters) in brackets, a description,
//    [Latn] Latin              and the Windows language id after the last blank (decimal);
//                              entry lines begin with a blank: a script tag and its name.
// "characters.exp", single characters whose encoding differs from their block's:
//   0152 LATIN CAPITAL LIGATURE OE; 500        code, blank, name, ';', blank, encoding (hexadecimal)
// "characters.blk", the Unicode blocks with their encoding:
//   0100..017F; Latin Extended-A; 501          low..high; name; encoding (hexadecimal)
// Lines that begin with '#' are comments in the two code files; in the language file every line
// that is neither a header nor an entry line is ignored.
#include <string_view>

#include "foundation/language/LanguageRecords.h"

// A header line (first byte '['). False when it starts no section: no ']', or a name that is empty
// or longer than 7 characters. The record is cleared first; its script entries stay empty.
bool readSectionHeader(std::string_view line, LanguageRecord& record);
// An entry line (first byte a blank): the tag is what stands between the line's first '[' and the
// ']' after it (at most 4 bytes), the name begins two bytes after that ']'. False without the two
// brackets.
bool readScriptEntry(std::string_view line, ScriptEntry& entry);
// A line of the exceptions (not a comment). False without a blank, without a ';' after it, or
// without a code or an encoding.
bool readExceptionLine(std::string_view line, RangeRecord& record);
// A line of the blocks (not a comment). False without '.', without a ';' after it, without both
// bounds, or with a high bound below the low one. Without a second ';' the name is empty and the
// encoding 0.
bool readBlockLine(std::string_view line, RangeRecord& record);
