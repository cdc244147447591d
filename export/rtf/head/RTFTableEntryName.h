#pragma once
// A name that ends with ';' in a table of the document head (a style's name, a list's name): escaped as
// every name the writer puts into the file (RTFNameText.h), and a ';' inside the name is written as its
// hexadecimal escape so that a reader does not end the name there.
#include <cstddef>
#include <string>

// A fixed-size text field: up to its first 0 byte, at most `room` bytes.
std::string rtfTableEntryName(const char* field, std::size_t room);
