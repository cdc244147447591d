#pragma once
// The colours of a document: a light array of pointers to heap RGBColor records, 1-based, in the order in
// which colours were first registered, without repeats. The record writers register every colour the
// stored records use, so the table holds the document's whole palette. The table owns the records (blocks
// of the memory layer) and frees them when it is destroyed.
#include <cstdint>

#include "foundation/memory/CArray.h"
#include "model/records/ValueRecords.h"

class CColorArray : public CArray {
public:
    CColorArray();
    ~CColorArray() override;

    // The automatic colour is not stored: answers 1 at once. Otherwise the index of an equal colour, or a
    // heap copy appended and its index, the new count. Lacking memory raises CFail 12 in unit "BCommon".
    virtual std::int32_t add(const RGBColor& color);
    // The first index whose colour has the same three channels; -1 when none.
    virtual std::int32_t find(const RGBColor& color) const;
    // The colour at the index; null outside 1 to the count.
    const RGBColor* get(std::int32_t index) const;
};
