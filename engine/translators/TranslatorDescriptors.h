#pragma once
// The descriptors of the program's ten translators, in table order: detection walks the importers from
// index 0, and the preferences name exporters by these names. The tables that bind them to factories
// are put together with the program.
#include "engine/translators/TranslatorDescriptor.h"

namespace importer {
constexpr int kAppleWorks5 = 0;
constexpr int kAppleWorks6 = 1;
constexpr int kEncryptedDocument = 2;
constexpr int kWord2003 = 3;
constexpr int kWord2007 = 4;
constexpr int kExcel2007 = 5;
constexpr int kCount = 6;
}  // namespace importer

namespace exporter {
constexpr int kCSV = 0;
constexpr int kRTF = 1;
constexpr int kText = 2;
constexpr int kUnicode = 3;
constexpr int kCount = 4;
}  // namespace exporter

// Document-kind codes.
namespace documentkind {
constexpr std::int16_t kSpreadsheet = 5;
constexpr std::int16_t kPlainText = 8;
constexpr std::int16_t kEncryptedOffice = 20;
constexpr std::int16_t kUnicodeText = 23;
constexpr std::int16_t kWordProcessing = 24;
constexpr std::int16_t kAppleWorks = 2;
constexpr std::int16_t kCommaSeparated = 0;
}  // namespace documentkind

// Mutable: detection keeps each descriptor's `matched` flag.
extern TranslatorDescriptor importerDescriptors[importer::kCount];
extern TranslatorDescriptor exporterDescriptors[exporter::kCount];
