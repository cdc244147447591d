// The reader of a paragraph-properties element (w:pPr) of either dialect into an XRule, marking each
// field it states in the rule's change bits, so that the style and list merges can tell stated values
// from inherited ones. It serves body paragraphs, styles and list levels; a style or a level (the owner)
// also takes the w:rPr and w:sectPr its w:pPr holds.
#include <cstring>
#include <initializer_list>
#include <limits>

#include "foundation/FieldMask.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/text/NameCompare.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/properties/PropertyElementReaders.h"
#include "import/wordml/properties/ValueVocabularies.h"
#include "import/wordml/styles/TStyle.h"
#include "model/params/XParamBlock.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

// Change bits of the XRule fields this reader states.
enum RuleBit : int {
    kBitDirection = 2,
    kBitJustification = 3,
    kBitIndentLeft = 4,
    kBitIndentLeftCh = 5,
    kBitIndentFirst = 6,
    kBitIndentFirstCh = 7,
    kBitIndentRight = 8,
    kBitIndentRightCh = 9,
    kBitIndentHanging = 10,
    kBitIndentHangingCh = 11,
    kBitLeading = 12,
    kBitSpaceBefore = 13,
    kBitSpaceAfter = 14,
    kBitLeadingUnit = 15,
    kBitSpaceBeforeUnit = 16,
    kBitSpaceAfterUnit = 17,
    kBitContextualSpacing = 18,
    kBitBorderType = 24,
    kBitOutlineLevel = 26,
    kBitShadingType = 34,
    kBitShading = 35,
    kBitBorderTop = 36,
    kBitBorderLeft = 37,
    kBitBorderBottom = 38,
    kBitBorderRight = 39,
    kBitFrameType = 41,
    kBitFrame = 42,
    kBitLevel = 43,
    kBitTabs = 44,
};

struct ToggleRow {
    const char* name;
    std::int16_t XRule::*field;
    int bit;
};

constexpr ToggleRow kToggles[] = {
    {"keepNext", &XRule::keepNext, 27},
    {"keepLines", &XRule::keepLines, 28},
    {"pageBreakBefore", &XRule::pageBreakBefore, 29},
    {"widowControl", &XRule::widowControl, 30},
    {"suppressLineNumbers", &XRule::suppressLineNumbers, 31},
    {"suppressAutoHyphens", &XRule::suppressAutoHyphens, 32},
    {"contextualSpacing", &XRule::contextualSpacing, kBitContextualSpacing},
    {"bidi", &XRule::direction, kBitDirection},
};

struct BorderSide {
    const char* name;
    BorderSpec XRule::*border;
    std::int16_t side;
    int bit;
};

constexpr BorderSide kBorderSides[] = {
    {"top", &XRule::borderTop, 1, kBitBorderTop},
    {"left", &XRule::borderLeft, 8, kBitBorderLeft},
    {"bottom", &XRule::borderBottom, 2, kBitBorderBottom},
    {"right", &XRule::borderRight, 4, kBitBorderRight},
};

// Known children with no effect on the record.
constexpr const char* kIgnoredChildren[] = {
    "kinsoku",  "wordWrap",      "overflowPunct", "topLinePunct", "autoSpaceDE", "autoSpaceDN", "adjustRightInd",
    "snapToGrid", "suppressOverlap", "textDirection", "textAlignment", "divId",   "cnfStyle",
};

constexpr std::int16_t kTwipsUnit = 0;
// Spacing given in lines counts hundredths of a line of 12 points (240 twips).
constexpr std::int32_t kTwipsPerLine = 240;
constexpr std::int32_t kHundredthsPerLine = 100;
constexpr std::int16_t kAutomaticLeading = -1;
constexpr std::int16_t kExactLeading = 1;
constexpr std::int16_t kAtLeastLeading = 0;
constexpr std::size_t kLevelFontLimit = 128;

