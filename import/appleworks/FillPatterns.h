#pragma once
// The fill patterns of an AppleWorks document as the storage shows them. Codes 1 to 64 are the standard
// palette (1 is no pattern, 2 solid); codes from 65 name the document's own patterns (pattern list entry
// code - 65). A shading value is what a ShadingSpec's patternType carries: 0 none, 2 to 13 a hatching,
// and 20 + the coverage in tenths of a percent for a plain tint (1020 is solid).
#include <cstdint>

#include "import/appleworks/AppleWorksDocument.h"

namespace appleworks {

constexpr std::int16_t kNoPattern = 1;
constexpr std::int16_t kSolidPattern = 2;
constexpr std::int32_t kDocumentPatternBase = 65;

// The shading value of a fill pattern; dark gives the value that reads on a dark fill colour. A code
// outside the palette and the document's own patterns answers 0.
std::int32_t patternShading(const AppleWorksDocument& document, std::int32_t pattern, bool dark);

// The storage's line style for a rule drawn with a pattern: none for no pattern, a single line for
// solid and dense patterns (and the document's own), dashes for hatchings, dots for light tints.
std::int16_t patternLineStyle(std::int32_t pattern);

}  // namespace appleworks
