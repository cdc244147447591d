#pragma once
// A style's basedOn chain, gathered nearest first and given back farthest first, so that the styles are
// laid over a record root first and the nearest style's fields win. The chain stops at a style that
// names no further style, at an identifier that names no style, at the first style met twice (a basedOn
// cycle keeps the styles gathered before it comes round) and at the stack's capacity; none of these is
// a failure.
#include <array>
#include <cstdint>

struct TStyle;
class TStylesArray;

class TStyleStack {
public:
    static constexpr std::int16_t kCapacity = 119;

    // Gathers the chain of the identifier from the style sheet (which may be null: nothing is gathered).
    void gatherChain(const TStylesArray* styles, const char* styleId);
    // Adds the style; false (and nothing added) when it is held already or the stack is full.
    bool push(TStyle* style);
    // The last style pushed, taken off; null when the stack is empty.
    TStyle* pop();
    std::int16_t size() const { return count; }

private:
    bool holds(const TStyle* style) const;

    std::array<TStyle*, kCapacity + 1> entries{};
    std::int16_t count = 0;
};
