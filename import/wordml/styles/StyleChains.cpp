// Styles applied through their basedOn chains: the farthest ancestor first, the named style last, each
// merged field by field into the records a reader is filling (PropertyMerges.h). The chain operations
// write the named style's index into the record's styleTag (-1 for an identifier that names no style)
// unless the caller keeps the tag, as the resets to the default styles do. A table cell gets the default
// cells of its table style's chain, then the conditional parts of the named style that its mask selects.
#include "foundation/FieldMask.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/properties/PropertyMerges.h"
#include "import/wordml/styles/TStyleStack.h"
#include "import/wordml/styles/TStylesArray.h"

namespace {

// The parts a cell's mask selects, in the order they are laid on: later parts override earlier ones,
// so columns override rows, bands override both and corner cells override everything.
constexpr std::int16_t kSelectableParts[] = {
    tablepart::kFirstRow,        tablepart::kLastRow,         tablepart::kFirstColumn,   tablepart::kLastColumn,
    tablepart::kBand1Vertical,   tablepart::kBand2Vertical,   tablepart::kBand1Horizontal, tablepart::kBand2Horizontal,
    tablepart::kNorthEastCell,   tablepart::kNorthWestCell,   tablepart::kSouthEastCell, tablepart::kSouthWestCell,
};

constexpr std::int16_t kKeepTag = 1;

XRow* cellAt(XRows* rows, std::int16_t position) {
    if (rows == nullptr || position < 0 || position >= kMaxRowCells) return nullptr;
    return &rows->cells[position];
}

}  // namespace

std::int32_t CWordMLImporter::styleTagOf(const char* styleId) const {
    return styles != nullptr ? styles->styleIndex(styleId) : -1;
}

void CWordMLImporter::applyStyleChain(const char* styleId, XPage* page, std::int16_t keepTag) {
    if (page == nullptr) return;
    if (keepTag != kKeepTag) page->styleTag = styleTagOf(styleId);
    TStyleStack chain;
    chain.gatherChain(styles.get(), styleId);
    while (const TStyle* style = chain.pop()) mergeProperties(page, &style->page);
}

void CWordMLImporter::applyParagraphStyleChain(const char* styleId, XPage* page, XRule* rule, XForm* form,
                                               std::int16_t keepTag) {
    if (rule != nullptr && keepTag != kKeepTag) rule->styleTag = styleTagOf(styleId);
    TStyleStack chain;
    chain.gatherChain(styles.get(), styleId);
    while (const TStyle* style = chain.pop()) {
        if (page != nullptr) mergeProperties(page, &style->page);
        if (rule != nullptr) mergeRuleProperties(rule, &style->rule);
        if (form != nullptr) mergeFormProperties(form, &style->form, FaceMerge::kReplace);
    }
}

void CWordMLImporter::applyCharacterStyleChain(const char* styleId, XForm* form, std::int16_t keepTag,
                                               std::int16_t faceMode) {
    if (form == nullptr) return;
    if (keepTag != kKeepTag) form->styleTag = styleTagOf(styleId);
    const FaceMerge faces = faceMode == 1 ? FaceMerge::kAdd : FaceMerge::kReplace;
    TStyleStack chain;
    chain.gatherChain(styles.get(), styleId);
    while (const TStyle* style = chain.pop()) mergeFormProperties(form, &style->form, faces);
}

void CWordMLImporter::applyTableStyleChain(const char* styleId, XRule* rule, XForm* form, XRows* rows,
                                           std::int16_t keepTag) {
    if (rows != nullptr && keepTag != kKeepTag) rows->styleTag = styleTagOf(styleId);
    TStyleStack chain;
    chain.gatherChain(styles.get(), styleId);
    while (const TStyle* style = chain.pop()) {
        if (rule != nullptr) mergeRuleProperties(rule, &style->rule);
        if (form != nullptr) mergeFormProperties(form, &style->form, FaceMerge::kReplace);
        if (rows != nullptr) mergeRowsProperties(rows, &style->rule.rows);
    }
}

void CWordMLImporter::applyCellStyleChain(const char* styleId, XRows* rows, std::int16_t cellPosition) {
    XRow* cell = cellAt(rows, cellPosition);
    if (cell == nullptr) return;
    TStyleStack chain;
    chain.gatherChain(styles.get(), styleId);
    while (const TStyle* style = chain.pop()) mergeCellProperties(style->rule.rows.changeBits, cell, &style->rule.rows.defRow);
}

void CWordMLImporter::applyTableStyleTextParts(const char* styleId, std::int16_t mask, XForm* form) {
    if (mask == 0 || form == nullptr || styles == nullptr) return;
    const TStyle* style = styles->findStyle(styleId);
    if (style == nullptr) return;
    for (const std::int16_t kind : kSelectableParts) {
        if ((mask & kind) == 0) continue;
        if (const TStyle* part = style->parts.findPart(kind)) mergeFormProperties(form, &part->form, FaceMerge::kReplace);
    }
}

// Only the named style's own parts apply, not those of its ancestors.
void CWordMLImporter::applyTableStyleParts(const char* styleId, std::int16_t mask, XRows* rows, std::int16_t cellPosition) {
    XRow* cell = cellAt(rows, cellPosition);
    if (mask == 0 || cell == nullptr || styles == nullptr) return;
    const TStyle* style = styles->findStyle(styleId);
    if (style == nullptr) return;
    for (const std::int16_t kind : kSelectableParts) {
        if ((mask & kind) == 0) continue;
        if (const TStyle* part = style->parts.findPart(kind))
            mergeCellProperties(part->rule.rows.changeBits, cell, &part->rule.rows.defRow);
    }
}
