#include "engine/DocumentTablesWriter.h"

void writeDocumentTables(XParamBlock&, CStream&, const char*, CFile*) {}
