// The reader of a run-properties element (w:rPr) of either dialect into an XForm, marking each field it
// states in the form's change bits, so that the style and list merges can tell stated values from
// inherited ones. The complex-script bold, italic and size are kept without a change bit: a style's
// complex-script values are never copied by the merges.
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string>

#include "foundation/FieldMask.h"
#include "foundation/language/CLanguage.h"
#include "foundation/text/NameCompare.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/properties/PropertyElementReaders.h"
#include "import/wordml/properties/RunVocabularies.h"
#include "model/params/ParamBlockTables.h"
#include "model/params/XParamBlock.h"
#include "package/theme/CTheme.h"
#include "package/xml/XmlColors.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

// Change bits of the XForm fields this reader states.
enum FormBit : int {
    kBitLanguage = 2,
    kBitLanguageEastAsian = 3,
    kBitLanguageComplex = 4,
    kBitHint = 5,
    kBitFontAscii = 6,
    kBitFontHAnsi = 7,
    kBitFontEastAsian = 8,
    kBitFontComplex = 9,
    kBitBidi = 10,
    kBitSize = 11,
    kBitFace = 13,
    kBitRate = 15,
    kBitBase = 16,
    kBitFore = 17,
    kBitBack = 18,
    kBitKern = 19,
    kBitFill = 20,
    kBitBorderType = 25,
    kBitBorder = 26,
    kBitShadingType = 27,
    kBitShading = 28,
    kBitSpacing = 29,
    kBitUnderlineEffect = 30,
    kBitBlinkingEffect = 31,
    kBitUnderlineColor = 32,
    kBitNoProof = 33,
    kBitRevision = 34,
};

constexpr std::uint32_t kSuperscript = 0x80;
constexpr std::uint32_t kSubscript = 0x100;
constexpr std::int16_t kRunBorder = 16;
constexpr std::int16_t kHintHAnsi = 2;

struct FaceToggle {
    const char* name;
    std::uint32_t flag;
    bool complexScript;  // in txtFaceCs, without a change bit
};

constexpr FaceToggle kFaceToggles[] = {
    {"b", 0x1, false},        {"i", 0x2, false},          {"caps", 0x10000, false}, {"smallCaps", 0x20000, false},
    {"strike", 0x800, false}, {"dstrike", 0x1000, false}, {"outline", 0x8, false},  {"shadow", 0x10, false},
    {"emboss", 0x4000, false}, {"imprint", 0x8000, false}, {"vanish", 0x2000, false}, {"b-cs", 0x1, true},
    {"i-cs", 0x2, true},
};

// A number that scales into a 16-bit field; false when absent or when the result does not fit.
bool scaledValue(const xmlNode* element, std::int64_t scale, std::int16_t* field) {
    std::int16_t present = 0;
    const std::int64_t value = static_cast<std::int64_t>(xmlGetAttrInt(element, nullptr, "val", &present)) * scale;
    if (!present || value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return false;
    *field = static_cast<std::int16_t>(value);
    return true;
}

struct ScaledRow {
    const char* name;
    std::int16_t XForm::*field;
    std::int64_t scale;
    int bit;  // -1: no change bit
};

constexpr ScaledRow kScaledValues[] = {
    {"spacing", &XForm::txtSpacing, 1, kBitSpacing}, {"w", &XForm::txtRate, 10, kBitRate},
    {"kern", &XForm::txtKern, 1, kBitKern},          {"position", &XForm::txtBase, 1, kBitBase},
    {"sz", &XForm::txtSize, 5, kBitSize},            {"sz-cs", &XForm::txtSizeCs, 5, -1},
};

constexpr const char* kIgnoredChildren[] = {"snapToGrid", "webHidden", "fitText", "rtl", "hyphen", "asianLayout", "specVanish"};

void readUnderline(const xmlNode* underline, XForm* form) {
    std::int16_t present = 0;
    if (const char* kind = xmlGetAttrString(underline, nullptr, "val", &present)) {
        std::uint32_t flag = 0;
        std::int32_t effect = 0;
        // A run's underline replaces the one its style gives: "none" takes it away.
        form->txtFace &= ~(kFaceUnderline | kFaceWordsUnderline | kFaceDoubleUnderline);
        form->underlineEffect = 0;
        setMaskBit(form->changeBits, kBitFace);
        setMaskBit(form->changeBits, kBitUnderlineEffect);
        if (findUnderlineEffect(kind, &effect)) {
            form->underlineEffect = static_cast<std::int16_t>(effect);
            setMaskBit(form->changeBits, kBitUnderlineEffect);
        } else {
            if (findUnderlineFace(kind, &flag)) form->txtFace |= flag;
            setMaskBit(form->changeBits, kBitFace);
        }
    }
    if (const char* color = xmlGetAttrString(underline, nullptr, "color", &present)) {
        parseColorText(color, &form->underlineColor);
        setMaskBit(form->changeBits, kBitUnderlineColor);
    }
}

void readLanguages(const xmlNode* language, XForm* form) {
    const struct {
        const char* attribute;
        std::int16_t XForm::*field;
        int bit;
    } rows[] = {
        {"val", &XForm::txtLangVal, kBitLanguage},
        {"eastAsia", &XForm::txtLangEa, kBitLanguageEastAsian},
        {"bidi", &XForm::txtLangCs, kBitLanguageComplex},
    };
    CLanguage* tables = languageTables();
    for (const auto& row : rows) {
        std::int16_t present = 0;
        const char* name = xmlGetAttrString(language, nullptr, row.attribute, &present);
        if (name == nullptr) continue;
        std::string copy(name);  // the tables cut the name they are given
        form->*row.field = static_cast<std::int16_t>(tables != nullptr ? tables->languageId(copy.data()) : kDefaultLanguageId);
        setMaskBit(form->changeBits, row.bit);
    }
}

}  // namespace

