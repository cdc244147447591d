#include "model/params/ParamBlockTables.h"

#include <cstring>
#include <string_view>

#include "foundation/CFail.h"
#include "foundation/text/NameCompare.h"
#include "foundation/text/TextBoundary.h"
#include "foundation/text/TextCompare.h"
#include "model/params/XParamBlock.h"
#include "model/tables/CAuthorArray.h"
#include "model/tables/CColorArray.h"
#include "model/tables/CFontArray.h"
#include "model/tables/CStyleArray.h"
#include "package/theme/CTheme.h"

namespace {

constexpr const char* kUnit = "BEngine";

struct ThemeAlias {
    const char* name;
    std::int16_t code;
};

// In the order they are tried.
constexpr ThemeAlias kThemeAliases[] = {
    {"majorAscii", kMajorAsciiFont}, {"majorBidi", kMajorBidiFont}, {"majorEastAsia", kMajorEastAsiaFont},
    {"majorHAnsi", kMajorHAnsiFont}, {"minorAscii", kMinorAsciiFont}, {"minorBidi", kMinorBidiFont},
    {"minorEastAsia", kMinorEastAsiaFont}, {"minorHAnsi", kMinorHAnsiFont},
};

// Copies a NUL-terminated text into a fixed field, cut where a character ends so that it fits with its 0.
template <std::size_t N>
void copyBounded(char (&field)[N], const char* text) {
    const std::string_view whole(text);
    const std::size_t length = utf8CutPoint(whole, N - 1);
    std::memcpy(field, whole.data(), length);
    field[length] = '\0';
}

// A fixed text field as a NUL-terminated text, whatever its last byte holds.
template <std::size_t N>
void terminatedCopy(char (&out)[N], const char (&field)[N]) {
    std::memcpy(out, field, N);
    out[N - 1] = '\0';
}

template <typename Table>
Table* requireTable(Table* table) {
    throwIfNullObject(table, __LINE__, kUnit);
    return table;
}

CFontArray* fontsOf(XParamBlock* block) {
    throwIfNullObject(block, __LINE__, kUnit);
    return requireTable(block->fonts);
}

// Finds the name, or adds a font of that name (the table's add looks the name up first); never looks at
// aliases.
std::int16_t findOrAddPlainName(const char* name, XParamBlock* block) {
    XFont font;
    std::memset(&font, 0, sizeof font);
    copyBounded(font.fontPCName, name);
    return fontsOf(block)->add(font);
}

// The override's definition, or null when no definition carries its listIlst.
const XListDef* definitionOf(const XListOvr& override, const XParamBlock* block) {
    const std::int32_t count =
        clampListCount(block->listDefCount, block->listDefs, static_cast<std::int32_t>(sizeof(XListDef)));
    for (std::int32_t i = 0; i < count; ++i)
        if (block->listDefs[i].listDefId == override.listIlst) return &block->listDefs[i];
    return nullptr;
}

}  // namespace

std::int16_t themeAliasCode(const char* name) {
    if (name == nullptr) return 0;
    for (const ThemeAlias& alias : kThemeAliases)
        if (compareNames(name, alias.name) == 0) return alias.code;
    return 0;
}

void addAuthor(const char* name, XParamBlock* block) {
    throwIfNullObject(block, __LINE__, kUnit);
    requireTable(block->authors)->add(name);
}

std::int32_t findAuthor(const char* name, const XParamBlock* block) {
    if (block == nullptr || block->authors == nullptr) return -1;
    return block->authors->find(name);
}

void addColor(const RGBColor* color, XParamBlock* block) {
    throwIfNullObject(block, __LINE__, kUnit);
    if (color == nullptr) return;
    requireTable(block->colors)->add(*color);
}

void addBorderColor(const BorderSpec* border, XParamBlock* block) {
    if (border != nullptr) addColor(&border->borderTint, block);
}

