#pragma once
// The revision authors of a document: a light array of pointers to heap copies of 8-bit names, 1-based.
// Revision marks name their author by index, so an author keeps its index for the table's life. The
// table owns the names (blocks of the memory layer) and frees them when it is destroyed; a name read back
// from a storage may be null.
#include <cstdint>

#include "foundation/CArray.h"

class CAuthorArray : public CArray {
public:
    CAuthorArray();
    ~CAuthorArray() override;

    // The index of an equal name (same length and bytes; case counts); otherwise appends a heap copy of
    // the name and answers its index, the new count. A null name is not stored: -1.
    // Lacking memory raises CFail 12 in unit "BCommon".
    virtual std::int32_t add(const char* name);
    // The first index whose name equals the given one byte for byte; -1 when none.
    virtual std::int32_t find(const char* name) const;
    // The name at the index; null outside 1 to the count.
    virtual const char* get(std::int16_t index) const;
};
