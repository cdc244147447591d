#include "export/rtf/layout/RTFFrameWriter.h"

#include "export/rtf/CRTFFile.h"

namespace {

// The word of a non-zero code from a list of words for 1, 2, 3...; `other` past the end.
template <std::size_t N>
const char* wordOf(std::int16_t code, const char* const (&words)[N], const char* other) {
    if (code < 1 || code > static_cast<std::int16_t>(N)) return other;
    return words[code - 1];
}

constexpr const char* kHorizontalReference[] = {"phmrg", "phpg", "phcol"};
constexpr const char* kHorizontalPlace[] = {"posxc", "posxi", "posxo", "posxr", "posxl"};
constexpr const char* kVerticalReference[] = {"pvmrg", "pvpg", "pvpara"};
constexpr const char* kVerticalPlace[] = {"posyil", "posyt", "posyin", "posyb", "posyc", "posyout"};

void writeDistance(CRTFFile& out, std::int16_t distance, const char* word, const char* negativeWord) {
    if (distance > 0) out.writeFormat("\\%s%d", word, distance);
    if (distance < 0) out.writeFormat("\\%s%d", negativeWord, -distance);
}

void writeNonZero(CRTFFile& out, const char* word, std::int16_t value) {
    if (value != 0) out.writeFormat("\\%s%d", word, value);
}

}  // namespace

void writeRTFFrame(CRTFFile& out, const XFrame& frame) {
    writeNonZero(out, "absw", frame.width);
    writeNonZero(out, "absh", frame.height);
    // A drop cap stands beside the first lines of its own paragraph: placed vertically by anything else
    // than that paragraph, or horizontally by nothing, readers put it above its line.
    const bool dropCap = frame.dropcapType != 0;
    if (frame.horizPosFrameReference != 0) {
        out.writeFormat("\\%s", wordOf(frame.horizPosFrameReference, kHorizontalReference, "phcol"));
    } else if (dropCap) {
        out.writeFormat("\\phcol");
    }
    writeDistance(out, frame.horizPosDistance, "posx", "posnegx");
    if (frame.horizPosTypeWithinFrame != 0)
        out.writeFormat("\\%s", wordOf(frame.horizPosTypeWithinFrame, kHorizontalPlace, "posxl"));
    if (dropCap) {
        out.writeFormat("\\pvpara");
    } else if (frame.vertPosFrameReference != 0) {
        out.writeFormat("\\%s", wordOf(frame.vertPosFrameReference, kVerticalReference, "pvmrg"));
    }
    writeDistance(out, frame.vertPosDistance, "posy", "posnegy");
    if (frame.vertPosTypeWithinFrame != 0)
        out.writeFormat("\\%s", wordOf(frame.vertPosTypeWithinFrame, kVerticalPlace, "posyil"));
    if (frame.txtWrapType == 1) out.writeFormat("\\nowrap");
    writeNonZero(out, "dxfrtext", frame.txtdistanceFromMainText);
    writeNonZero(out, "dfrmtxtx", frame.txthorizDistanceFromFrame);
    writeNonZero(out, "dfrmtxty", frame.txtvertDistanceFromFrame);
    if (frame.txtoverlay == 1) out.writeFormat("\\overlay");
    if (frame.txtPositionVertical == 1) out.writeFormat("\\posyin");
    if (frame.txtPositionVertical == 2) out.writeFormat("\\posyout");
    if (dropCap) {
        out.writeFormat("\\dropcapt%d", frame.dropcapType == 2 ? 2 : 1);
        if (frame.dropcapLines >= 1 && frame.dropcapLines <= 10) out.writeFormat("\\dropcapli%d", frame.dropcapLines);
    }
    if (frame.anchorLock != 0) out.writeFormat("\\abslock");
}
