#pragma once
// One relationship of a package part: an id, a target and whether the target is a part of the package.
#include <cstdint>

#include "foundation/CBase.h"

class CRelationship : public CBase {
public:
    static constexpr std::int16_t kExternal = 0;  // outside the package, as a web address
    static constexpr std::int16_t kInternal = 1;  // a part of the package

    // Takes heap copies of id and target; a copy that cannot be made raises CFail 12.
    CRelationship(const char* id, const char* target, std::int16_t mode);
    ~CRelationship() override;
    CRelationship(const CRelationship&) = delete;
    CRelationship& operator=(const CRelationship&) = delete;

    char* id;
    char* target;
    std::int16_t mode;
};
