#pragma once
// The children of the document element "Zevozav", written from the parameter block as the importer
// left it after the last sheet, so every font, style, list, colour and author the stories added is in.
#include "model/params/XParamBlock.h"
#include "model/storage/CStream.h"

class CFile;

// importerName: the importer's name, stored as the original file type; inputFile (or null for a folder
// item never opened) gives the original file's size and dates.
void writeDocumentTables(XParamBlock& block, CStream& documentElement, const char* importerName, CFile* inputFile);
