#include "picture/formats/TiffDecoder.h"

#include <cstdarg>
#include <cstdio>
#include <new>

#include <tiffio.h>

#include "picture/formats/PicStream.h"

namespace {

PicStream* streamOf(thandle_t handle) { return static_cast<PicStream*>(handle); }

tmsize_t tiffRead(thandle_t handle, void* buffer, tmsize_t count) {
    std::uint64_t read = 0;
    if (count < 0) return -1;
    streamOf(handle)->read(buffer, static_cast<std::uint64_t>(count), &read);
    return static_cast<tmsize_t>(read);
}

tmsize_t tiffWrite(thandle_t, void*, tmsize_t) { return -1; }  // the decoder only reads

toff_t tiffSeek(thandle_t handle, toff_t offset, int whence) {
    std::uint64_t position = 0;
    const int origin = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? 1 : 2;
    streamOf(handle)->seek(static_cast<std::int64_t>(offset), origin, &position);
    return position;
}

int tiffClose(thandle_t) { return 0; }
toff_t tiffSize(thandle_t handle) { return streamOf(handle)->size(); }
int tiffMap(thandle_t, void**, toff_t*) { return 0; }
void tiffUnmap(thandle_t, void*, toff_t) {}

// libtiff's messages are not shown; a failure shows in the answers of its calls.
int tiffQuiet(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// The resolution in dots per inch, 0 when the picture gives none.
void readResolution(TIFF* tiff, DecodedImage& image) {
    float x = 0.0F;
    float y = 0.0F;
    std::uint16_t unit = RESUNIT_INCH;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
    if (unit == RESUNIT_NONE) return;
    const float perInch = unit == RESUNIT_CENTIMETER ? 2.54F : 1.0F;
    if (TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &x) == 1 && x > 0.0F && x < 1.0e6F) image.xDpi = x * perInch;
    if (TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &y) == 1 && y > 0.0F && y < 1.0e6F) image.yDpi = y * perInch;
}

// libtiff's packed ABGR pixels, top row first, into RGBA bytes.
bool readPixels(TIFF* tiff, DecodedImage& image, std::uint64_t dataLength) {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    if (!allocatePixels(image, width, height, dataLength)) return false;
    std::vector<std::uint32_t> raster(static_cast<std::size_t>(width) * height);
    if (TIFFReadRGBAImageOriented(tiff, width, height, raster.data(), ORIENTATION_TOPLEFT, 0) != 1) return false;
    for (std::size_t i = 0; i < raster.size(); ++i) {
        image.rgba[i * 4 + 0] = static_cast<std::uint8_t>(TIFFGetR(raster[i]));
        image.rgba[i * 4 + 1] = static_cast<std::uint8_t>(TIFFGetG(raster[i]));
        image.rgba[i * 4 + 2] = static_cast<std::uint8_t>(TIFFGetB(raster[i]));
        image.rgba[i * 4 + 3] = static_cast<std::uint8_t>(TIFFGetA(raster[i]));
    }
    return true;
}

}  // namespace

bool decodeTiff(const std::uint8_t* data, std::int32_t length, DecodedImage& image) {
    if (data == nullptr || length <= 0) return false;
    PicStream stream(data, static_cast<std::uint64_t>(length));
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (options == nullptr) return false;
    TIFFOpenOptionsSetErrorHandlerExtR(options, tiffQuiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, tiffQuiet, nullptr);
    // No single allocation of libtiff's may exceed what the decoded pixels may take.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, static_cast<tmsize_t>(kMaxDecodedPixels * 4));
    TIFF* tiff = TIFFClientOpenExt("picture", "rm", &stream, tiffRead, tiffWrite, tiffSeek, tiffClose, tiffSize,
                                   tiffMap, tiffUnmap, options);
    TIFFOpenOptionsFree(options);
    if (tiff == nullptr) return false;
    bool decoded = false;
    try {
        decoded = readPixels(tiff, image, stream.size());
    } catch (const std::bad_alloc&) {
        decoded = false;
    }
    if (decoded) readResolution(tiff, image);
    TIFFClose(tiff);
    return decoded;
}
