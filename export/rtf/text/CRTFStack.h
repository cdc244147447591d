#pragma once
// The embedding states that the bidirectional embedding controls save and restore while a right-to-left
// run is cut (a push at each embedding or override, a pop at each "pop directional formatting").
//
// The stack holds kCapacity states. Pushes beyond that are counted, not stored, and the pops that match
// them answer the deepest state kept, so foreign text with endless embeddings never overruns the stack
// and its pops still pair with its pushes.
#include <cstdint>

#include "foundation/CBase.h"

class CRTFStack : public CBase {
public:
    static constexpr std::int16_t kCapacity = 2048;

    void push(std::int16_t state);
    // The state saved last; 0 when nothing is saved.
    std::int16_t pop();
    std::int16_t depth() const { return top; }

private:
    std::int16_t top = 0;
    std::int32_t overflow = 0;  // pushes that found the stack full
    std::int16_t entries[kCapacity] = {};
};
