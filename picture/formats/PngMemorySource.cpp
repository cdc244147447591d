#include "picture/formats/PngMemorySource.h"

#include <cstring>

void pngErrorHandler(png_structp reader, png_const_charp) { png_longjmp(reader, 1); }

void pngWarningHandler(png_structp, png_const_charp) {}

void pngReadFromMemory(png_structp reader, png_bytep destination, png_size_t length) {
    auto* source = static_cast<PngMemorySource*>(png_get_io_ptr(reader));
    if (length > source->left) png_error(reader, "illegal data read");
    std::memcpy(destination, source->position, length);
    source->position += length;
    source->left -= length;
}
