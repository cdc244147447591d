#pragma once
// Text dumps of the run records, for inspection by a developer: a header line with the record's position
// and change mask, then one "name=value" line (or an indented block) for each field whose change bit is
// set, in a fixed order. Fields that the dumps never show: the character record's txtCode, txtBidi,
// txtFill and cellStyle and most of its form-field data; the paragraph record's list level; the section
// record's header and footer references.
//
// Each dump appends its lines to a file open for writing; every line ends with CR LF. Nothing reads the
// dumps back and a failed write is not reported. Counts inside the records (tab stops, cells, grid
// columns) are taken within their arrays' capacities, and fixed-size texts are shown only up to their
// size, so a damaged record still dumps without reading past itself.
#include "foundation/files/CFile.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/records/section/XPage.h"

void dumpXForm(const XForm& form, CFile& file);
void dumpXRule(const XRule& rule, CFile& file);
void dumpXPage(const XPage& page, CFile& file);
