#pragma once
// The numbers by which the RTF body refers to a run's font and character set.
#include <cstdint>

struct XParamBlock;

// The fontRTFNumber of the font with this id in the document's font table; for an id the table does not
// hold, the language services' fallback font number for the language (0 when no tables are loaded).
std::int16_t rtfFontNumber(std::int16_t language, std::int16_t fontId, const XParamBlock& block);
// The RTF character set of a Windows language id; 0 for a language without one of its own.
std::int16_t rtfCharsetForLanguage(std::int16_t language);
