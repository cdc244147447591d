#include "picture/PictureDetection.h"

#include <string_view>

#include "picture/CompareNoCase.h"
#include "picture/PictureConversion.h"
#include "picture/PictureMeasuring.h"

namespace {

enum class Measuring { kNone, kJpeg, kConvertToPng, kPng, kWmf };

// One signature of a picture type: the bytes at an offset, compared exactly or without regard to case,
// and the least length (exclusive) some signatures ask for besides their own bytes.
struct Signature {
    std::int16_t type;
    std::int32_t offset;
    std::string_view bytes;
    bool anyCase;
    std::int32_t lengthAbove;
    Measuring measuring;
};

using namespace std::string_view_literals;
using namespace picturetype;

// The first matching row wins; the order matters (EMF before everything it might be mistaken for,
// PostScript's "%!" only after PDF's "%PDF-", TIFF last).
constexpr Signature kSignatures[] = {
    {kJpeg, 0, "\xFF\xD8\xFF"sv, false, 0, Measuring::kJpeg},
    {kGif, 0, "GIF8"sv, true, 0, Measuring::kConvertToPng},
    {kPng, 0, "\x89PNG\r\n\x1A\n"sv, false, 0, Measuring::kPng},
    {kEmf, 40, "\x20\x45\x4D\x46\x00\x00\x01\x00"sv, false, 48, Measuring::kNone},
    {kPlaceableWmf, 0, "\xD7\xCD\xC6\x9A"sv, false, 0, Measuring::kWmf},
    {kWmf, 0, "\x01\x00\x09\x00"sv, false, 0, Measuring::kWmf},
    {kWmf, 0, "\x02\x00\x09\x00"sv, false, 0, Measuring::kWmf},
    {13, 0, "RIFF"sv, false, 0, Measuring::kNone},
    {kBmp, 0, "BA"sv, true, 0, Measuring::kNone},
    {kBmp, 0, "BM"sv, true, 0, Measuring::kNone},
    {kBmp, 0, "IC"sv, true, 0, Measuring::kNone},
    {kBmp, 0, "PI"sv, true, 0, Measuring::kNone},
    {kBmp, 0, "CI"sv, true, 0, Measuring::kNone},
    {kBmp, 0, "CP"sv, true, 0, Measuring::kNone},
    {14, 0, "\x80\x2A\x5F\xD7"sv, false, 0, Measuring::kNone},
    {15, 128, "DICM"sv, true, 132, Measuring::kNone},
    {kDib, 0, "\x28\x00"sv, false, 0, Measuring::kNone},
    {16, 0, "SDPX"sv, false, 0, Measuring::kNone},
    {16, 0, "XPDS"sv, false, 0, Measuring::kNone},
    {17, 0, "\xC5\xD0\xD3\xC6"sv, false, 0, Measuring::kNone},
    {18, 0, "DFAX"sv, true, 0, Measuring::kNone},
    {19, 0, "IT0"sv, true, 0, Measuring::kNone},
    {19, 0, "SIMPLE"sv, true, 0, Measuring::kNone},
    {20, 0, "\xD0\xCF\x11\xE0"sv, false, 0, Measuring::kNone},
    {21, 0, "<html"sv, true, 0, Measuring::kNone},
    {22, 4, "\x6A\x50\x20\x20\x0D"sv, false, 0, Measuring::kNone},
    {23, 0, "\xFF\x4F"sv, false, 0, Measuring::kNone},
    {24, 0, "\x00\x00\x01\xB3"sv, false, 0, Measuring::kNone},
    {25, 2048, "PCD_"sv, true, 2052, Measuring::kNone},
    {26, 0, "\x1B\x45\x1B"sv, false, 0, Measuring::kNone},
    {27, 0, "\x0A\x02"sv, false, 0, Measuring::kNone},
    {27, 0, "\x0A\x05"sv, false, 0, Measuring::kNone},
    {28, 0, "%PDF-"sv, true, 0, Measuring::kNone},
    {kPict, 522, "\x00\x11\x02\xFF\x0C\x00"sv, false, 528, Measuring::kNone},
    {29, 0, "%!"sv, false, 0, Measuring::kNone},
    {29, 0, "\x04\x25\x21"sv, false, 0, Measuring::kNone},
    {30, 0, "8BPS"sv, true, 0, Measuring::kNone},
    {31, 0, "\x59\xA6\x6A\x95"sv, false, 0, Measuring::kNone},
    {kTiff, 0, "\x4D\x4D\x00\x2A"sv, false, 0, Measuring::kConvertToPng},
    {kTiff, 0, "\x49\x49\x2A\x00"sv, false, 0, Measuring::kConvertToPng},
};

bool matches(const Signature& signature, const std::uint8_t* data, std::int32_t length) {
    const auto size = static_cast<std::int64_t>(signature.bytes.size());
    if (length <= signature.lengthAbove || signature.offset + size > length) return false;
    const auto* at = reinterpret_cast<const char*>(data + signature.offset);
    if (signature.anyCase) return compareNoCase(at, signature.bytes.data(), static_cast<std::int32_t>(size)) == 0;
    return std::string_view(at, static_cast<std::size_t>(size)) == signature.bytes;
}

void measure(Measuring measuring, std::uint8_t*& data, std::int32_t& length, PictureInfo& info) {
    switch (measuring) {
    case Measuring::kJpeg: measureJpeg(data, length, info); break;
    case Measuring::kConvertToPng: pictureToPng(data, length, info, 1); break;
    case Measuring::kPng: pictureToPng(data, length, info, 0); break;
    case Measuring::kWmf: measureWmf(data, length, info); break;
    case Measuring::kNone: break;
    }
}

}  // namespace

void detectPictureType(std::uint8_t*& data, std::int32_t& length, PictureInfo& info) {
    if (data == nullptr || length < 2) return;
    for (const Signature& signature : kSignatures) {
        if (!matches(signature, data, length)) continue;
        info.type = signature.type;
        measure(signature.measuring, data, length, info);
        return;
    }
}
