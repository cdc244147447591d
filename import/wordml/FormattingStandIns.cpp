// Stand-ins for the operations of CWordMLImporter whose readers are not built yet: paragraph and
// character styles and list levels add nothing to a paragraph's or run's own properties. Listed in
// docs/stand-ins.md.
#include "import/wordml/CWordMLImporter.h"

void CWordMLImporter::applyParagraphStyleChain(const char*, XPage*, XRule*, XForm*, std::int16_t) {}
void CWordMLImporter::applyCharacterStyleChain(const char*, XForm*, std::int16_t, std::int16_t) {}
void CWordMLImporter::mergeListLevel(XRule*) {}
