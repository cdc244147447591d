#include "picture/formats/GifDecoder.h"

#include <algorithm>
#include <cstring>

#include <gif_lib.h>

#include "picture/formats/PicStream.h"

namespace {

int gifReadFromStream(GifFileType* gif, GifByteType* buffer, int count) {
    auto* stream = static_cast<PicStream*>(gif->UserData);
    std::uint64_t read = 0;
    stream->read(buffer, static_cast<std::uint64_t>(count), &read);
    return static_cast<int>(read);
}

// Closes the file whatever happened.
struct GifCloser {
    GifFileType* gif;
    ~GifCloser() {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// The rows of an interlaced frame come in four passes; the row of the n-th line read.
std::vector<int> rowOrder(int height, bool interlaced) {
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) order.push_back(y);
        return order;
    }
    constexpr int kStart[] = {0, 4, 2, 1};
    constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
    return order;
}

bool skipExtension(GifFileType* gif, int& transparentIndex) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
    while (block != nullptr) {
        // A graphic control block: flags, delay (2 bytes), transparent colour index.
        if (code == GRAPHICS_EXT_FUNC_CODE && block[0] >= 4 && (block[1] & 1) != 0) transparentIndex = block[4];
        if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
    }
    return true;
}

bool drawFrame(GifFileType* gif, DecodedImage& image, int transparentIndex, std::uint64_t dataLength) {
    if (DGifGetImageDesc(gif) != GIF_OK) return false;
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
    if (map == nullptr || frame.Width <= 0 || frame.Height <= 0) return false;
    if (!decodablePixelSize(static_cast<std::uint64_t>(frame.Width), static_cast<std::uint64_t>(frame.Height),
                            dataLength))
        return false;
    std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
    for (int y : rowOrder(frame.Height, frame.Interlace)) {
        if (DGifGetLine(gif, line.data(), frame.Width) != GIF_OK) return false;
        const std::int64_t row = static_cast<std::int64_t>(frame.Top) + y;
        if (row < 0 || row >= image.height) continue;
        for (int x = 0; x < frame.Width; ++x) {
            const std::int64_t column = static_cast<std::int64_t>(frame.Left) + x;
            const int index = line[static_cast<std::size_t>(x)];
            if (column < 0 || column >= image.width || index == transparentIndex || index >= map->ColorCount) continue;
            std::uint8_t* pixel = &image.rgba[(static_cast<std::size_t>(row) * image.width + static_cast<std::size_t>(column)) * 4];
            pixel[0] = map->Colors[index].Red;
            pixel[1] = map->Colors[index].Green;
            pixel[2] = map->Colors[index].Blue;
            pixel[3] = 0xFF;
        }
    }
    return true;
}

}  // namespace

bool decodeGif(const std::uint8_t* data, std::int32_t length, DecodedImage& image) {
    if (data == nullptr || length <= 0) return false;
    PicStream stream(data, static_cast<std::uint64_t>(length));
    int error = 0;
    GifFileType* gif = DGifOpen(&stream, gifReadFromStream, &error);
    if (gif == nullptr) return false;
    GifCloser closer{gif};
    if (!allocatePixels(image, static_cast<std::uint32_t>(std::max(gif->SWidth, 0)),
                        static_cast<std::uint32_t>(std::max(gif->SHeight, 0)), stream.size()))
        return false;
    int transparentIndex = -1;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &record) != GIF_OK) return false;
        if (record == IMAGE_DESC_RECORD_TYPE) return drawFrame(gif, image, transparentIndex, stream.size());
        if (record == EXTENSION_RECORD_TYPE) {
            if (!skipExtension(gif, transparentIndex)) return false;
        } else {
            return false;  // the end, or a record giflib does not know, before any frame
        }
    }
}
