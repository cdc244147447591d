#pragma once
// The document theme: the major and minor theme fonts and the theme colours of an Office document,
// read from the root element of the package's theme part (a:theme). A parameter block owns one; the
// font table resolves the theme-font aliases ("minorHAnsi" and the others) through fontName, and
// theme colour indexes are resolved through colorAt.
//
//   a:theme
//     a:themeElements
//       a:clrScheme   dk1 lt1 dk2 lt2 accent1..accent6 hlink folHlink, each holding one colour element
//       a:fontScheme  a:majorFont, a:minorFont (a:latin, a:ea, a:cs, a:font script= typeface=)
//       a:fmtScheme   (not read)
//
// The theme does not travel through the intermediate storage: the export side works with an empty one.
#include <libxml/tree.h>

#include <cstdint>
#include <memory>

#include "foundation/CBase.h"
#include "package/theme/CThemeColors.h"
#include "package/theme/CThemeFonts.h"

// Theme font codes that a font field may hold instead of a font index.
namespace themefont {
constexpr std::int16_t kMajorAscii = -99;
constexpr std::int16_t kMajorHAnsi = -98;
constexpr std::int16_t kMajorBidi = -97;
constexpr std::int16_t kMajorEastAsia = -96;
constexpr std::int16_t kMinorAscii = -95;
constexpr std::int16_t kMinorHAnsi = -94;
constexpr std::int16_t kMinorBidi = -93;
constexpr std::int16_t kMinorEastAsia = -92;
}  // namespace themefont

class CTheme : public CBase {
public:
    CTheme();
    ~CTheme() override;
    CTheme(const CTheme&) = delete;
    CTheme& operator=(const CTheme&) = delete;

    // Reads the theme part's root element with the document's Latin, East Asian and complex-script
    // language ids, which choose the fallback typefaces (through scriptOf: the language tables unless a
    // caller gives its own). A null root, unknown elements and bad values are skipped; answers 0. Raises
    // CFail 12 (unit "BTheme") for lack of memory.
    virtual std::int32_t parse(const xmlNode* root, std::uint32_t latinLanguage, std::uint32_t eastAsianLanguage,
                               std::uint32_t complexScriptLanguage, ScriptOfLanguage scriptOf = nullptr);
    virtual std::int32_t readFontScheme(const xmlNode* fontScheme, const ThemeLanguages& languages);
    virtual std::int32_t readColorScheme(const xmlNode* colorScheme);
    // The typeface of a theme font code (-99 to -92), owned by the theme; null for any other code or when
    // the theme has no such typeface.
    virtual const char* fontName(std::int16_t code) const;
    virtual RGBColor colorAt(std::int32_t index) const;

    const CThemeFonts& majorFonts() const { return *major; }
    const CThemeFonts& minorFonts() const { return *minor; }
    const CThemeColors& colors() const { return *colorTable; }

private:
    void readThemeElements(const xmlNode* themeElements, const ThemeLanguages& languages);

    std::unique_ptr<CThemeFonts> major;
    std::unique_ptr<CThemeFonts> minor;
    std::unique_ptr<CThemeColors> colorTable;
};