bool fitsInt16(std::int64_t value) {
    return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

// The first of the attributes present as a number; false when none is present.
bool firstNumber(const xmlNode* element, std::initializer_list<const char*> names, std::int32_t* value) {
    std::int16_t present = 0;
    const std::int32_t number = xmlGetFirstAttrInt(element, &present, names);
    if (present) *value = number;
    return present != 0;
}

// A 16-bit field takes the value only when it fits; a value that does not fit leaves field and bit.
bool firstNumber16(const xmlNode* element, std::initializer_list<const char*> names, std::int16_t* field) {
    std::int32_t value = 0;
    if (!firstNumber(element, names, &value) || !fitsInt16(value)) return false;
    *field = static_cast<std::int16_t>(value);
    return true;
}

bool isOneOf(const xmlNode* node, std::span<const char* const> names) {
    for (const char* name : names) {
        if (xmlIsElement(node, "w", name)) return true;
    }
    return false;
}

// Twips for an amount in hundredths of a line, rounded half away from zero.
std::int64_t twipsOfLines(std::int32_t hundredths) {
    const std::int64_t scaled = static_cast<std::int64_t>(hundredths) * kTwipsPerLine;
    const std::int64_t half = kHundredthsPerLine / 2;
    return scaled >= 0 ? (scaled + half) / kHundredthsPerLine : -((-scaled + half) / kHundredthsPerLine);
}

void readSpacing(const xmlNode* spacing, XRule* rule) {
    // The amounts in lines come after those in twips, so they win; they are kept in twips, the unit a
    // reader of the record takes them in.
    const struct {
        std::initializer_list<const char*> names;
        std::int16_t XRule::*value;
        std::int16_t XRule::*unit;
        bool inLines;
        int valueBit;
        int unitBit;
    } sides[] = {
        {{"before"}, &XRule::spaceBefore, &XRule::spaceBeforeUnit, false, kBitSpaceBefore, kBitSpaceBeforeUnit},
        {{"beforeLines", "before-lines"}, &XRule::spaceBefore, &XRule::spaceBeforeUnit, true, kBitSpaceBefore, kBitSpaceBeforeUnit},
        {{"after"}, &XRule::spaceAfter, &XRule::spaceAfterUnit, false, kBitSpaceAfter, kBitSpaceAfterUnit},
        {{"afterLines", "after-lines"}, &XRule::spaceAfter, &XRule::spaceAfterUnit, true, kBitSpaceAfter, kBitSpaceAfterUnit},
    };
    for (const auto& side : sides) {
        std::int32_t value = 0;
        if (!firstNumber(spacing, side.names, &value)) continue;
        const std::int64_t twips = side.inLines ? twipsOfLines(value) : value;
        if (!fitsInt16(twips)) continue;
        rule->*side.value = static_cast<std::int16_t>(twips);
        rule->*side.unit = kTwipsUnit;
        setMaskBit(rule->changeBits, side.valueBit);
        setMaskBit(rule->changeBits, side.unitBit);
    }
    std::int16_t line = 0;
    const bool hasLine = firstNumber16(spacing, {"line"}, &line);
    if (hasLine) {
        rule->leading = line;
        setMaskBit(rule->changeBits, kBitLeading);
    }
    std::int16_t present = 0;
    const char* lineRule = xmlGetFirstAttrString(spacing, &present, {"lineRule", "line-rule"});
    if (lineRule == nullptr) return;
    if (compareNames(lineRule, "auto") == 0) {
        rule->leadingUnit = kAutomaticLeading;
        rule->leading = hasLine ? line : 0;
    } else if (compareNames(lineRule, "exact") == 0) {
        rule->leadingUnit = kExactLeading;
    } else if (compareNames(lineRule, "at-least") == 0) {
        rule->leadingUnit = kAtLeastLeading;
    }
    setMaskBit(rule->changeBits, kBitLeadingUnit);
}

void readIndentation(const xmlNode* indentation, XRule* rule) {
    const struct {
        std::initializer_list<const char*> names;
        std::int32_t XRule::*value;
        std::int32_t XRule::*cleared;  // the other of a first-line and hanging pair, or null
        int bit;
        int pairBit;
    } rows[] = {
        {{"left"}, &XRule::indentLeft, nullptr, kBitIndentLeft, -1},
        {{"leftChars", "left-chars"}, &XRule::indentLeftCh, nullptr, kBitIndentLeftCh, -1},
        {{"right"}, &XRule::indentRight, nullptr, kBitIndentRight, -1},
        {{"rightChars", "right-chars"}, &XRule::indentRightCh, nullptr, kBitIndentRightCh, -1},
        {{"hanging"}, &XRule::indentHanging, &XRule::indentFirst, kBitIndentHanging, kBitIndentFirst},
        {{"hangingChars", "hanging-chars"}, &XRule::indentHangingCh, &XRule::indentFirstCh, kBitIndentHangingCh, kBitIndentFirstCh},
        {{"firstLine", "first-line"}, &XRule::indentFirst, &XRule::indentHanging, kBitIndentHanging, kBitIndentFirst},
        {{"firstLineChars", "first-line-chars"}, &XRule::indentFirstCh, &XRule::indentHangingCh, kBitIndentHangingCh, kBitIndentFirstCh},
    };
    for (const auto& row : rows) {
        std::int32_t value = 0;
        if (!firstNumber(indentation, row.names, &value)) continue;
        rule->*row.value = value;
        setMaskBit(rule->changeBits, row.bit);
        if (row.cleared == nullptr) continue;
        rule->*row.cleared = 0;
        setMaskBit(rule->changeBits, row.pairBit);
    }
}

void readBorders(const xmlNode* borders, XRule* rule) {
    const std::int16_t before = rule->borderType;
    for (const xmlNode* child = borders->children; child != nullptr; child = child->next) {
        for (const BorderSide& side : kBorderSides) {
            if (!xmlIsElement(child, "w", side.name)) continue;
            parseBorder(child, &(rule->*side.border), nullptr);
            rule->borderType |= side.side;
            setMaskBit(rule->changeBits, side.bit);
        }
    }
    if (rule->borderType != before) setMaskBit(rule->changeBits, kBitBorderType);
}

// Removes the first stop at the position; nothing when no stop is there.
void removeTabAt(XTabs* tabs, std::int16_t count, std::int16_t* remaining, std::int16_t position) {
    for (std::int16_t i = 0; i < count; ++i) {
        if (tabs->tab[i].tabIndent != position) continue;
        std::memmove(&tabs->tab[i], &tabs->tab[i + 1], sizeof(XTab) * static_cast<std::size_t>(count - i - 1));
        *remaining = static_cast<std::int16_t>(count - 1);
        return;
    }
}

// The stops of a style stay and are extended; a stop beyond the 65 the rule holds is dropped.
void readTabs(const xmlNode* tabsElement, XRule* rule) {
    XTabs& tabs = rule->tabs;
    std::int16_t count = tabs.tabs < 0 ? 0 : (tabs.tabs > kMaxTabs ? kMaxTabs : tabs.tabs);
    for (const xmlNode* child = tabsElement->children; child != nullptr; child = child->next) {
        if (!xmlIsElement(child, "w", "tab")) continue;
        XTab stop{};
        std::int16_t present = 0;
        std::int32_t code = 0;
        bool clears = false;
        if (findTabKind(xmlGetAttrString(child, nullptr, "val", &present), &code)) {
            clears = code == kTabClear;
            if (!clears) stop.tabJust = static_cast<std::int16_t>(code);
        }
        if (findTabLeader(xmlGetAttrString(child, nullptr, "leader", &present), &code)) stop.tabLead = static_cast<std::int16_t>(code);
        std::int16_t position = 0;
        if (!firstNumber16(child, {"pos"}, &position)) continue;
        if (clears) {
            removeTabAt(&tabs, count, &count, position);
        } else if (count < kMaxTabs) {
            stop.tabIndent = position;
            tabs.tab[count++] = stop;
        }
    }
    tabs.tabs = count;
    setMaskBit(rule->changeBits, kBitTabs);
}

// The position of a positional tab: left, center or right of the space between the margins, and
// between the indents too when it is relative to them.
std::int16_t positionalTabIndent(const xmlNode* ptab, std::int16_t alignment, const XPage* page, const XRule* rule) {
    std::int16_t present = 0;
    const char* relativeTo = xmlGetAttrString(ptab, nullptr, "relativeTo", &present);
    if (relativeTo == nullptr || page == nullptr) return 0;
    const bool toIndent = compareNames(relativeTo, "indent") == 0;
    if (!toIndent && compareNames(relativeTo, "margin") != 0) return 0;
    std::int64_t width = static_cast<std::int64_t>(page->pageWidth) - page->leftMargin - page->rightMargin;
    std::int64_t start = 0;
    if (toIndent) {
        width -= static_cast<std::int64_t>(rule->indentLeft) + rule->indentRight;
        start = rule->indentLeft;
    }
    std::int64_t position = start;
    if (alignment == 1) position = start + width / 2;
    if (alignment == 2) position = start + width;
    return fitsInt16(position) ? static_cast<std::int16_t>(position) : 0;
}

void readPositionalTab(const xmlNode* ptab, const XPage* page, XRule* rule) {
    XTab stop{};
    std::int16_t present = 0;
    std::int32_t code = 0;
    if (findPositionalTabAlignment(xmlGetAttrString(ptab, nullptr, "alignment", &present), &code))
        stop.tabJust = static_cast<std::int16_t>(code);
    if (findPositionalTabLeader(xmlGetAttrString(ptab, nullptr, "leader", &present), &code))
        stop.tabLead = static_cast<std::int16_t>(code);
    stop.tabIndent = positionalTabIndent(ptab, stop.tabJust, page, rule);
    rule->tabs.tab[0] = stop;
    rule->tabs.tabs = 1;
    setMaskBit(rule->changeBits, kBitTabs);
}

}  // namespace

