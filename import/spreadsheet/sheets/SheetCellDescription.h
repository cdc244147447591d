#pragma once
// A cell as the importer reads it, written out as one text: its position, row style, "s" and "t", its
// value, its inline text and each run with its properties' tree. Two passes over a part that give the
// same cells give the same texts, so the fast pass is held to the parser's by comparing them.
#include <string>

#include "import/spreadsheet/sheets/WorksheetReader.h"

std::string describeSheetCell(const SheetCell& cell);
