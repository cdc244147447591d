#pragma once
// Comparators of LArray items. The base orders items byte by byte; LLongComparator orders signed
// 32-bit items. The shared instances are made on first use and never owned by an array.
#include <cstdint>

#include "foundation/CBase.h"

class LComparator : public CBase {
public:
    ~LComparator() override;
    virtual std::int32_t compare(const void* item1, const void* item2, std::int32_t size1, std::int32_t size2) const;
    virtual bool isEqual(const void* item1, const void* item2, std::int32_t size1, std::int32_t size2) const;
    // The base class knows no keys: every key compares as 1.
    virtual std::int32_t compareToKey(const void* item, std::int32_t size, const void* key) const;
    virtual bool isEqualToKey(const void* item, std::int32_t size, const void* key) const;
    // Null when memory runs out.
    virtual LComparator* clone() const;
};

class LLongComparator : public LComparator {
public:
    ~LLongComparator() override;
    std::int32_t compare(const void* item1, const void* item2, std::int32_t size1, std::int32_t size2) const override;
    bool isEqual(const void* item1, const void* item2, std::int32_t size1, std::int32_t size2) const override;
    LComparator* clone() const override;
};

// Over the smaller size the first differing bytes decide (unsigned); otherwise size1 - size2.
std::int32_t compareBytes(const void* item1, const void* item2, std::int32_t size1, std::int32_t size2);

LComparator* sharedComparator();
LComparator* sharedLongComparator();
