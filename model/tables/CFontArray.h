#pragma once
// The fonts of a document: a light array of pointers to heap XFont records, 1-based. A font is known by
// its `fontUniqueID`, a random id from 1 to 32767 that no other font of the table has, and looked up by
// its name `fontPCName` without regard to case; `numberFonts` gives each font its 0-based place as
// `fontRTFNumber`. The table owns the records (blocks of the memory layer) and frees them when it is
// destroyed.
#include <cstdint>

#include "foundation/memory/CArray.h"
#include "model/tables/XFont.h"

constexpr std::int16_t kMaxFontId = 32767;

class CFontArray : public CArray {
public:
    CFontArray();
    ~CFontArray() override;

    // The id of a stored font of the same name (case ignored), adding nothing. Otherwise appends a heap
    // copy of the record under a fresh random id and answers that id; the given record keeps its id.
    // Lacking memory raises CFail 12, and a table in which every id from 1 to 32767 is taken raises
    // CFail 22, both in unit "BCommon".
    virtual std::int16_t add(const XFont& font);
    // The id of the first font whose name equals the given one without regard to case; 0 when none.
    virtual std::int16_t findByName(const char* name) const;
    // The first font with this id; null when none.
    virtual XFont* findById(std::int16_t id) const;
    // Gives every font its 0-based place as fontRTFNumber and answers the number of fonts.
    virtual std::int32_t numberFonts();

    // The font at the index; null outside 1 to the count.
    XFont* get(std::int32_t index) const;

private:
    std::int16_t drawFreeId() const;
};
