#pragma once
// The three settings the export engine reads for every job: a scale in percent, a flag byte and a
// mask of the story kinds written. Each job starts from the defaults.
#include <cstdint>

struct ExportSettings {
    std::int16_t scalePercent;
    std::uint8_t flags;
    std::int16_t storyKindMask;  // one bit per story kind
};

extern ExportSettings gExportSettings;

// Puts the defaults back (100 %, flags 0x07, every story kind) and reads "Vostrandimeko.bar" from the
// program's folder. Its content changes nothing; a missing or unreadable file is passed over.
void readBarFile();
