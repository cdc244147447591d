#pragma once
// One relationship of a package part: an id, a target, whether the target is a part of the package, and
// the relationship's type (a URI naming what the target is to its source, such as its styles).
#include <cstdint>

#include "foundation/CBase.h"

class CRelationship : public CBase {
public:
    static constexpr std::int16_t kExternal = 0;  // outside the package, as a web address
    static constexpr std::int16_t kInternal = 1;  // a part of the package

    // Takes heap copies of id, target and type (an empty type when none is given); a copy that cannot
    // be made raises CFail 12.
    CRelationship(const char* id, const char* target, std::int16_t mode, const char* type = nullptr);
    ~CRelationship() override;
    CRelationship(const CRelationship&) = delete;
    CRelationship& operator=(const CRelationship&) = delete;

    char* id;
    char* target;
    std::int16_t mode;
    char* type;
};
