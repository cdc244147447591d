#pragma once
// The text form of a string table: the program's own table (resources/strings/english.txt, compiled
// in) and the language files loaded at run time have the same form.
//
//   # comment lines and blank lines are ignored anywhere
//   vostrandimeko-strings 1          <- the format line, first of all other lines
//   10226 "Preparing to write converted file... [%d]"
//   10331 "\r\r--- graphic start ---\r"
//   end                              <- the last line, so that a cut-off file is recognised
//
// One string per line: the id (decimal, 0 to 65535), blanks, and the text in double quotes. Inside the
// quotes \\ is a backslash, \" a double quote, \n a line feed, \r a carriage return and \t a tab; other
// characters stand for themselves (UTF-8; raw control characters are not allowed). Each id at most once.
// Lines may end in CR LF; a UTF-8 byte-order mark at the start is skipped.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr std::string_view kStringTableFormatLine = "vostrandimeko-strings 1";
constexpr std::string_view kStringTableEndLine = "end";

struct StringTableEntry {
    std::uint16_t id;
    std::string text;  // UTF-8, escapes resolved
};

// Reads a whole table, in the order of the source. Any fault in the text rejects the whole table:
// the result is then false and `error` says where ("line 12: ...", "end of file: ...").
bool parseStringTable(std::string_view source, std::vector<StringTableEntry>& entries, std::string& error);
