#include "tests/support/PictureFixtures.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

namespace picturefixtures {
namespace {

// A colour for every pixel that changes along both axes, so no writer can collapse the image.
std::uint8_t shade(std::int32_t x, std::int32_t y, int channel) {
    return static_cast<std::uint8_t>((x * 37 + y * 11 + channel * 85) & 0xFF);
}

Bytes rgbRow(std::int32_t width, std::int32_t y) {
    Bytes row(static_cast<std::size_t>(width) * 3);
    for (std::int32_t x = 0; x < width; ++x)
        for (int c = 0; c < 3; ++c) row[static_cast<std::size_t>(x) * 3 + c] = shade(x, y, c);
    return row;
}

void put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void pngAppend(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void pngFlush(png_structp) {}

// A plain metafile: header, SETWINDOWEXT, end record.
Bytes metafileBody(std::int16_t height, std::int16_t width) {
    constexpr std::uint32_t headerWords = 9;
    constexpr std::uint32_t extentWords = 5;
    constexpr std::uint32_t endWords = 3;
    Bytes out;
    put16(out, 1);  // in memory
    put16(out, headerWords);
    put16(out, 0x0300);
    put32(out, headerWords + extentWords + endWords);
    put16(out, 0);  // objects
    put32(out, extentWords);
    put16(out, 0);
    put32(out, extentWords);
    put16(out, 0x020C);
    put16(out, static_cast<std::uint16_t>(height));
    put16(out, static_cast<std::uint16_t>(width));
    put32(out, endWords);
    put16(out, 0);
    return out;
}

struct TiffSink {
    Bytes bytes;
    toff_t position = 0;
};

tmsize_t tiffRead(thandle_t handle, void* buffer, tmsize_t size) {
    auto* sink = static_cast<TiffSink*>(handle);
    if (sink->position >= sink->bytes.size()) return 0;
    auto count = std::min<toff_t>(static_cast<toff_t>(size), sink->bytes.size() - sink->position);
    std::memcpy(buffer, sink->bytes.data() + sink->position, count);
    sink->position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t tiffWrite(thandle_t handle, void* buffer, tmsize_t size) {
    auto* sink = static_cast<TiffSink*>(handle);
    auto end = sink->position + static_cast<toff_t>(size);
    if (end > sink->bytes.size()) sink->bytes.resize(end);
    std::memcpy(sink->bytes.data() + sink->position, buffer, static_cast<std::size_t>(size));
    sink->position = end;
    return size;
}

toff_t tiffSeek(thandle_t handle, toff_t offset, int whence) {
    auto* sink = static_cast<TiffSink*>(handle);
    if (whence == SEEK_SET) sink->position = offset;
    else if (whence == SEEK_CUR) sink->position += offset;
    else sink->position = sink->bytes.size() + offset;
    return sink->position;
}

int tiffClose(thandle_t) { return 0; }
toff_t tiffSize(thandle_t handle) { return static_cast<TiffSink*>(handle)->bytes.size(); }
int tiffMap(thandle_t, void**, toff_t*) { return 0; }
void tiffUnmap(thandle_t, void*, toff_t) {}

int gifAppend(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

Bytes bitmapInfoHeader(std::int32_t width, std::int32_t height, std::int32_t xPpm, std::int32_t yPpm) {
    Bytes out;
    std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3U;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);  // no compression
    put32(out, rowBytes * static_cast<std::uint32_t>(height));
    put32(out, static_cast<std::uint32_t>(xPpm));
    put32(out, static_cast<std::uint32_t>(yPpm));
    put32(out, 0);
    put32(out, 0);
    for (std::int32_t y = height - 1; y >= 0; --y) {
        for (std::int32_t x = 0; x < width; ++x)
            for (int c = 2; c >= 0; --c) out.push_back(shade(x, y, c));  // blue, green, red
        for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

}  // namespace

Bytes pngPicture(std::int32_t width, std::int32_t height, std::optional<PngDensity> density) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("pngPicture: libpng failed");
    }
    png_set_write_fn(png, &out, pngAppend, pngFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (density) png_set_pHYs(png, info, density->x, density->y, density->unit);
    png_write_info(png, info);
    for (std::int32_t y = 0; y < height; ++y) {
        Bytes row = rgbRow(width, y);
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes jpegPicture(std::int32_t width, std::int32_t height, std::optional<JfifDensity> density) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);  // the default exit ends the test program: fixtures are valid
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    cinfo.write_JFIF_header = density ? TRUE : FALSE;
    if (density) {
        cinfo.density_unit = density->unit;
        cinfo.X_density = density->x;
        cinfo.Y_density = density->y;
    }
    jpeg_start_compress(&cinfo, TRUE);
    for (std::int32_t y = 0; y < height; ++y) {
        Bytes row = rgbRow(width, y);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

Bytes gifPicture(std::int32_t width, std::int32_t height) {
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, gifAppend, &error);
    if (gif == nullptr) throw std::runtime_error("gifPicture: EGifOpen failed");
    GifColorType colours[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, width, height, 2, 0, map);
    EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>((x + y) % 4);
        EGifPutLine(gif, line.data(), width);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

Bytes tiffPicture(std::int32_t width, std::int32_t height, float xDpi, float yDpi) {
    TiffSink sink;
    TIFF* tiff = TIFFClientOpen("fixture.tif", "w", &sink, tiffRead, tiffWrite, tiffSeek, tiffClose, tiffSize,
                                tiffMap, tiffUnmap);
    if (tiff == nullptr) throw std::runtime_error("tiffPicture: TIFFClientOpen failed");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(height));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 1);
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, xDpi);
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, yDpi);
    for (std::int32_t y = 0; y < height; ++y) {
        Bytes row = rgbRow(width, y);
        TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0);
    }
    TIFFClose(tiff);
    return sink.bytes;
}

Bytes dibPicture(std::int32_t width, std::int32_t height, std::int32_t xPixelsPerMetre, std::int32_t yPixelsPerMetre) {
    return bitmapInfoHeader(width, height, xPixelsPerMetre, yPixelsPerMetre);
}

Bytes bmpPicture(std::int32_t width, std::int32_t height, std::int32_t xPixelsPerMetre, std::int32_t yPixelsPerMetre) {
    Bytes dib = bitmapInfoHeader(width, height, xPixelsPerMetre, yPixelsPerMetre);
    Bytes out{'B', 'M'};
    put32(out, static_cast<std::uint32_t>(14 + dib.size()));
    put32(out, 0);
    put32(out, 14 + 40);  // offset of the pixels
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

Bytes placeableWmfPicture(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom,
                          std::uint16_t unitsPerInch) {
    Bytes out;
    put32(out, 0x9AC6CDD7);
    put16(out, 0);
    put16(out, static_cast<std::uint16_t>(left));
    put16(out, static_cast<std::uint16_t>(top));
    put16(out, static_cast<std::uint16_t>(right));
    put16(out, static_cast<std::uint16_t>(bottom));
    put16(out, unitsPerInch);
    put32(out, 0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < out.size(); i += 2)
        checksum ^= static_cast<std::uint16_t>(out[i] | (out[i + 1] << 8));
    put16(out, checksum);
    Bytes body = metafileBody(static_cast<std::int16_t>(bottom - top), static_cast<std::int16_t>(right - left));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes plainWmfPicture(std::int16_t height, std::int16_t width) { return metafileBody(height, width); }

Bytes truncated(const Bytes& picture, std::size_t length) {
    return Bytes(picture.begin(), picture.begin() + static_cast<std::ptrdiff_t>(std::min(length, picture.size())));
}

}  // namespace picturefixtures