void CWordMLImporter::applyParagraphProperties(xmlNode* paragraph) {
    if (paragraph == nullptr) return;
    for (xmlNode* child = paragraph->children; child != nullptr; child = child->next) {
        if (!xmlIsElement(child, "w", "pPr")) continue;
        if (xmlNextElement(child, "w", "fldSimple") == nullptr)
            readParagraphProperties(child, &block->page, &block->rule, &block->form, nullptr, 0);
        return;
    }
}

void CWordMLImporter::readParagraphProperties(xmlNode* properties, XPage* page, XRule* rule, XForm* form, TStyle* owner,
                                              std::int16_t clear) {
    if (properties == nullptr || rule == nullptr) return;
    if (clear == 1) std::memset(rule->changeBits, 0, sizeof rule->changeBits);
    rule->uniqueBits = xmlGetUniqueTag(properties);
    bool lookedForPositionalTab = false;
    for (xmlNode* child = properties->children; child != nullptr; child = child->next) {
        if (readParagraphChild(child, page, rule, form, owner) || rule->tabs.tabs != 0 || lookedForPositionalTab) continue;
        // A positional tab lies anywhere in the rest of the paragraph; one look answers for every child.
        lookedForPositionalTab = true;
        if (xmlNode* ptab = xmlFindElement(properties, "w", "ptab", 1)) readPositionalTab(ptab, page, rule);
    }
    mergeListLevel(rule);
}

