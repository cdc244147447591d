#pragma once
// The colour scheme of a theme: one colour per scheme element (dk1, lt1, dk2, lt2, accent1 to accent6,
// hlink, folHlink), in document order. Channels are 16-bit; an 8-bit value v widens to v x 257.
#include <libxml/tree.h>

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/CBase.h"
#include "foundation/RGBColor.h"

class CThemeColors : public CBase {
public:
    CThemeColors() = default;
    ~CThemeColors() override = default;
    CThemeColors(const CThemeColors&) = delete;
    CThemeColors& operator=(const CThemeColors&) = delete;

    // Reads one scheme element: its last recognised colour child gives the colour, which starts black, so
    // a colour that names no value (a scheme colour, an unknown preset name, a bad hexadecimal text)
    // adds black. An element without a colour child adds nothing.
    virtual void readColorElement(const xmlNode* element);
    virtual void addColor(const char* name, RGBColor color);
    // The colour of a theme colour index: 0 and 1 are the light 1 and dark 1 colours (the scheme's
    // second and first), 2 and 3 light 2 and dark 2, then the scheme's order. Black when there is none.
    virtual RGBColor colorAt(std::int32_t index) const;

    std::int32_t count() const { return static_cast<std::int32_t>(colors.size()); }
    const char* nameAt(std::int32_t position) const;

private:
    struct NamedColor {
        RGBColor color;
        std::string name;
    };
    std::vector<NamedColor> colors;
};
