#pragma once
// The revision authors of a document: a light array of pointers to heap copies of 8-bit names, 1-based.
// Revision marks name their author by index, so an author keeps its index for the table's life. The
// table owns the names (blocks of the memory layer) and frees them when it is destroyed; a name read back
// from a storage may be null. An author may also have the initials it signs comments with: they belong
// to the author, so the first initials found for an author are the ones it keeps.
#include <cstdint>

#include "foundation/memory/CArray.h"

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
    // Gives the author at the index a heap copy of its initials, unless it has some already; an index
    // outside 1 to the count, or null or empty initials, change nothing.
    // Lacking memory raises CFail 12 in unit "BCommon".
    virtual void setInitials(std::int32_t index, const char* initials);
    // The initials of the author at the index; null when it has none or the index is outside the table.
    virtual const char* initials(std::int16_t index) const;

private:
    // Owned copies in the authors' places; a null slot for an author without initials.
    CArray initialsByAuthor;
};
