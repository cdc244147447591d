// A numbered paragraph takes the paragraph formatting of its list level: every field that the level's
// rule states is laid over what the paragraph's own properties gave, the same merge a style's rule gets.
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/lists/TListDefsArray.h"
#include "import/wordml/properties/PropertyMerges.h"

void CWordMLImporter::mergeListLevel(XRule* rule) {
    if (rule == nullptr || lists == nullptr || rule->level.ls == 0) return;
    const std::int16_t index = rule->level.ilvl;
    if (index < 0 || index >= kListLevels) return;
    if (const TListDef* definition = lists->findDefForOvr(rule->level.ls))
        mergeRuleProperties(rule, &definition->def.levels[index].levelRule);
}
