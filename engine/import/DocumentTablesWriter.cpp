#include "engine/import/DocumentTablesWriter.h"

#include "engine/import/AuthorTableWriter.h"
#include "engine/import/BackgroundWriter.h"
#include "engine/import/ColorTableWriter.h"
#include "engine/import/DocumentInfoWriter.h"
#include "engine/import/FontTableWriter.h"
#include "engine/import/ListTableWriter.h"
#include "engine/import/StyleElementWriter.h"
#include "model/records/RecordWriting.h"

void writeDocumentTables(XParamBlock& block, CStream& documentElement, const char* importerName, CFile* inputFile) {
    fillInputFacts(block, importerName, inputFile);
    writeDocumentInfo(block, documentElement);
    writeFontTable(block, documentElement);
    writeStyleTable(block, documentElement);
    writeListTables(block, documentElement);
    writeColorTable(block, documentElement);
    writeAuthorTable(block, documentElement);
    writeBackground(block, documentElement);
    // The theme does not travel through the storage: its element is always empty.
    ChildElement theme(documentElement, "THEME");
}
