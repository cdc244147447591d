#pragma once
// Base64 (the RFC 4648 alphabet with '=' padding) for binary data in the storage, pictures above all, and
// for the base64 picture data of input documents.
#include <cstdint>

// Encodes length bytes in lines of 80 characters (20 groups of four), each line ended by CR LF, the last one
// too. *outText receives a new heap block holding the text (the caller frees it with freeMemory), with a 0
// byte after the text that *outLength does not count. No bytes (a length of 0 or less, or null bytes) give
// an empty text. Nothing happens when an out pointer is null. Lack of memory raises CFail 12 and hands
// nothing over.
void base64Encode(const void* bytes, std::int32_t length, char** outText, std::int32_t* outLength);

// Decodes length bytes of base64 text, passing over every byte outside the alphabet wherever it stands ('=',
// line ends, blanks, anything else): each four characters give three bytes, a last group of two or three
// gives one or two bytes, a last lone character gives nothing. *outBytes receives a new heap block (freed
// with freeMemory) with a 0 byte after the data that *outLength does not count. Any input is accepted;
// out pointers and memory as for base64Encode.
void base64Decode(const char* text, std::int32_t length, std::uint8_t** outBytes, std::int32_t* outLength);
