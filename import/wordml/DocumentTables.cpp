// The document tables and defaults of CWordMLImporter: the font table, the theme-font languages, the
// revision authors, the node that governs a paragraph's section, the resets of the current records
// to the document defaults, and the revision date.
#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/properties/PropertyMerges.h"
#include "model/tables/CAuthorArray.h"
#include "model/tables/CFontArray.h"
#include "model/params/XParamBlock.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"
#include "foundation/text/NameCompare.h"

namespace {

constexpr const char* kUnit = "BL_WordML(imp)";
// The letter page: WordprocessingML documents give their page size in their sections.
constexpr std::int16_t kLetterPage = 2;

struct FamilyName {
    const char* name;
    std::int16_t code;
};

constexpr FamilyName kFamilies[] = {{"Decorative", 5}, {"Modern", 3}, {"Roman", 1},
                                    {"Script", 4},     {"Swiss", 2},  {"Auto", 0}};

constexpr const char* kFallbackTextFont = "Times New Roman";

void copyFontName(XFont& font, const char* name) {
    const std::size_t length = std::min(std::strlen(name), sizeof font.fontPCName - 1);
    std::memcpy(font.fontPCName, name, length);
    font.fontPCName[length] = '\0';
}

// Two hexadecimal digits of either case ("CC" is 204); 0 when there are none.
std::int16_t hexadecimalCharset(const char* text) {
    std::int32_t value = 0;
    for (int i = 0; i < 4 && std::isxdigit(static_cast<unsigned char>(text[i])); ++i) {
        const int digit = std::toupper(static_cast<unsigned char>(text[i]));
        value = value * 16 + (digit <= '9' ? digit - '0' : digit - 'A' + 10);
    }
    return static_cast<std::int16_t>(value);
}

// The digits at [start, start + count) as a number; 0 when the piece does not begin with a digit or
// lies past the end.
std::uint32_t datePiece(const char* text, std::size_t length, std::size_t start, std::size_t count) {
    if (start >= length || !std::isdigit(static_cast<unsigned char>(text[start]))) return 0;
    std::uint32_t value = 0;
    for (std::size_t i = start; i < start + count && i < length && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
    return value;
}

}  // namespace

void CWordMLImporter::setDefaultLanguages() {
    if (latinLanguage.empty()) latinLanguage = "en-US";
    if (eastAsianLanguage.empty()) eastAsianLanguage = "jp-JA";
    if (complexScriptLanguage.empty()) complexScriptLanguage = "he-IL";
}

void CWordMLImporter::readFonts(xmlNode* fonts) {
    for (xmlNode* child = fonts != nullptr ? fonts->children : nullptr; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "font")) readFont(child);
    }
    // Text without a font of its own is written in the table's first font: a document that names no
    // fonts must not leave that place to the symbol font, whose glyphs would replace every letter.
    throwIfNull(block->fonts, __LINE__, kUnit);
    if (block->fonts->getCount() == 0) addFontNamed(kFallbackTextFont);
    addFontNamed("Symbol");
}

std::int16_t CWordMLImporter::readFont(xmlNode* element) {
    throwIfNull(block->fonts, __LINE__, kUnit);
    XFont font{};
    std::int16_t present = 0;
    if (const char* name = xmlGetAttrString(element, nullptr, "name", &present)) copyFontName(font, name);
    for (xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "charset")) {
            if (const char* value = xmlGetAttrString(child, nullptr, "val", &present))
                font.fontCharset = hexadecimalCharset(value);
        } else if (xmlIsElement(child, "w", "family")) {
            const char* value = xmlGetAttrString(child, nullptr, "val", &present);
            for (const FamilyName& family : kFamilies) {
                if (value != nullptr && compareNames(value, family.name) == 0) font.fontFamily = family.code;
            }
        }
    }
    return block->fonts->add(font);
}

std::int16_t CWordMLImporter::addFontNamed(const char* name) {
    throwIfNull(block->fonts, __LINE__, kUnit);
    XFont font{};
    copyFontName(font, name);
    return block->fonts->add(font);
}

std::int16_t CWordMLImporter::findFont(const char* name) {
    if (name == nullptr) return 0;
    return addFontNamed(name);
}

void CWordMLImporter::collectAnnotationAuthors(xmlNode* first) {
    for (xmlNode* node = first; node != nullptr; node = node->next) {
        if (xmlIsElement(node, "aml", "annotation")) {
            std::int16_t present = 0;
            if (const char* author = xmlGetAttrString(node, nullptr, "author", &present)) {
                throwIfNull(block->authors, __LINE__, kUnit);
                block->authors->add(author);
            }
        } else if (node->children != nullptr) {
            collectAnnotationAuthors(node->children);
        }
    }
}

