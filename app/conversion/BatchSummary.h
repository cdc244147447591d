#pragma once
// The texts shown after a batch: the summary of what was converted, family by family, and the notice
// that names the converted-files folder when files could not be saved where they should have been.
#include <cstdint>
#include <string>

#include "engine/Preferences.h"

class CTranslator;

namespace uistring {
constexpr std::uint16_t kWordProcessingFamily = 10163;  // "Word Processing"
constexpr std::uint16_t kSpreadsheetFamily = 10164;     // "Spreadsheet"
}  // namespace uistring

// One family's sentence: how many of its files went to which format, and where they were saved.
// The format is the display name of the exporter the family's "Convert to" names (the name itself when
// the registry has no such exporter).
std::u16string familySummary(const FamilyPreferences& family, std::uint16_t familyNameId, std::int32_t count,
                             const CTranslator* exporters);
// The whole summary for wordCount word-processing and sheetCount spreadsheet results.
std::u16string batchSummary(const Preferences& preferences, std::int32_t wordCount, std::int32_t sheetCount,
                            const CTranslator* exporters);
// The notice for fallbackCount files saved in the converted-files folder instead of their destination.
std::u16string fallbackNotice(std::int32_t fallbackCount);
