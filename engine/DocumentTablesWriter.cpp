#include "engine/DocumentTablesWriter.h"

#include "engine/AuthorTableWriter.h"
#include "engine/BackgroundWriter.h"
#include "engine/ColorTableWriter.h"
#include "engine/DocumentInfoWriter.h"
#include "engine/FontTableWriter.h"
#include "engine/ListTableWriter.h"
#include "engine/StyleElementWriter.h"
#include "model/RecordWriting.h"

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
