#pragma once

// The root of every class with virtual operations: deleting through a CBase pointer runs the whole
// destructor chain.
class CBase {
public:
    CBase() = default;
    CBase(const CBase&) = default;
    CBase& operator=(const CBase&) = default;
    virtual ~CBase() = default;
};
