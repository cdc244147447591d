#pragma once
// The printf forms the RTF emitter writes its control words with, formatted without the C library's
// general machinery: a document writes hundreds of thousands of "\fs24"-like words, and vsnprintf cost
// more than everything else of writing them.
//
//     char text[64];
//     const int length = formatPlainVa(text, sizeof text, "\\fs%d", arguments);  // "\fs24", 4
//
// Understood: literal text, "%%", "%d" (int), "%lld" (long long), "%c" (int) and "%s" (a text that is
// not null). Anything else (widths, flags, other conversions, a null text) and a result that does not
// fit answers -1, and the caller formats with vsnprintf instead, which gives the same text.
#include <cstdarg>
#include <cstddef>

// The length written into text (ended with a zero), or -1 as above. The arguments are used up either way.
int formatPlainVa(char* text, std::size_t room, const char* format, va_list arguments);
