#pragma once
// The element "XInfo" under "Zevozav": the document information record (version 4000, flag 0, the
// block's mark) and every field of the document head, after the head has been completed with the facts
// about the input file (its name, its size and dates, and the importer's name as its type).
#include "model/params/XParamBlock.h"
#include "model/storage/CStream.h"

class CFile;

// Completes block.head from the input file (null for none) and the importer's name.
void fillInputFacts(XParamBlock& block, const char* importerName, CFile* inputFile);
// Writes "XInfo" as a new child of the document element.
void writeDocumentInfo(const XParamBlock& block, CStream& documentElement);
