#pragma once
// One scripted document that uses every part of the RTF writer at once: two sections with their own
// page sizes, columns and headers, a footnote, a comment, a table with a table in one of its cells, a
// style sheet with based-on styles, a character style and a table style, a numbered and a bulleted list
// of three levels with a restarted numbering, and an information group with a non-ASCII title and
// author. Its golden file pins its bytes; the oracle test has LibreOffice read it back.
#include "tests/export/rtf/RTFFeatureDocuments.h"

namespace rtftest {

FeatureDocument wholeDocument();

}  // namespace rtftest
