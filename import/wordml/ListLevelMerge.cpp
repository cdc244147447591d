// A numbered paragraph takes the paragraph formatting of its list level: every field that the level's
// rule states is laid over what the paragraph's own properties gave.
#include <cstring>

#include "foundation/FieldMask.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/TListDefsArray.h"
#include "model/RecordFields.h"
#include "model/RecordTables.h"

namespace {

// Copies each field whose change bit is set in the source and marks it in the target.
void layStatedFields(const XRule& source, XRule* target) {
    for (const FieldSpec& field : kXRuleTable.fields) {
        if (field.bit == kAlways || testMaskBit(source.changeBits, field.bit) != 1) continue;
        std::memcpy(fieldAddress(field, target), fieldAddress(field, &source), field.size);
        setMaskBit(target->changeBits, field.bit);
    }
}

}  // namespace

void CWordMLImporter::mergeListLevel(XRule* rule) {
    if (rule == nullptr || lists == nullptr || rule->level.ls == 0) return;
    const std::int16_t index = rule->level.ilvl;
    if (index < 0 || index >= kListLevels) return;
    if (const TListDef* definition = lists->findDefForOvr(rule->level.ls))
        layStatedFields(definition->def.levels[index].levelRule, rule);
}
