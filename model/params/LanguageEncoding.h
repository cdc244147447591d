#pragma once
// The text encoding (Apple text-encoding number) that goes with a Windows language id; the export
// engine applies it to the language of the runs it delivers.
#include <cstdint>

// The id is taken as a signed 16-bit value; an id without an encoding of its own gives 1280 (Windows
// Latin 1).
std::uint32_t languageEncoding(std::int32_t languageId);
