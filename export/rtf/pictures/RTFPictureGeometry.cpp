#include "export/rtf/pictures/RTFPictureGeometry.h"

#include <cstdlib>
#include <limits>

namespace {

// Fractions of the crop rectangle are in units of 1/65536.
constexpr int kFractionBits = 16;
// A cropped size this close to the frame (twips) is shown unscaled.
constexpr std::int64_t kScaleTolerance = 20;
constexpr std::int64_t kTwipsPerPoint = 20;

std::int32_t clamped(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::int64_t widthOf(const LongRect& r) {
    return std::int64_t{r.right} - r.left;
}

std::int64_t heightOf(const LongRect& r) {
    return std::int64_t{r.bottom} - r.top;
}

bool sameRect(const LongRect& a, const LongRect& b) {
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

bool emptyRect(const LongRect& r) {
    return r.top == 0 && r.left == 0 && r.bottom == 0 && r.right == 0;
}

// The part of a natural size that a crop fraction cuts away (an arithmetic shift, as the fraction is
// signed). The size is clamped to 32 bits first, so the product fits in 64.
std::int32_t cropPart(std::int64_t naturalSize, std::int32_t fraction) {
    return clamped((std::int64_t{clamped(naturalSize)} * fraction) >> kFractionBits);
}

// The scale of one side against its cropped size: 100 within the tolerance, none (false) for an empty
// cropped size.
bool croppedScale(std::int64_t frameSize, std::int64_t croppedSize, std::int32_t& scale) {
    if (std::llabs(croppedSize - frameSize) < kScaleTolerance) return false;
    if (croppedSize == 0) return false;
    scale = clamped(frameSize * 100 / croppedSize);
    return true;
}

// Answers true when the frame itself must be the goal size: a whole percent cannot state a frame of
// 9360 twips over a natural 9700 (96.5%), and a scale cut to 96 would show the picture 48 twips short.
// The picture then goes out unscaled at the frame's size, which readers show exactly.
bool scaleAndCrop(RTFPictureGeometry& g, const LongRect& frame, const LongRect& natural, const LongRect& crop) {
    const std::int64_t w = widthOf(frame);
    const std::int64_t h = heightOf(frame);
    const std::int64_t ow = widthOf(natural);
    const std::int64_t oh = heightOf(natural);
    if (emptyRect(crop)) {
        if (ow == 0 || oh == 0) return false;
        if ((w * 100) % ow != 0 || (h * 100) % oh != 0) return true;
        g.scaleX = clamped(w * 100 / ow);
        g.scaleY = clamped(h * 100 / oh);
        g.scaled = true;
        return false;
    }
    g.cropped = true;
    g.cropLeft = cropPart(ow, crop.left);
    g.cropRight = cropPart(ow, crop.right);
    g.cropTop = cropPart(oh, crop.top);
    g.cropBottom = cropPart(oh, crop.bottom);
    const bool scaledX = croppedScale(w, ow - g.cropLeft - g.cropRight, g.scaleX);
    const bool scaledY = croppedScale(h, oh - g.cropTop - g.cropBottom, g.scaleY);
    g.scaled = scaledX || scaledY;
    return false;
}

}  // namespace

RTFPictureGeometry rtfPictureGeometry(const LongRect& frame, const LongRect& natural, const LongRect& crop,
                                      RTFPictureSize size) {
    RTFPictureGeometry g{};
    g.scaleX = g.scaleY = 100;
    const bool frameAsGoal = !sameRect(frame, natural) && scaleAndCrop(g, frame, natural, crop);
    if (size == RTFPictureSize::framePoints) {
        g.width = clamped(widthOf(frame) / kTwipsPerPoint);
        g.height = clamped(heightOf(frame) / kTwipsPerPoint);
    } else {
        g.width = clamped(widthOf(natural) * 635 / 360);
        g.height = clamped(heightOf(natural) * 635 / 360);
    }
    const LongRect& goal = frameAsGoal ? frame : natural;
    g.goalWidth = clamped(widthOf(goal));
    g.goalHeight = clamped(heightOf(goal));
    return g;
}
