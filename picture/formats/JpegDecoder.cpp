#include "picture/formats/JpegDecoder.h"

#include "picture/formats/JpegMemorySource.h"

namespace {
// Expands one decoded row of RGB or grey samples into RGBA.
void expandRow(const JSAMPLE* samples, std::uint32_t width, int components, std::uint8_t* rgba) {
    for (std::uint32_t x = 0; x < width; ++x) {
        const JSAMPLE* pixel = samples + static_cast<std::size_t>(x) * static_cast<std::size_t>(components);
        rgba[4 * x] = pixel[0];
        rgba[4 * x + 1] = components == 3 ? pixel[1] : pixel[0];
        rgba[4 * x + 2] = components == 3 ? pixel[2] : pixel[0];
        rgba[4 * x + 3] = 0xFF;
    }
}
}  // namespace

bool decodeJpeg(const std::uint8_t* data, std::int32_t length, DecodedImage& image) {
    jpeg_decompress_struct decompressor{};
    JpegErrorTrap trap{};
    jpeg_source_mgr source{};
    useJpegErrorTrap(decompressor, trap);
    // The image's pixels are allocated before the jump target is armed again for the rows, so a jump
    // skips no destructor: the row buffer belongs to the library's pool.
    if (setjmp(trap.jump) != 0) {
        jpeg_destroy_decompress(&decompressor);
        return false;
    }
    jpeg_create_decompress(&decompressor);
    useJpegMemorySource(decompressor, source, data, length);
    jpeg_read_header(&decompressor, TRUE);
    // Grey stays grey; everything else the library turns into RGB.
    if (decompressor.jpeg_color_space != JCS_GRAYSCALE) decompressor.out_color_space = JCS_RGB;
    if (!allocatePixels(image, decompressor.image_width, decompressor.image_height,
                        static_cast<std::uint64_t>(length) * kMaxPixelsPerByte)) {
        jpeg_destroy_decompress(&decompressor);
        return false;
    }
    jpeg_start_decompress(&decompressor);
    const int components = decompressor.output_components;
    JSAMPARRAY row = (*decompressor.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&decompressor), JPOOL_IMAGE,
                                                        decompressor.output_width * static_cast<JDIMENSION>(components), 1);
    while (decompressor.output_scanline < decompressor.output_height) {
        const std::uint32_t y = decompressor.output_scanline;
        jpeg_read_scanlines(&decompressor, row, 1);
        expandRow(row[0], image.width, components, image.rgba.data() + static_cast<std::size_t>(y) * image.width * 4);
    }
    jpeg_finish_decompress(&decompressor);
    jpeg_destroy_decompress(&decompressor);
    return true;
}
