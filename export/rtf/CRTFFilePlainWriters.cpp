// The plain forms of the emitter's head writers that have no formatting writers yet (see CRTFFile.h):
// no style sheet and no lists.
#include "export/rtf/CRTFFile.h"

void CRTFFile::writeStyleSheet() {}
void CRTFFile::writeListTables() {}
