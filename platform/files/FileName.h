#pragma once
// File names cross the boundary between the program (UTF-16) and the file system (bytes).
//
// Names on disk need not be valid UTF-8. So that every file can still be named and reopened, the
// mapping is lossless for every byte string: valid UTF-8 maps to its characters, and each byte that is
// not part of a valid sequence maps to the lone low surrogate U+DC80..U+DCFF (0xDC00 + byte) and back.
// A lone surrogate outside that range (never produced from disk) is written in its 3-byte form; the
// file it names reads back as three escaped bytes, which name the same file.
#include <string>
#include <string_view>

namespace platform {

std::u16string fileNameFromBytes(std::string_view bytes);
std::string fileNameToBytes(std::u16string_view name);

}  // namespace platform
