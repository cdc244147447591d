#pragma once
// The document theme: the major and minor theme fonts and the theme colours of an Office document.
// A parameter block owns one; the font table resolves the theme-font aliases ("minorHAnsi" and the
// others) through it.
//
// This build's theme holds no fonts yet: until the theme part of a package is read, every code answers
// no typeface, and callers fall back as they do for a theme without that font.
#include <cstdint>

#include "foundation/CBase.h"

class CTheme : public CBase {
public:
    CTheme() = default;
    ~CTheme() override = default;
    CTheme(const CTheme&) = delete;
    CTheme& operator=(const CTheme&) = delete;

    // The typeface of a theme-font code (-99 to -92: major latin, latin, complex script, east Asian,
    // then the same four of the minor scheme), owned by the theme; null for any other code or when the
    // theme has no such typeface.
    virtual const char* themeFontName(std::int16_t code) const;
};
