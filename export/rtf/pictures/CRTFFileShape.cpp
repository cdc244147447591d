// A drawing shape: the RTF shape text made when the document was imported, copied with the picture
// group put right after the shape's picture property and each text box's text put where the shape text
// marks it ("UUTT8SS", the graphic story's name, "VV9WW").
//
// The text goes out in lines: after more than 128 bytes the next blank ends the line. A stretch without
// blanks is written in pieces of at most kLineRoom bytes, so no shape text can outgrow the line. A marker
// without its end is not a marker: its bytes are written as text.
#include <string>
#include <string_view>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/RTFStoryPlacer.h"
#include "foundation/FailureCode.h"
#include "model/CPicture.h"
#include "picture/shapes/ShapeText.h"

namespace {

constexpr const char* kUnit = "BL_RTF(exp)";
constexpr std::string_view kMarkerStart = kTextBoxMarkerStart;
constexpr std::string_view kMarkerEnd = kTextBoxMarkerEnd;
// The picture property openings the picture group may follow, in the order they are looked for.
constexpr std::string_view kPictureOpenings[] = {
    "{\\sp{\\sn pib}{\\sv ",
    "{\\sp{\\sn fillBlip}{\\sv ",
    "{\\sp{\\sn lineFillBlip}{\\sv ",
};
constexpr std::size_t kLineBreakAfter = 128;
constexpr std::size_t kLineRoom = 32768;

std::string_view shapeTextOf(const CPicture& picture) {
    const std::uint8_t* data = picture.getRtfData();
    const std::int32_t length = picture.getRtfLength();
    if (data == nullptr || length <= 0) return {};
    return {reinterpret_cast<const char*>(data), static_cast<std::size_t>(length)};
}

// Where the picture group goes: right after the first picture property opening found, or npos.
std::size_t pictureInsertion(const CPicture& picture, std::string_view text) {
    if (picture.getPicLength() <= 0) return std::string_view::npos;
    for (std::string_view opening : kPictureOpenings) {
        const std::size_t at = text.find(opening);
        if (at != std::string_view::npos) return at + opening.size();
    }
    return std::string_view::npos;
}

// The next text-box marker at or after `from` that has its end, or npos.
std::size_t nextMarker(std::string_view text, std::size_t from) {
    const std::size_t at = text.find(kMarkerStart, from);
    if (at == std::string_view::npos) return at;
    if (text.find(kMarkerEnd, at + kMarkerStart.size()) == std::string_view::npos) return std::string_view::npos;
    return at;
}

// The shape text on its way out: a line ends at a blank after more than kLineBreakAfter bytes, and a
// stretch without blanks goes out in pieces of kLineRoom bytes.
class ShapeTextLine {
public:
    explicit ShapeTextLine(CRTFFile& emitter) : emitter(emitter) {
        raisingOutOfMemory(__LINE__, kUnit, [&] { bytes.reserve(kLineRoom + 2); });
    }
    void append(char byte) {
        bytes.push_back(byte);
        if (bytes.size() > kLineBreakAfter && byte == ' ') {
            bytes += "\r\n";
            flush();
        } else if (bytes.size() >= kLineRoom) {
            flush();
        }
    }
    void flush() {
        emitter.writeBytes(bytes.data(), static_cast<std::int32_t>(bytes.size()));
        bytes.clear();
    }

private:
    CRTFFile& emitter;
    std::string bytes;
};

}  // namespace

void CRTFFile::writeShape(const CPicture* picture) {
    if (picture == nullptr) return;
    const std::string_view text = shapeTextOf(*picture);
    std::size_t insertAt = pictureInsertion(*picture, text);
    std::size_t markerAt = nextMarker(text, 0);
    ShapeTextLine line(*this);
    std::size_t i = 0;
    while (i < text.size()) {
        if (i == insertAt) {
            line.flush();
            writePict(picture, picture->getType());
            insertAt = std::string_view::npos;
        }
        if (i == markerAt) {
            line.flush();
            const auto after = static_cast<std::size_t>(expandGraphicMarker(text, static_cast<std::int32_t>(i)));
            markerAt = nextMarker(text, after > i ? after : i + 1);
            if (after > i) {
                i = after;
                continue;
            }
        }
        line.append(text[i++]);
    }
    line.flush();
    // An opening at the very end of the text still gets its picture.
    if (insertAt == text.size()) writePict(picture, picture->getType());
}

std::int32_t CRTFFile::expandGraphicMarker(std::string_view text, std::int32_t position) {
    if (position < 0 || static_cast<std::size_t>(position) >= text.size()) return position;
    const auto start = static_cast<std::size_t>(position);
    if (text.substr(start, kMarkerStart.size()) != kMarkerStart) return position;
    const std::size_t nameAt = start + kMarkerStart.size();
    const std::size_t endAt = text.find(kMarkerEnd, nameAt);
    if (endAt == std::string_view::npos) return position;
    std::string name;
    raisingOutOfMemory(__LINE__, kUnit, [&] { name.assign(text.substr(nameAt, endAt - nameAt)); });
    if (placer != nullptr) {
        // The text box's paragraphs are its own: the paragraph around the shape keeps its list state.
        const std::int16_t outerListTextDue = listTextDue;
        listTextDue = 1;
        placer->writeGraphic(name.c_str());
        listTextDue = outerListTextDue;
    }
    return static_cast<std::int32_t>(endAt + kMarkerEnd.size());
}
