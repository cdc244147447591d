#pragma once
// Copies of a whole parameter block. A copy is shallow: it shares every table, list array, buffer, the
// theme and whatever its records point to (an XForm's picture) with its source, and holds its own
// values, records, mark and file specification. The export engine makes one to give an exporter a
// passing block (a generated one-run story) that sees the document's tables.
//
// The source stays the owner: a copy is never passed to disposeXParamBlock and is given up before its
// source is disposed. Disposing the source releases each shared object once.
//
// A local block that will be set up by initXParamBlock or filled by copyParamBlock is declared
// `XParamBlock block{};`: every byte zero, its file specification included, nothing allocated.
#include "model/params/XParamBlock.h"

// Member by member, every member of the source into the destination. Answers the destination.
XParamBlock* copyParamBlock(XParamBlock* destination, const XParamBlock* source);