void addShadingColors(const ShadingSpec* shading, XParamBlock* block) {
    if (shading == nullptr) return;
    addColor(&shading->patternTint, block);
    addColor(&shading->patternFill, block);
}

std::int32_t findColor(const RGBColor* color, const XParamBlock* block) {
    if (color == nullptr || block == nullptr || block->colors == nullptr) return -1;
    return block->colors->find(*color);
}

std::int16_t addFontRecord(const XFont* font, XParamBlock* block) {
    CFontArray* fonts = fontsOf(block);
    throwIfNullObject(font, __LINE__, kUnit);
    return fonts->add(*font);
}

std::int16_t addFontByName(const char* name, XParamBlock* block) {
    if (name == nullptr) return 0;
    // The name as the font record would hold it, so that a long name finds its own font again.
    char fitted[kFontNameBytes];
    copyBounded(fitted, name);
    const std::int16_t found = fontsOf(block)->findByName(fitted);
    if (found != 0) return found;
    const std::int16_t code = themeAliasCode(fitted);
    if (code == 0) return findOrAddPlainName(fitted, block);
    const char* typeface = block->theme != nullptr ? block->theme->fontName(code) : nullptr;
    // An empty typeface is how a theme says it has none for that script.
    if (typeface == nullptr || typeface[0] == '\0') return code;
    return findOrAddPlainName(typeface, block);
}

XFont* getFont(std::int16_t id, const XParamBlock* block) {
    if (block == nullptr || block->fonts == nullptr) return nullptr;
    return block->fonts->findById(id);
}

std::int32_t numberFonts(XParamBlock* block) {
    if (block == nullptr || block->fonts == nullptr) return 0;
    return block->fonts->numberFonts();
}

void addStyle(XStyle* style, XParamBlock* block) {
    // The style is the table's from here on; with no table to take it, it is released before failing.
    if (block == nullptr || block->styles == nullptr) {
        disposeXStyle(style);
        throwFail(result::kNullObject, __LINE__, kUnit);
    }
    block->styles->add(style);
}

XListDef* findListDefForOverride(std::int32_t listNumber, const XParamBlock* block) {
    static XListDef found;
    if (block == nullptr) return nullptr;
    const std::int32_t count =
        clampListCount(block->listOvrCount, block->listOvrs, static_cast<std::int32_t>(sizeof(XListOvr)));
    for (std::int32_t i = 0; i < count; ++i) {
        if (block->listOvrs[i].listIlfo != listNumber) continue;
        const XListDef* definition = definitionOf(block->listOvrs[i], block);
        if (definition != nullptr) return copyListDef(&found, definition);
    }
    return nullptr;
}

XListDef* copyListDef(XListDef* destination, const XListDef* source) {
    if (destination == nullptr || source == nullptr) return destination;
    if (destination != source) std::memcpy(static_cast<void*>(destination), source, sizeof(XListDef));
    return destination;
}

XListDef* findListDefByName(XListDef* definition, const XParamBlock* block) {
    if (definition == nullptr || definition->listStyleId[0] == '\0' || block == nullptr) return definition;
    char styleId[kListNameBytes];
    terminatedCopy(styleId, definition->listStyleId);
    const std::int32_t count =
        clampListCount(block->listDefCount, block->listDefs, static_cast<std::int32_t>(sizeof(XListDef)));
    for (std::int32_t i = 0; i < count; ++i) {
        char styleName[kListNameBytes];
        terminatedCopy(styleName, block->listDefs[i].listStyleName);
        if (compareText(styleName, styleId, 0) == 0) return &block->listDefs[i];
    }
    return definition;
}

void widenPascalText(char16_t* destination, std::int32_t* length, const std::uint8_t* source) {
    const std::int32_t count = source != nullptr && destination != nullptr ? source[0] : 0;
    for (std::int32_t i = 0; i < count; ++i) destination[i] = source[1 + i];
    if (length != nullptr) *length = count;
}
