// One level of a list definition or instance ("lvl"): its number format, start, text and suffix, and
// the paragraph and character formatting of the numbered paragraphs, gathered in a scratch style
// record so that a level's own "pPr" and "rPr" are laid over the paragraph style it names.
#include <cstring>
#include <limits>
#include <string_view>

#include "foundation/FieldMask.h"
#include "foundation/encoding/Utf8Codec.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/lists/NumberingVocabularies.h"
#include "import/wordml/properties/HexNumber.h"
#include "import/wordml/properties/PropertyMerges.h"
#include "import/wordml/properties/ValueVocabularies.h"
#include "import/wordml/styles/TStyle.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

// The change bit of the rule's list membership: a level's rule never names a list of its own.
constexpr int kRuleLevelBit = 43;
constexpr std::int16_t kLetterPage = 2;
// The change bit of the form's font size.
constexpr int kFormSizeBit = 11;

constexpr VocabularyEntry kSuffixEntries[] = {
    {"tab", 0},
    {"space", 1},
    {"none", 2},
    // The Word 2007 spelling of "no suffix".
    {"nothing", 2},
};
constexpr Vocabulary kSuffixes{kSuffixEntries, -1};

bool fitsInt16(std::int64_t value) {
    return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

// The decimal "val" of the element into the 16-bit field; a missing or too large value changes nothing.
bool readNumber16(const xmlNode* element, std::int16_t* field) {
    std::int16_t present = 0;
    const std::int32_t value = xmlGetAttrInt(element, nullptr, "val", &present);
    if (present == 0 || !fitsInt16(value)) return false;
    *field = static_cast<std::int16_t>(value);
    return true;
}

void readNumberFormat(const xmlNode* element, XListLevel& level) {
    std::int16_t present = 0;
    if (xmlIsElement(element, "w", "nfc")) {
        if (readNumber16(element, &level.levelNfc)) level.levelNfcn = level.levelNfc;
    } else if (const char* name = xmlGetAttrString(element, nullptr, "val", &present)) {
        level.levelNfc = static_cast<std::int16_t>(lookupListNumberFormat(name));
        level.levelNfcn = level.levelNfc;
    }
}

void readSuffix(const xmlNode* element, XListLevel& level) {
    std::int16_t present = 0;
    const std::int32_t code = lookupCode(kSuffixes, xmlGetAttrString(element, nullptr, "val", &present));
    if (code >= 0) level.levelFollow = static_cast<std::int16_t>(code);
}

void readJustification(const xmlNode* element, XListLevel& level) {
    std::int16_t present = 0;
    if (const char* value = xmlGetAttrString(element, nullptr, "val", &present)) {
        level.levelJc = static_cast<std::int16_t>(lookupJustification(value));
        level.levelJcn = level.levelJc;
    }
}

void readPictureBulletId(const xmlNode* element, XListLevel& level) {
    std::int16_t bulletId = 0;
    if (!readNumber16(element, &bulletId)) return;
    level.levelHasPicture = 1;
    level.levelPicture = bulletId;
}

// A style id that does not fit the level's field is not kept: a shortened id would name another style.
void keepStyleId(const char* styleId, XListLevel& level) {
    const std::size_t length = std::strlen(styleId);
    if (length >= sizeof level.levelStyle) return;
    std::memcpy(level.levelStyle, styleId, length + 1);
}

}  // namespace

void CWordMLImporter::readListLevel(xmlNode* element, XListLevel (&levels)[kListLevels]) {
    if (element == nullptr) return;
    std::int16_t present = 0;
    const std::int32_t index = xmlGetAttrInt(element, nullptr, "ilvl", &present);
    if (present == 0 || index < 0 || index >= kListLevels) return;
    XListLevel& level = levels[index];
    if (const auto tplc = parseHexNumber(xmlGetAttrString(element, nullptr, "tplc", &present))) level.levelTplc = *tplc;
    const std::int16_t tentative = xmlGetAttrBool(element, nullptr, "tentative", &present);
    if (present != 0) level.levelTentative = tentative;

    TStyle scratch;
    initXForm(&scratch.form);
    initXRule(&scratch.rule);
    initXPage(&scratch.page, kLetterPage);
    for (xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE) readListLevelChild(child, level, scratch);
    }
    clearMaskBit(scratch.rule.changeBits, kRuleLevelBit);
    giveLabelItsSize(scratch.form);
    level.levelForm = scratch.form;
    level.levelRule = scratch.rule;
    level.levelPage = scratch.page;
}

// A level that names no size draws its label at the size of the paragraph's mark. Left without one,
// a reader takes its own default (often 12 pt) and the label grows beside smaller text, so the level
// is given the size a plain paragraph has: the document defaults under the default paragraph style.
void CWordMLImporter::giveLabelItsSize(XForm& form) {
    if (testMaskBit(form.changeBits, kFormSizeBit) != 0) return;
    TStyle plain;
    initXForm(&plain.form);
    initXRule(&plain.rule);
    initXPage(&plain.page, kLetterPage);
    if (styles != nullptr) {
        mergeFormProperties(&plain.form, &styles->docDefaults.form, FaceMerge::kReplace);
        if (const char* paragraphStyle = styles->defaultStyleId(styletype::kParagraph))
            applyParagraphStyleChain(paragraphStyle, &plain.page, &plain.rule, &plain.form, 0);
    }
    form.txtSize = plain.form.txtSize;
    setMaskBit(form.changeBits, kFormSizeBit);
}

void CWordMLImporter::readListLevelChild(xmlNode* child, XListLevel& level, TStyle& scratch) {
    std::int16_t present = 0;
    if (xmlIsElement(child, "w", "start")) {
        readNumber16(child, &level.levelStartAt);
    } else if (xmlIsElement(child, "w", "nfc") || xmlIsElement(child, "w", "numFmt")) {
        readNumberFormat(child, level);
    } else if (xmlIsElement(child, "w", "lvlRestart")) {
        readNumber16(child, &level.levelNoRestart);
    } else if (xmlIsElement(child, "w", "pStyle")) {
        if (const char* value = xmlGetAttrString(child, nullptr, "val", &present)) {
            const std::string styleId(value);
            keepStyleId(styleId.c_str(), level);
            applyParagraphStyleChain(styleId.c_str(), &scratch.page, &scratch.rule, &scratch.form, 0);
        }
    } else if (xmlIsElement(child, "w", "isLgl")) {
        const std::int16_t legal = xmlGetAttrBool(child, nullptr, "val", &present);
        if (present != 0) level.levelLegal = legal;
    } else if (xmlIsElement(child, "w", "suff")) {
        readSuffix(child, level);
    } else if (xmlIsElement(child, "w", "lvlText")) {
        if (const char* value = xmlGetAttrString(child, nullptr, "val", &present)) {
            const std::u16string& text = levelTexts.keep(utf8ToUtf16String(value));
            // The table's levels never write through or free their text: LevelTexts owns it.
            level.levelText = const_cast<char16_t*>(text.c_str());
            level.levelTextLength = static_cast<std::int32_t>(text.size());
        }
    } else if (xmlIsElement(child, "w", "lvlPicBulletId")) {
        readPictureBulletId(child, level);
    } else if (xmlIsElement(child, "w", "lvlJc")) {
        readJustification(child, level);
    } else if (xmlIsElement(child, "w", "pPr")) {
        readParagraphProperties(child, &scratch.page, &scratch.rule, &scratch.form, &scratch, 0);
    } else if (xmlIsElement(child, "w", "rPr")) {
        readRunProperties(child, &scratch.form, &scratch, 0);
    }
    // "legacy" and anything else: nothing a converted list shows.
}
