#pragma once
// The 256 colours of a document that has no colour table of its own.
#include <cstdint>

namespace appleworks {

// Colour i (0 to 255) as 0xRRGGBB; 0 outside the table.
std::uint32_t defaultColorRgb(std::int32_t index);

}  // namespace appleworks