xmlNode* CWordMLImporter::findSectionNode(xmlNode* node) {
    if (node != nullptr) {
        if (xmlNode* subSection = xmlNextElement(node, "wx", "sub-section")) return subSection;
        if (xmlNode* section = xmlNextElement(node, "wx", "sect")) return section;
        if (xmlNode* holder = nextSectionHolder(node)) return holder;
    }
    if (bodyElement == nullptr) return nullptr;
    // Every paragraph of the last section asks: the body's children are searched once.
    if (!bodySectionHolder) {
        xmlNode* bodySection = xmlFindElement(bodyElement->children, "w", "sectPr", 0);
        bodySectionHolder = bodySection != nullptr ? bodySection->parent : nullptr;
    }
    return *bodySectionHolder;
}

xmlNode* CWordMLImporter::sectionPropertiesOf(xmlNode* section) {
    if (section == nullptr) return nullptr;
    const auto known = sectionPropertiesByNode.find(section);
    if (known != sectionPropertiesByNode.end()) return known->second;
    xmlNode* properties = xmlFindElement(section->children, "w", "sectPr", 0);
    sectionPropertiesByNode.emplace(section, properties);
    return properties;
}

void CWordMLImporter::forgetSectionLookups() {
    sectionHolders.clear();
    bodySectionHolder.reset();
    sectionPropertiesByNode.clear();
}

// The element holding the first w:sectPr inside the node or a w:p among its following siblings. Every
// paragraph of a story asks, so the answers are kept: each sibling list is searched once.
xmlNode* CWordMLImporter::nextSectionHolder(xmlNode* node) {
    std::vector<const xmlNode*> unanswered;
    xmlNode* holder = nullptr;
    for (const xmlNode* sibling = node; sibling != nullptr; sibling = sibling->next) {
        const auto known = sectionHolders.find(sibling);
        if (known != sectionHolders.end()) {
            holder = known->second;
            break;
        }
        unanswered.push_back(sibling);
        if (!xmlIsElement(sibling, "w", "p")) continue;
        if (xmlNode* properties = xmlFindElement(sibling->children, "w", "sectPr", 1)) {
            holder = properties->parent;
            break;
        }
    }
    for (const xmlNode* asked : unanswered) sectionHolders[asked] = holder;
    return holder;
}

// Every item starts from the document defaults and the default paragraph and character styles; the
// defaults keep the records' styleTag.
void CWordMLImporter::resetSectionDefaults() {
    initXPage(&block->page, kLetterPage);
    copyXFootnote(&block->page.footnote, &footnoteFormat);
    copyXFootnote(&block->page.endnote, &endnoteFormat);
    if (styles != nullptr) mergeProperties(&block->page, &styles->docDefaults.page);
}

void CWordMLImporter::resetParagraphDefaults() {
    if (styles == nullptr) {
        initXRule(&block->rule);
        initXForm(&block->form);
        return;
    }
    const char* paragraphStyle = styles->defaultStyleId(styletype::kParagraph);
    if (paragraphDefaults == nullptr) {
        auto defaults = std::make_unique<ParagraphDefaults>();
        initXRule(&defaults->rule);
        initXForm(&defaults->form);
        mergeRuleProperties(&defaults->rule, &styles->docDefaults.rule);
        mergeFormProperties(&defaults->form, &styles->docDefaults.form, FaceMerge::kReplace);
        if (paragraphStyle != nullptr)
            applyParagraphStyleChain(paragraphStyle, nullptr, &defaults->rule, &defaults->form, 1);
        paragraphDefaults = std::move(defaults);
    }
    copyXRule(&block->rule, &paragraphDefaults->rule);
    copyXForm(&block->form, &paragraphDefaults->form);
    // The section record goes on from the paragraph before: the defaults are merged into it each time.
    mergeProperties(&block->page, &styles->docDefaults.page);
    if (paragraphStyle != nullptr) applyParagraphStyleChain(paragraphStyle, &block->page, nullptr, nullptr, 1);
}

void CWordMLImporter::resetCharacterDefaults() {
    initXForm(&block->form);
    if (styles == nullptr) return;
    mergeFormProperties(&block->form, &styles->docDefaults.form, FaceMerge::kReplace);
    if (const char* characterStyle = styles->defaultStyleId(styletype::kCharacter))
        applyCharacterStyleChain(characterStyle, &block->form, 1, 0);
}

std::uint32_t CWordMLImporter::parseDateTime(const char* text) {
    if (text == nullptr) return 0;
    const std::size_t length = std::strlen(text);
    const std::uint32_t year = datePiece(text, length, 0, 4);
    const std::uint32_t month = datePiece(text, length, 5, 2);
    const std::uint32_t day = datePiece(text, length, 8, 2);
    const std::uint32_t hour = datePiece(text, length, 11, 2);
    const std::uint32_t minute = datePiece(text, length, 14, 2);
    return ((year - 1900u) << 20) | (month << 16) | (day << 11) | (hour << 6) | minute;
}
