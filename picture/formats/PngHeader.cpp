#include "picture/formats/PngHeader.h"

#include "foundation/CFail.h"
#include "picture/PictureUnit.h"
#include "picture/formats/PngMemorySource.h"

namespace {

// The C-style part: libpng may jump back into it, so it holds no object with a destructor.
bool readWithLibrary(png_structp reader, png_infop info, PngMemorySource& source, PngHeader& header) {
    if (setjmp(png_jmpbuf(reader)) != 0) return false;
    png_set_read_fn(reader, &source, pngReadFromMemory);
    png_read_info(reader, info);
    header.width = png_get_image_width(reader, info);
    header.height = png_get_image_height(reader, info);
    png_uint_32 x = 0;
    png_uint_32 y = 0;
    int unit = 0;
    if (png_get_pHYs(reader, info, &x, &y, &unit) != 0) {
        header.hasPhys = true;
        header.xPerUnit = x;
        header.yPerUnit = y;
        header.physUnit = unit;
    }
    return true;
}

}  // namespace

bool readPngHeader(const std::uint8_t* data, std::int32_t length, PngHeader& header) {
    png_structp reader =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngErrorHandler, pngWarningHandler);
    throwIfNull(reader, __LINE__, kPictureUnit);
    png_infop info = png_create_info_struct(reader);
    if (info == nullptr) {
        png_destroy_read_struct(&reader, nullptr, nullptr);
        throwFail(result::kOutOfMemory, __LINE__, kPictureUnit);
    }
    PngMemorySource source{data, length > 0 ? static_cast<std::size_t>(length) : 0};
    const bool read = readWithLibrary(reader, info, source, header);
    png_destroy_read_struct(&reader, &info, nullptr);
    return read;
}
