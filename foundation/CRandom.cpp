#include "foundation/CRandom.h"

#include <cmath>
#include <new>

#include "foundation/CFail.h"
#include "foundation/Clock.h"
#include "foundation/memory/Memory.h"

namespace {

constexpr const char* kUnit = "BRandom";
constexpr std::int32_t kFallbackIJ = 1802;
constexpr std::int32_t kFallbackKL = 9373;

CRandom* sharedInstance = nullptr;

}  // namespace

CRandom::CRandom() {
    // Only the year, the hour and the second enter the seed, computed in 16 bits.
    const std::tm* now = currentLocalTime();
    const auto ij = static_cast<std::int16_t>(now->tm_year + now->tm_sec);
    const auto kl = static_cast<std::int16_t>(now->tm_year * now->tm_hour);
    seed(ij, kl);
}

CRandom::CRandom(std::int32_t ij, std::int32_t kl) {
    seed(ij, kl);
}

void CRandom::seed(std::int32_t ij, std::int32_t kl) {
    if (ij < 0 || ij > 31328 || kl < 0 || kl > 30081) {
        ij = kFallbackIJ;
        kl = kFallbackKL;
    }
    std::int32_t i = (ij / 177) % 177 + 2;
    std::int32_t j = ij % 177 + 2;
    std::int32_t k = (kl / 169) % 178 + 1;
    std::int32_t l = kl % 169;
    for (double& entry : table) {
        double s = 0.0;
        double t = 0.5;
        for (int bit = 0; bit < 24; ++bit) {
            const std::int32_t m = ((i * j) % 179 * k) % 179;
            i = j;
            j = k;
            k = m;
            l = (53 * l + 1) % 169;
            if ((l * m) % 64 >= 32) s += t;
            t *= 0.5;
        }
        entry = s;
    }
    carry = 362436.0 / 16777216.0;
    carryStep = 7654321.0 / 16777216.0;
    carryModulus = 16777213.0 / 16777216.0;
    lagI = 97;
    lagJ = 33;
}

double CRandom::uniform() {
    // The algorithm numbers its table 1 to 97.
    double uni = table[lagI - 1] - table[lagJ - 1];
    if (uni <= 0.0) uni += 1.0;
    table[lagI - 1] = uni;
    if (--lagI == 0) lagI = 97;
    if (--lagJ == 0) lagJ = 97;
    carry -= carryStep;
    if (carry < 0.0) carry += carryModulus;
    uni -= carry;
    if (uni < 0.0) uni += 1.0;
    return uni;
}

double CRandom::gaussian(double mean, double deviation) {
    // Leva's ratio-of-uniforms method.
    for (;;) {
        double u = uniform();
        double v = uniform();
        if (u <= 0.0 || v <= 0.0) {
            u = 1.0;
            v = 1.0;
        }
        v = 1.7156 * (v - 0.5);
        const double x = u - 0.449871;
        const double y = std::fabs(v) + 0.386595;
        const double q = x * x + y * (0.196 * y - 0.25472 * x);
        if (q < 0.27597) return mean + deviation * v / u;
        if (q > 0.27846) continue;
        if (v * v > -4.0 * std::log(u) * u * u) continue;
        return mean + deviation * v / u;
    }
}

double CRandom::uniformInRange(double lower, double upper) {
    return lower + uniform() * (upper - lower);
}

std::int32_t CRandom::integerInRange(std::int32_t lower, std::int32_t upper) {
    const std::int64_t span = static_cast<std::int64_t>(upper) - lower + 1;
    return static_cast<std::int32_t>(lower + static_cast<std::int64_t>(uniform() * static_cast<double>(span)));
}

std::int32_t randomInRange(std::int32_t lower, std::int32_t upper) {
    if (!sharedInstance) {
        sharedInstance = new (std::nothrow) CRandom;
        throwIfNull(sharedInstance, __LINE__, kUnit);
    }
    return sharedInstance->integerInRange(lower, upper);
}

void seedSharedRandomForTesting(std::int32_t ij, std::int32_t kl) {
    auto* seeded = new (std::nothrow) CRandom(ij, kl);
    throwIfNull(seeded, __LINE__, kUnit);
    disposeObject(sharedInstance);
    sharedInstance = seeded;
}
