#pragma once
// Output file names. The name of an output is the input's name (or a sheet's name, or the date) cut at
// its last '.', then, with unique naming, the smallest number that makes it free, then the exporter's
// suffix: "Report.docx" gives "Report.rtf", or "Report2.rtf" when Report.rtf and Report1.rtf exist.
//
// Every name is kept within what a file system takes: at most 255 bytes in UTF-8 and 254 units. A name
// that would be longer is shortened at the end of its base, never inside a character, so the number
// and the suffix stay whole.
#include <cstdint>
#include <functional>

#include "foundation/text/PascalWString.h"

struct TranslatorDescriptor;

constexpr std::int32_t kMaxFileNameBytes = 255;
// The date name's UI string: year, month, day, hours, minutes, seconds ("2026-12-09-102949").
constexpr std::uint16_t kDateNameString = 10003;

// Whether a candidate name is already taken in the folder.
using NameTaken = std::function<bool(const PascalWString& name, const PascalWString& folder)>;

// True when a file or folder of that name stands in the folder.
bool nameExistsOnDisk(const PascalWString& name, const PascalWString& folder);

// Rewrites name into the output name for the exporter's descriptor. With dateNames the base is the
// current local time instead of the name. With unique the plain name is tried first, then the base
// followed by 1, 2, ... until isTaken says no.
void makeOutputName(const TranslatorDescriptor& descriptor, PascalWString& name, const PascalWString& folder,
                    bool unique, bool dateNames, const NameTaken& isTaken);

// A sheet's stored name (UTF-8, may be empty) made safe to become part of a file name: every '/' and
// every ".." removed; what is then empty (or only ".") becomes "Sheet<n>" with n = sheetIndex + 1.
PascalWString safeSheetName(const char* storedName, std::int32_t sheetIndex);
