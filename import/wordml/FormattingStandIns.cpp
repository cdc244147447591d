// Stand-ins for the operations of CWordMLImporter whose readers are not built yet: the note properties
// keep the defaults. Listed in docs/stand-ins.md.
#include "import/wordml/CWordMLImporter.h"

void CWordMLImporter::readNoteProperties(xmlNode*, XFootnote*) {}
