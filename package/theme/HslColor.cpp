#include "package/theme/HslColor.h"

namespace {

std::int16_t channel(double value) {
    const double scaled = value * 255.0;
    if (!(scaled > 0.0)) return 0;
    return scaled >= 255.0 ? 255 : static_cast<std::int16_t>(scaled);
}

}  // namespace

RGB8Color hslToColor(double hue, double saturation, double lightness) {
    double r = lightness;
    double g = lightness;
    double b = lightness;
    const double v = lightness <= 0.5 ? lightness * (1.0 + saturation) : lightness + saturation - lightness * saturation;
    if (v > 0.0) {
        const double m = 2.0 * lightness - v;
        const double sv = (v - m) / v;
        const double x = hue * 6.0;
        // Far out-of-range hues are not brought into int: they fall outside the six sextants anyway.
        const int sextant = x > -1.0 && x < 7.0 ? static_cast<int>(x) : -1;
        const double fraction = x - sextant;
        const double vsf = v * sv * fraction;
        const double mid1 = m + vsf;
        const double mid2 = v - vsf;
        switch (sextant) {
            case 0: r = v; g = mid1; b = m; break;
            case 1: r = mid2; g = v; b = m; break;
            case 2: r = m; g = v; b = mid1; break;
            case 3: r = m; g = mid2; b = v; break;
            case 4: r = mid1; g = m; b = v; break;
            case 5: r = v; g = m; b = mid2; break;
            default: break;
        }
    }
    return RGB8Color{channel(r), channel(g), channel(b)};
}
