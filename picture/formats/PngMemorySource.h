#pragma once
// libpng's callbacks over picture bytes in memory. The error handler keeps a library failure from
// unwinding through libpng's frames: it jumps back to the reader's setjmp (png_jmpbuf) and the C++ caller
// raises CFail 5544 once the library call has returned.
#include <cstddef>
#include <cstdint>

#include <png.h>

// The read position and the bytes left, given to libpng as its I/O pointer.
struct PngMemorySource {
    const std::uint8_t* position = nullptr;
    std::size_t left = 0;
};

// Never returns: jumps to the reader's png_jmpbuf.
void pngErrorHandler(png_structp reader, png_const_charp message);
// Warnings are not shown.
void pngWarningHandler(png_structp reader, png_const_charp message);
// Copies the bytes asked for; a request past the end of the data is the library error "illegal data read".
void pngReadFromMemory(png_structp reader, png_bytep destination, png_size_t length);
