// The style sheet (w:styles of a Word 2003 document, the root of a package's styles part) read into the
// importer's TStylesArray with the document defaults, and handed to the engine's style table once the
// lists are read: one XStyle per style in sheet order, a table style's conditional parts as its
// sub-styles. A style without an identifier, or with one already used, is dropped; latent styles are
// not read.
#include <cstring>
#include <limits>
#include <memory>

#include "foundation/FieldMask.h"
#include "foundation/text/NameCompare.h"
#include "foundation/text/TextBoundary.h"
#include "foundation/text/TextCompare.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/lists/TListDefsArray.h"
#include "import/wordml/properties/PropertyMerges.h"
#include "import/wordml/styles/TStylesArray.h"
#include "model/params/ParamBlockTables.h"
#include "model/params/XParamBlock.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

// The row set's change bit in a paragraph record.
constexpr int kRuleRowsBit = 45;

constexpr struct {
    const char* type;
    std::int16_t code;
} kStyleTypes[] = {
    {"paragraph", styletype::kParagraph}, {"character", styletype::kCharacter}, {"table", styletype::kTable},
    {"numbering", styletype::kNumbering}, {"list", styletype::kNumbering},
};

constexpr struct {
    const char* element;
    std::uint32_t flag;
} kFlagElements[] = {
    {"autoRedefine", styleflag::kAutoRedefine},   {"hidden", styleflag::kHidden},
    {"semiHidden", styleflag::kSemiHidden},       {"locked", styleflag::kLocked},
    {"personal", styleflag::kPersonal},           {"personalCompose", styleflag::kPersonalCompose},
    {"personalReply", styleflag::kPersonalReply}, {"qFormat", styleflag::kQuickFormat},
    {"unhideWhenUsed", styleflag::kUnhideWhenUsed},
};

struct StyleRelease {
    void operator()(XStyle* style) const { disposeXStyle(style); }
};
using OwnedXStyle = std::unique_ptr<XStyle, StyleRelease>;

std::string valueOf(const xmlNode* element) {
    std::int16_t present = 0;
    const char* value = xmlGetAttrString(element, nullptr, "val", &present);
    return value != nullptr ? std::string(value) : std::string();
}

bool isIgnoredStyleChild(const xmlNode* child) {
    return xmlIsElement(child, "w", "aliases") || xmlIsElement(child, "wx", "uiName") || xmlIsElement(child, "w", "sti") ||
           xmlIsElement(child, "w", "rsid");
}

void readStyleAttributes(const xmlNode* element, TStyle* style) {
    std::int16_t present = 0;
    if (const char* type = xmlGetAttrString(element, nullptr, "type", &present)) {
        for (const auto& row : kStyleTypes) {
            if (compareNames(type, row.type) == 0) style->type = row.code;
        }
    }
    if (const char* id = xmlGetAttrString(element, nullptr, "styleId", &present)) style->styleId = id;
    const std::int16_t isDefault = xmlGetAttrBool(element, nullptr, "default", &present);
    if (present != 0) style->isDefault = isDefault;
}

// A name, a chain link or a flag; false for any other child.
bool readStyleField(const xmlNode* child, TStyle* style) {
    if (xmlIsElement(child, "w", "name")) {
        style->name = valueOf(child);
    } else if (xmlIsElement(child, "w", "basedOn")) {
        style->basedOn = valueOf(child);
    } else if (xmlIsElement(child, "w", "next")) {
        style->next = valueOf(child);
    } else if (xmlIsElement(child, "w", "link")) {
        style->link = valueOf(child);
    } else if (xmlIsElement(child, "w", "uiPriority")) {
        std::int16_t present = 0;
        const std::int32_t priority = xmlGetAttrInt(child, nullptr, "val", &present);
        if (present != 0) style->uiPriority = priority;
    } else {
        for (const auto& row : kFlagElements) {
            if (!xmlIsElement(child, "w", row.element)) continue;
            if (xmlGetToggle(child) == 1) style->flags |= row.flag;
            return true;
        }
        return false;
    }
    return true;
}

// The 1-based index of the linked style; -1 when the link is absent or names no style.
std::int32_t linkIndex(const TStylesArray* styles, const std::string& link) {
    if (styles == nullptr || link.empty()) return -1;
    return styles->styleIndex(link.c_str());
}

}  // namespace

void CWordMLImporter::readStyles(xmlNode* element) {
    paragraphDefaults.reset();  // the styles change
    if (styles == nullptr) styles = std::make_unique<TStylesArray>();
    if (element == nullptr) return;
    for (xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "docDefaults")) {
            for (xmlNode* defaults = child->children; defaults != nullptr; defaults = defaults->next) {
                if (xmlIsElement(defaults, "w", "rPrDefault") || xmlIsElement(defaults, "w", "pPrDefault"))
                    readStyle(defaults, &styles->docDefaults);
            }
        } else if (xmlIsElement(child, "w", "style")) {
            readStyle(child, nullptr);
        }
    }
}

