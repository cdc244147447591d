#pragma once
// The program's pseudo-random generator: the Marsaglia-Zaman universal generator (a lagged Fibonacci
// generator over 97 24-bit fractions combined with an arithmetic sequence), seeded from the local
// time. Its draws serve identifiers that must merely differ from those in use.
#include <cstdint>

#include "foundation/CBase.h"

class CRandom : public CBase {
public:
    // Seeds from the local time (year, hour and second).
    CRandom();
    // Seeds with the two seed values directly; out-of-range seeds fall back to 1802 and 9373.
    CRandom(std::int32_t ij, std::int32_t kl);

    virtual double uniform();
    virtual double gaussian(double mean, double deviation);
    virtual double uniformInRange(double lower, double upper);
    virtual std::int32_t integerInRange(std::int32_t lower, std::int32_t upper);

private:
    void seed(std::int32_t ij, std::int32_t kl);

    double table[97];
    double carry;
    double carryStep;
    double carryModulus;
    std::int16_t lagI;
    std::int16_t lagJ;
};

// A draw from lower to upper, both included, from the one shared generator made on first use.
std::int32_t randomInRange(std::int32_t lower, std::int32_t upper);
// Tests: replaces the shared generator by one seeded with the given values.
void seedSharedRandomForTesting(std::int32_t ij, std::int32_t kl);
