#include "picture/formats/JpegHeader.h"

#include "picture/formats/JpegMemorySource.h"

bool readJpegHeader(const std::uint8_t* data, std::int32_t length, JpegHeader& header) {
    jpeg_decompress_struct decompressor{};
    JpegErrorTrap trap{};
    jpeg_source_mgr source{};
    useJpegErrorTrap(decompressor, trap);
    // Only plain C objects live between here and the jump back: nothing is skipped that needs a destructor.
    if (setjmp(trap.jump) != 0) {
        jpeg_destroy_decompress(&decompressor);
        return false;
    }
    jpeg_create_decompress(&decompressor);
    useJpegMemorySource(decompressor, source, data, length);
    jpeg_read_header(&decompressor, TRUE);
    header.width = decompressor.image_width;
    header.height = decompressor.image_height;
    header.hasJfif = decompressor.saw_JFIF_marker != 0;
    header.densityUnit = decompressor.density_unit;
    header.xDensity = decompressor.X_density;
    header.yDensity = decompressor.Y_density;
    jpeg_destroy_decompress(&decompressor);
    return true;
}
