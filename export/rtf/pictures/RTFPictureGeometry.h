#pragma once
// The sizes of an RTF picture group, worked out from a picture's three rectangles: the frame it is shown
// in, its natural size and the crop fractions.
//
// A frame that differs from the natural size scales the picture ("\picscalex", "\picscaley" in percent),
// or, where a whole percent would miss the frame, is written as the goal size itself, unscaled;
// with a crop set, the crop ("\piccrop*", twips cut from each side) is written and the scale is taken
// against the cropped size, left at 100 where the cropped size is within 20 twips of the frame. A frame
// equal to the natural size writes neither, whatever the crop holds.
//
// Every product is taken in 64 bits and every result clamped to 32 bits, so no rectangle read from a
// document can overflow, and no empty size is divided by.
#include <cstdint>

#include "export/rtf/pictures/RTFPictureKind.h"
#include "model/records/ValueRecords.h"

struct RTFPictureGeometry {
    bool scaled;
    std::int32_t scaleX;  // percent
    std::int32_t scaleY;
    bool cropped;
    std::int32_t cropTop;  // twips
    std::int32_t cropBottom;
    std::int32_t cropLeft;
    std::int32_t cropRight;
    std::int32_t width;  // "\picw": in the unit of the size rule
    std::int32_t height;
    std::int32_t goalWidth;  // "\picwgoal": the natural size in twips (or the frame, see above)
    std::int32_t goalHeight;
};

RTFPictureGeometry rtfPictureGeometry(const LongRect& frame, const LongRect& natural, const LongRect& crop,
                                      RTFPictureSize size);
