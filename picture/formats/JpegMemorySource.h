#pragma once
// libjpeg's callbacks over picture bytes in memory, and the error trap that keeps a library failure from
// unwinding through libjpeg's frames: the error exit records nothing more than that the call failed and
// jumps back to the trap's setjmp in the C-style reader (JpegHeader.cpp); the C++ caller raises CFail
// 5544 once the library call has returned.
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

struct JpegErrorTrap {
    jpeg_error_mgr manager;  // first, so that the decompressor's error pointer is the trap's address
    std::jmp_buf jump;
};

// The error exit: never returns, jumps to the trap of the decompressor's error manager.
void jpegErrorExit(j_common_ptr decompressor);
// Library messages (warnings about corrupt data among them) are not shown.
void jpegOutputMessage(j_common_ptr decompressor);

// Hands the decompressor's errors to the trap and silences the library's messages.
void useJpegErrorTrap(jpeg_decompress_struct& decompressor, JpegErrorTrap& trap);

void jpegInitSource(j_decompress_ptr decompressor);
// The data is used up: the source continues with an end-of-image marker, so a cut-short picture ends
// with a library error instead of a read past the data.
boolean jpegFillInputBuffer(j_decompress_ptr decompressor);
// Skips count bytes; a count beyond the data ends the data, as a fill would.
void jpegSkipInputData(j_decompress_ptr decompressor, long count);
void jpegTermSource(j_decompress_ptr decompressor);

// Points the decompressor at the bytes through the source record, which must live as long as the read.
void useJpegMemorySource(jpeg_decompress_struct& decompressor, jpeg_source_mgr& source, const std::uint8_t* data,
                         std::int32_t length);
