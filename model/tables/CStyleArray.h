#pragma once
// The styles of a document: a light array of pointers to heap XStyle records (newXStyle), 1-based, in the
// order the importer made them. The table takes over every style handed to it and releases each with its
// sub-styles when it is destroyed.
#include <cstdint>

#include "foundation/memory/CArray.h"
#include "model/tables/XStyle.h"

class CStyleArray : public CArray {
public:
    CStyleArray();
    ~CStyleArray() override;

    // Appends the style; the table owns it from then on, also when appending fails (it is then released
    // before the failure goes on). A null style raises CFail 22 in unit "BCommon".
    virtual void add(XStyle* style);
    // The style at the index; null outside 1 to the count.
    XStyle* get(std::int32_t index) const;
};
