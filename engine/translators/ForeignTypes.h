#pragma once
// Why a file that no importer recognised cannot be converted, told by its extension: the old Word
// format, a disk image, an application, a PDF and so on.
#include "foundation/text/PascalWString.h"

// The explanation for the file's extension (the text after its last '.', compared ignoring case) as
// 8-bit text in a buffer the next call overwrites, or null when the extension is not a known one.
const char* foreignTypeText(const PascalWString& fileName);
