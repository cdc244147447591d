#include "package/theme/CThemeFonts.h"

#include <cstring>

#include "foundation/language/CLanguage.h"
#include "package/theme/ThemeXml.h"
#include "package/xml/XmlElementSearch.h"

std::uint32_t scriptFromLanguageTables(std::uint32_t languageId) {
    const CLanguage* tables = languageTables();
    return tables != nullptr ? tables->scriptForLanguage(languageId) : kLatinScriptTag;
}

std::int32_t CThemeFonts::parse(const xmlNode* element, const ThemeLanguages& languages) {
    if (element == nullptr) return 0;
    for (const xmlNode* child = element->children; child != nullptr; child = child->next) {
        std::string* slot = (xmlIsElement(child, "a", "latin") == 1) ? &latinTypeface
                            : (xmlIsElement(child, "a", "ea") == 1) ? &eastAsianTypeface
                            : (xmlIsElement(child, "a", "cs") == 1) ? &complexScriptTypeface
                                                                       : nullptr;
        if (slot != nullptr) {
            if (const auto typeface = themexml::attributeText(child, "typeface")) *slot = *typeface;
        } else if ((xmlIsElement(child, "a", "font") == 1)) {
            readScriptFont(child);
        }
    }
    ScriptOfLanguage scriptOf = languages.scriptOf != nullptr ? languages.scriptOf : scriptFromLanguageTables;
    fillFromScript(latinTypeface, languages.latin, scriptOf);
    fillFromScript(eastAsianTypeface, languages.eastAsian, scriptOf);
    fillFromScript(complexScriptTypeface, languages.complexScript, scriptOf);
    return 0;
}

// A script font's tag is the first four bytes of its "script" attribute, first byte lowest; a script
// of fewer bytes is padded with 0 bytes.
void CThemeFonts::readScriptFont(const xmlNode* font) {
    const auto script = themexml::attributeText(font, "script");
    if (!script) return;
    std::uint32_t tag = 0;
    for (std::size_t i = 0; i < 4 && i < script->size(); ++i) {
        tag |= static_cast<std::uint32_t>(static_cast<unsigned char>((*script)[i])) << (8 * i);
    }
    const auto typeface = themexml::attributeText(font, "typeface");
    if (typeface && tag != 0) addScriptFont(tag, *typeface);
}

void CThemeFonts::fillFromScript(std::string& typeface, std::uint32_t languageId, ScriptOfLanguage scriptOf) {
    if (!typeface.empty()) return;
    if (const char* found = fontForScript(scriptOf(languageId))) typeface = found;
}

void CThemeFonts::addScriptFont(std::uint32_t tag, const std::string& typeface) {
    scriptFonts.push_back(ScriptFont{tag, typeface});
}

const char* CThemeFonts::fontForScript(std::uint32_t tag) const {
    for (const ScriptFont& font : scriptFonts) {
        if (font.tag == tag) return font.typeface.c_str();
    }
    return nullptr;
}
