#include "picture/formats/PngEncoder.h"

#include <cmath>

#include <png.h>

#include "picture/formats/PngMemorySource.h"

namespace {

struct PngSink {
    PicStream* stream;
    bool failed;
};

void pngWriteToStream(png_structp writer, png_bytep data, png_size_t length) {
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(writer));
    if (sink->stream->write(data, length, nullptr) != 0) {
        sink->failed = true;
        png_error(writer, "write failed");
    }
}

void pngFlushStream(png_structp) {}

png_uint_32 pixelsPerMetre(float dpi) {
    return dpi > 0.0F ? static_cast<png_uint_32>(std::lround(static_cast<double>(dpi) / 0.0254)) : 0;
}

// The C-style part: libpng may jump back into it, so it holds no object with a destructor.
bool writeWithLibrary(png_structp writer, png_infop info, const DecodedImage& image, PngSink& sink) {
    if (setjmp(png_jmpbuf(writer)) != 0) return false;
    png_set_write_fn(writer, &sink, pngWriteToStream, pngFlushStream);
    png_set_IHDR(writer, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (image.xDpi > 0.0F && image.yDpi > 0.0F)
        png_set_pHYs(writer, info, pixelsPerMetre(image.xDpi), pixelsPerMetre(image.yDpi), PNG_RESOLUTION_METER);
    png_write_info(writer, info);
    const std::size_t stride = static_cast<std::size_t>(image.width) * 4;
    for (std::uint32_t y = 0; y < image.height; ++y)
        png_write_row(writer, const_cast<png_bytep>(image.rgba.data() + stride * y));
    png_write_end(writer, info);
    return true;
}

}  // namespace

bool encodePng(const DecodedImage& image, PicStream& output) {
    if (image.rgba.size() != static_cast<std::size_t>(image.width) * image.height * 4 || image.rgba.empty())
        return false;
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngErrorHandler, pngWarningHandler);
    if (writer == nullptr) return false;
    png_infop info = png_create_info_struct(writer);
    PngSink sink{&output, false};
    const bool written = info != nullptr && writeWithLibrary(writer, info, image, sink);
    png_destroy_write_struct(&writer, info != nullptr ? &info : nullptr);
    return written && !sink.failed;
}
