#pragma once
// The one command the desktop sends a running program: [Open("PATH")], with the document's full path
// and nothing escaped. The name is matched without regard to case; blanks are never skipped.
#include <cstddef>
#include <string>
#include <string_view>

// Bounds of the name and the path, in bytes of UTF-8; a longer one makes the command malformed.
constexpr std::size_t kMaxCommandNameBytes = 1023;
constexpr std::size_t kMaxCommandPathBytes = 4095;

// Reads the command from request data of any length, which ends at its first NUL or at its end.
// Answers false, leaving path alone, for anything but exactly one open command with a non-empty
// absolute path: the sender cannot know which folder a relative path would be taken from, and text
// after the command would otherwise be dropped unseen.
bool parseOpenCommand(std::string_view data, std::u16string& path);

// The command that asks a running program to open the file (an absolute path); empty when the path
// cannot be carried by it (a double quote or a NUL in it, or too long).
std::string makeOpenCommand(std::string_view path);