// Answers false for a child that no row of the reader knows (which sends the reader looking for a
// positional tab).
bool CWordMLImporter::readParagraphChild(xmlNode* child, XPage* page, XRule* rule, XForm* form, TStyle* owner) {
    std::int16_t present = 0;
    if (xmlIsElement(child, "w", "pStyle")) {
        if (const char* style = xmlGetAttrString(child, nullptr, "val", &present)) {
            const std::string identifier(style);
            applyParagraphStyleChain(identifier.c_str(), page, rule, form, 0);
        }
        return true;
    }
    for (const ToggleRow& toggle : kToggles) {
        if (!xmlIsElement(child, "w", toggle.name)) continue;
        rule->*toggle.field = xmlGetToggle(child);
        setMaskBit(rule->changeBits, toggle.bit);
        return true;
    }
    if (isOneOf(child, kIgnoredChildren)) return true;
    if (xmlIsElement(child, "w", "framePr")) {
        parseFrameProperties(child, &rule->frame);
        rule->frameType = 1;
        setMaskBit(rule->changeBits, kBitFrame);
        setMaskBit(rule->changeBits, kBitFrameType);
    } else if (xmlIsElement(child, "w", "listPr") || xmlIsElement(child, "w", "numPr")) {
        readListMembership(child, rule);
        setMaskBit(rule->changeBits, kBitLevel);
    } else if (xmlIsElement(child, "w", "pBdr")) {
        readBorders(child, rule);
    } else if (xmlIsElement(child, "w", "shd")) {
        parseShading(child, &rule->shading, &rule->shading.patternTint, &rule->shading.patternFill);
        rule->shadingType = 1;
        setMaskBit(rule->changeBits, kBitShading);
        setMaskBit(rule->changeBits, kBitShadingType);
    } else if (xmlIsElement(child, "w", "tabs")) {
        readTabs(child, rule);
    } else if (xmlIsElement(child, "w", "spacing")) {
        readSpacing(child, rule);
    } else if (xmlIsElement(child, "w", "ind")) {
        readIndentation(child, rule);
    } else if (xmlIsElement(child, "w", "jc")) {
        if (const char* value = xmlGetAttrString(child, nullptr, "val", &present)) {
            rule->justification = static_cast<std::int16_t>(lookupJustification(value));
            setMaskBit(rule->changeBits, kBitJustification);
        }
    } else if (xmlIsElement(child, "w", "outlineLvl")) {
        const std::int32_t level = xmlGetAttrInt(child, nullptr, "val", &present);
        if (present && fitsInt16(static_cast<std::int64_t>(level) + 1)) {
            rule->outlineLevelOrSubdocument = static_cast<std::int16_t>(level + 1);
            setMaskBit(rule->changeBits, kBitOutlineLevel);
        }
    } else if (xmlIsElement(child, "w", "rPr")) {
        if (owner != nullptr) readRunProperties(child, &owner->form, owner, 0);
    } else if (xmlIsElement(child, "w", "sectPr")) {
        if (owner != nullptr) readSectionProperties(child, &owner->page);
    } else {
        return false;
    }
    return true;
}