void CWordMLImporter::readStyle(xmlNode* element, TStyle* target) {
    paragraphDefaults.reset();  // the styles change
    if (element == nullptr) return;
    std::unique_ptr<TStyle> created;
    if (target == nullptr) {
        created = std::make_unique<TStyle>(0);
        target = created.get();
    }
    readStyleAttributes(element, target);
    for (xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE || isIgnoredStyleChild(child) || readStyleField(child, target)) continue;
        readStyleFormatting(child, target);
    }
    if (created == nullptr) return;
    if (styles == nullptr) styles = std::make_unique<TStylesArray>();
    // The first style of an identifier wins; a style without one is dropped with the later ones.
    styles->appendStyle(created);
}

void CWordMLImporter::readStyleFormatting(xmlNode* child, TStyle* style) {
    XRows& rows = style->rule.rows;
    if (xmlIsElement(child, "w", "pPr")) {
        readParagraphProperties(child, &style->page, &style->rule, &style->form, style, 0);
    } else if (xmlIsElement(child, "w", "rPr")) {
        readRunProperties(child, &style->form, style, 0);
    } else if (xmlIsElement(child, "w", "tblPr")) {
        // The table reader starts its row set afresh; what a row or cell element before it set stays.
        std::uint8_t earlier[8];
        std::memcpy(earlier, rows.changeBits, sizeof earlier);
        readTableProperties(child, &style->rule, &style->form, &rows);
        for (std::size_t i = 0; i < sizeof earlier; ++i) rows.changeBits[i] |= earlier[i];
        setMaskBit(style->rule.changeBits, kRuleRowsBit);
    } else if (xmlIsElement(child, "w", "trPr")) {
        readRowProperties(child, &rows);
        setMaskBit(style->rule.changeBits, kRuleRowsBit);
    } else if (xmlIsElement(child, "w", "tcPr")) {
        readCellProperties(std::string(), 0, 0, child, &rows, -1);
        setMaskBit(style->rule.changeBits, kRuleRowsBit);
    } else if (xmlIsElement(child, "w", "tblStylePr")) {
        std::int16_t present = 0;
        auto part = std::make_unique<TStyle>(tableStylePartKind(xmlGetAttrString(child, nullptr, "type", &present)));
        readStyle(child, part.get());
        style->parts.addPart(std::move(part));
    }
}

void CWordMLImporter::publishStyles() {
    if (styles == nullptr) return;
    for (std::int32_t index = 1; static_cast<std::size_t>(index) <= styles->count(); ++index) {
        TStyle* style = styles->styleAt(index);
        linkListLevel(style);
        OwnedXStyle record(newXStyle());
        makeXStyle(record.get(), *style);
        addStyle(record.release(), block);  // the table owns it from here, also when the add fails
    }
}

// A paragraph style tied to a list takes the rule of the level that names it: its indents and tabs.
void CWordMLImporter::linkListLevel(TStyle* style) {
    paragraphDefaults.reset();  // the styles change
    if (style->rule.level.ls == 0 || lists == nullptr) return;
    const TListDef* definition = lists->findDefForOvr(style->rule.level.ls);
    if (definition == nullptr) return;
    for (const XListLevel& level : definition->def.levels) {
        const std::string levelStyle(level.levelStyle, strnlen(level.levelStyle, sizeof level.levelStyle));
        if (levelStyle.empty() || compareText(levelStyle.c_str(), style->styleId.c_str(), 0) != 0) continue;
        mergeRuleProperties(&style->rule, &level.levelRule);
        return;
    }
}

void CWordMLImporter::makeXStyle(XStyle* out, const TStyle& in) {
    std::memset(static_cast<void*>(out), 0, sizeof *out);
    copyXForm(&out->styleForm, &in.form);
    copyXRule(&out->styleRule, &in.rule);
    copyXPage(&out->stylePage, &in.page);
    out->styleAttr = in.partKind;
    out->styleType = in.type;
    out->styleFlag = in.isDefault;
    out->styleIndx = in.index;
    out->styleSort = in.uiPriority;
    out->styleBits = static_cast<std::int32_t>(in.flags);
    out->styleBase = linkIndex(styles.get(), in.basedOn);
    out->styleNext = linkIndex(styles.get(), in.next);
    out->styleLink = linkIndex(styles.get(), in.link);
    placeUtf8(out->styleName, sizeof out->styleName, in.name);
    // The record owns each sub-style as soon as it is made, so a failure part way leaves nothing behind.
    for (std::size_t i = 0; i < in.parts.count() && i < static_cast<std::size_t>(kMaxSubStyles); ++i) {
        OwnedXStyle part(newXStyle());
        makeXStyle(part.get(), *in.parts.partAt(i));
        out->subStyles[i] = part.release();
        out->styleSubCount = static_cast<std::int16_t>(i + 1);
    }
}
