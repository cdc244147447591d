// Stand-ins for the operations of CWordMLImporter whose readers are not built yet: list levels add
// nothing to a paragraph's own properties. Listed in docs/stand-ins.md.
#include "import/wordml/CWordMLImporter.h"

void CWordMLImporter::mergeListLevel(XRule*) {}