void CWordMLImporter::readListMembership(xmlNode* list, XRule* rule) {
    XLevel& level = rule->level;
    std::int16_t present = 0;
    for (xmlNode* child = list->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "ilvl")) {
            const std::int32_t value = xmlGetAttrInt(child, nullptr, "val", &present);
            if (present && fitsInt16(value)) level.ilvl = static_cast<std::int16_t>(value);
        } else if (xmlIsElement(child, "w", "ilfo") || xmlIsElement(child, "w", "numId")) {
            const std::int32_t value = xmlGetAttrInt(child, nullptr, "val", &present);
            if (present) level.ls = value;
        } else if (xmlIsElement(child, "wx", "t")) {
            if (const char* text = xmlGetAttrString(child, nullptr, "val", &present)) {
                const std::u16string& kept = levelTexts.keep(utf8ToUtf16String(text));
                // Records never write through their level text; the importer owns it (LevelTexts.h).
                level.text = const_cast<char16_t*>(kept.c_str());
                level.textLength = static_cast<std::uint32_t>(kept.size());
            }
            firstNumber16(child, {"wTabBefore"}, &level.wTabBefore);
            firstNumber16(child, {"wTabAfter"}, &level.wTabAfter);
        } else if (xmlIsElement(child, "wx", "font")) {
            const char* font = xmlGetAttrString(child, nullptr, "val", &present);
            if (font != nullptr && std::strlen(font) < kLevelFontLimit) std::strcpy(level.font, font);
        }
    }
}
