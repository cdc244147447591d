#include "engine/DocumentTablesWriter.h"

#include "engine/DocumentInfoWriter.h"
#include "engine/FontTableWriter.h"

void writeDocumentTables(XParamBlock& block, CStream& documentElement, const char* importerName, CFile* inputFile) {
    fillInputFacts(block, importerName, inputFile);
    writeDocumentInfo(block, documentElement);
    writeFontTable(block, documentElement);
}
