#pragma once
// One font collection of a theme's font scheme (its major or its minor fonts): a Latin, an East Asian
// and a complex-script typeface, and a typeface per script ("Jpan", "Arab", ...). A typeface the
// collection leaves empty is taken from the script font of the document's language for that slot.
#include <libxml/tree.h>

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/CBase.h"

// The script tag of a Windows language id, four letters packed first letter lowest (scriptTagValue).
using ScriptOfLanguage = std::uint32_t (*)(std::uint32_t languageId);

// The three languages of a document that choose the fallback typefaces, and where their scripts come
// from.
struct ThemeLanguages {
    std::uint32_t latin;
    std::uint32_t eastAsian;
    std::uint32_t complexScript;
    ScriptOfLanguage scriptOf;
};

// The language tables' answer (CLanguage::scriptForLanguage); Latin before the tables are read.
std::uint32_t scriptFromLanguageTables(std::uint32_t languageId);

class CThemeFonts : public CBase {
public:
    CThemeFonts() = default;
    ~CThemeFonts() override = default;
    CThemeFonts(const CThemeFonts&) = delete;
    CThemeFonts& operator=(const CThemeFonts&) = delete;

    // Reads a "majorFont" or "minorFont" element: "latin", "ea" and "cs" set their typefaces (a later
    // one replaces an earlier), each "font" with a script and a typeface adds a script font; then the
    // empty slots take the script font of their language. Unknown children and bad values are skipped.
    virtual std::int32_t parse(const xmlNode* element, const ThemeLanguages& languages);
    virtual void addScriptFont(std::uint32_t tag, const std::string& typeface);
    // The typeface of the first script font with that tag, or null.
    virtual const char* fontForScript(std::uint32_t tag) const;

    // The three typefaces, owned by the collection; null when there is none.
    const char* latin() const { return textOrNull(latinTypeface); }
    const char* eastAsian() const { return textOrNull(eastAsianTypeface); }
    const char* complexScript() const { return textOrNull(complexScriptTypeface); }

private:
    struct ScriptFont {
        std::uint32_t tag;
        std::string typeface;
    };
    static const char* textOrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }
    void readScriptFont(const xmlNode* font);
    void fillFromScript(std::string& typeface, std::uint32_t languageId, ScriptOfLanguage scriptOf);

    std::string latinTypeface;
    std::string eastAsianTypeface;
    std::string complexScriptTypeface;
    std::vector<ScriptFont> scriptFonts;
};