void CWordMLImporter::applyRunProperties(xmlNode* run) {
    if (run == nullptr) return;
    // A run nested in a run takes the outer run's properties under its own.
    if (xmlNode* outer = xmlNextElement(run, "w", "r", {{"w", "p"}})) applyRunProperties(outer);
    for (xmlNode* child = run->children; child != nullptr; child = child->next) {
        if (!xmlIsElement(child, "w", "rPr")) continue;
        // Runs inside a simple field keep the paragraph's character formatting.
        if (xmlNextElement(child, "w", "fldSimple") == nullptr) readRunProperties(child, &block->form, nullptr, 0);
        return;
    }
}

void CWordMLImporter::readRunProperties(xmlNode* properties, XForm* form, TStyle*, std::int16_t clear) {
    if (properties == nullptr || form == nullptr) return;
    if (clear == 1) std::memset(form->changeBits, 0, sizeof form->changeBits);
    form->uniqueBits = xmlGetUniqueTag(properties);
    // A Word 2003 revision wraps its runs in an annotation instead of naming itself in their
    // properties: a note or table inside an insertion is inserted text too.
    if (xmlNode* annotation = xmlNextElement(properties, "aml", "annotation")) {
        readRevision(annotation, &form->revision, -1);
        setMaskBit(form->changeBits, kBitRevision);
    }
    for (xmlNode* child = properties->children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE) readRunChild(child, form);
    }
}

