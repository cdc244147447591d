#include "package/theme/CTheme.h"

#include <new>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "package/theme/ThemeXml.h"
#include "package/xml/XmlElementSearch.h"

namespace {

constexpr const char* kUnit = "BTheme";

template <typename T>
std::unique_ptr<T> makeOwned(std::int32_t line) {
    std::unique_ptr<T> made(new (std::nothrow) T());
    throwIfNull(made.get(), line, kUnit);
    return made;
}

}  // namespace

CTheme::CTheme()
    : major(makeOwned<CThemeFonts>(__LINE__)),
      minor(makeOwned<CThemeFonts>(__LINE__)),
      colorTable(makeOwned<CThemeColors>(__LINE__)) {}

CTheme::~CTheme() = default;

std::int32_t CTheme::parse(const xmlNode* root, std::uint32_t latinLanguage, std::uint32_t eastAsianLanguage,
                           std::uint32_t complexScriptLanguage, ScriptOfLanguage scriptOf) {
    if (root == nullptr) return 0;
    const ThemeLanguages languages{latinLanguage, eastAsianLanguage, complexScriptLanguage, scriptOf};
    raisingOutOfMemory(__LINE__, kUnit, [&] {
        for (const xmlNode* child = root->children; child != nullptr; child = child->next) {
            if ((xmlIsElement(child, "a", "themeElements") == 1)) readThemeElements(child, languages);
        }
    });
    return 0;
}

void CTheme::readThemeElements(const xmlNode* themeElements, const ThemeLanguages& languages) {
    for (const xmlNode* child = themeElements->children; child != nullptr; child = child->next) {
        if ((xmlIsElement(child, "a", "clrScheme") == 1)) {
            readColorScheme(child);
        } else if ((xmlIsElement(child, "a", "fontScheme") == 1)) {
            readFontScheme(child, languages);
        }
    }
}

std::int32_t CTheme::readFontScheme(const xmlNode* fontScheme, const ThemeLanguages& languages) {
    if (fontScheme == nullptr) return 0;
    for (const xmlNode* child = fontScheme->children; child != nullptr; child = child->next) {
        if ((xmlIsElement(child, "a", "majorFont") == 1)) {
            major->parse(child, languages);
        } else if ((xmlIsElement(child, "a", "minorFont") == 1)) {
            minor->parse(child, languages);
        }
    }
    return 0;
}

std::int32_t CTheme::readColorScheme(const xmlNode* colorScheme) {
    if (colorScheme == nullptr) return 0;
    for (const xmlNode* child = colorScheme->children; child != nullptr; child = child->next) {
        colorTable->readColorElement(child);
    }
    return 0;
}

const char* CTheme::fontName(std::int16_t code) const {
    switch (code) {
        case themefont::kMajorAscii:
        case themefont::kMajorHAnsi: return major->latin();
        case themefont::kMajorBidi: return major->complexScript();
        case themefont::kMajorEastAsia: return major->eastAsian();
        case themefont::kMinorAscii:
        case themefont::kMinorHAnsi: return minor->latin();
        case themefont::kMinorBidi: return minor->complexScript();
        case themefont::kMinorEastAsia: return minor->eastAsian();
        default: return nullptr;
    }
}

RGBColor CTheme::colorAt(std::int32_t index) const {
    return colorTable->colorAt(index);
}
