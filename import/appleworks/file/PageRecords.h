#pragma once
// The pages of a text zone as they were laid out when the file was saved. The zone data keeps one 30-byte
// record per page (count: the i16 at offset 0 of the zone data), the first at offset 54; a page record
// begins with the text position at which its page starts (0 for the first page), followed by the width
// and height of the page's text area and the lines it holds. Page-anchored frames find the text position
// of their page here.
#include <cstdint>

#include "import/appleworks/file/BlockTable.h"
#include "import/appleworks/file/ZoneReader.h"

namespace appleworks {

// The page records that the zone data both claims and holds; 0 for a zone without them.
std::int32_t pageRecordCount(const BlockView& textZone);

// The text position at which a page (0-based) starts; a page past the records answers the last page's,
// a negative page the first page's, and a zone without page records 0.
std::int32_t pageStartPosition(const BlockView& textZone, std::int32_t page);

}  // namespace appleworks