void CWordMLImporter::readRunChild(xmlNode* child, XForm* form) {
    std::int16_t present = 0;
    for (const FaceToggle& toggle : kFaceToggles) {
        if (!xmlIsElement(child, "w", toggle.name)) continue;
        xmlSetFlagFromVal(child, toggle.complexScript ? &form->txtFaceCs : &form->txtFace, toggle.flag);
        if (!toggle.complexScript) setMaskBit(form->changeBits, kBitFace);
        return;
    }
    for (const ScaledRow& row : kScaledValues) {
        if (!xmlIsElement(child, "w", row.name)) continue;
        if (scaledValue(child, row.scale, &(form->*row.field)) && row.bit >= 0) setMaskBit(form->changeBits, row.bit);
        return;
    }
    for (const char* name : kIgnoredChildren) {
        if (xmlIsElement(child, "w", name)) return;
    }
    if (xmlIsElement(child, "w", "rStyle")) {
        if (const char* style = xmlGetAttrString(child, nullptr, "val", &present)) {
            const std::string identifier(style);
            applyCharacterStyleChain(identifier.c_str(), form, 0, 1);
        }
    } else if (xmlIsElement(child, "w", "rFonts")) {
        readRunFonts(child, form);
    } else if (xmlIsElement(child, "wx", "font")) {
        if (const char* font = xmlGetAttrString(child, nullptr, "val", &present)) {
            const std::string name(font);
            form->txtHint = kHintHAnsi;
            form->txtFontHAnsi = findFont(name.c_str());
            setMaskBit(form->changeBits, kBitHint);
            setMaskBit(form->changeBits, kBitFontHAnsi);
        }
    } else if (xmlIsElement(child, "w", "noProof") || xmlIsElement(child, "w", "cs")) {
        const bool noProof = xmlIsElement(child, "w", "noProof");
        (noProof ? form->noProof : form->txtBidi) = xmlGetToggle(child);
        setMaskBit(form->changeBits, noProof ? kBitNoProof : kBitBidi);
    } else if (xmlIsElement(child, "w", "color")) {
        if (const char* color = xmlGetAttrString(child, nullptr, "val", &present)) {
            parseColorText(color, &form->txtFore);
            setMaskBit(form->changeBits, kBitFore);
        }
    } else if (xmlIsElement(child, "w", "highlight")) {
        if (const char* name = xmlGetAttrString(child, nullptr, "val", &present)) {
            findHighlightColor(name, &form->txtBack);
            setMaskBit(form->changeBits, kBitBack);
        }
    } else if (xmlIsElement(child, "w", "u")) {
        readUnderline(child, form);
    } else if (xmlIsElement(child, "w", "effect")) {
        if (const char* effect = xmlGetAttrString(child, nullptr, "val", &present)) {
            form->blinkingEffect = static_cast<std::int16_t>(lookupTextEffect(effect));
            setMaskBit(form->changeBits, kBitBlinkingEffect);
        }
    } else if (xmlIsElement(child, "w", "bdr")) {
        parseBorder(child, &form->border, nullptr);
        form->borderType = kRunBorder;
        setMaskBit(form->changeBits, kBitBorder);
        setMaskBit(form->changeBits, kBitBorderType);
    } else if (xmlIsElement(child, "w", "shd")) {
        parseShading(child, &form->shading, &form->shading.patternTint, &form->shading.patternFill);
        form->shadingType = 1;
        setMaskBit(form->changeBits, kBitShading);
        setMaskBit(form->changeBits, kBitShadingType);
    } else if (xmlIsElement(child, "w", "vertAlign")) {
        if (const char* position = xmlGetAttrString(child, nullptr, "val", &present)) {
            if (compareNames(position, "superscript") == 0) form->txtFace |= kSuperscript;
            if (compareNames(position, "subscript") == 0) form->txtFace |= kSubscript;
            setMaskBit(form->changeBits, kBitFace);
        }
    } else if (xmlIsElement(child, "w", "em")) {
        if (const char* mark = xmlGetAttrString(child, nullptr, "val", &present)) {
            form->txtFill = static_cast<std::int16_t>(lookupEmphasisMark(mark));
            setMaskBit(form->changeBits, kBitFill);
        }
    } else if (xmlIsElement(child, "w", "lang")) {
        readLanguages(child, form);
    }
}

// The hint, then each font slot; a theme font is preferred to the plain one of its slot.
void CWordMLImporter::readRunFonts(xmlNode* fonts, XForm* form) {
    std::int16_t present = 0;
    std::int32_t hint = 0;
    if (const char* value = xmlGetAttrString(fonts, nullptr, "val", &present)) {
        if (findFontHintWord2003(value, &hint)) form->txtHint = static_cast<std::int16_t>(hint);
        setMaskBit(form->changeBits, kBitHint);
    }
    if (const char* value = xmlGetAttrString(fonts, nullptr, "hint", &present)) {
        if (findFontHint(value, &hint)) form->txtHint = static_cast<std::int16_t>(hint);
        setMaskBit(form->changeBits, kBitHint);
    }
    const struct {
        const char* themeName;
        std::initializer_list<const char*> names;
        std::int16_t XForm::*field;
        int bit;
    } slots[] = {
        {"asciiTheme", {"ascii"}, &XForm::txtFontAscii, kBitFontAscii},
        {"hAnsiTheme", {"hAnsi", "h-ansi"}, &XForm::txtFontHAnsi, kBitFontHAnsi},
        {"cstheme", {"cs"}, &XForm::txtFontCs, kBitFontComplex},
        {"eastAsiaTheme", {"eastAsia", "fareast"}, &XForm::txtFontEa, kBitFontEastAsian},
    };
    for (const auto& slot : slots) {
        std::string font = themeTypeface(xmlGetAttrString(fonts, nullptr, slot.themeName, &present));
        if (font.empty()) {
            const char* name = xmlGetFirstAttrString(fonts, &present, slot.names);
            // A theme alias where a font's name belongs is no font either.
            if (name == nullptr || themeAliasCode(name) != 0) continue;
            font = name;
        }
        form->*slot.field = findFont(font.c_str());
        setMaskBit(form->changeBits, slot.bit);
    }
}

// The theme's typeface for a theme font ("minorHAnsi", "majorBidi" ...); empty for a name that is no
// theme font, or when the theme has no typeface for it, so that the slot's plain font holds.
std::string CWordMLImporter::themeTypeface(const char* themeFont) const {
    const std::int16_t code = themeAliasCode(themeFont);
    if (code == 0 || block->theme == nullptr) return {};
    const char* typeface = block->theme->fontName(code);
    return typeface != nullptr ? typeface : "";
}
