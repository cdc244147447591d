#pragma once
// The parameter-block dump: while the option dumpParamBlocks is on, the import engine calls
// dumpXParamBlock after every text-run request, with the name of the input file, the block and the number
// of the request within the current story (1 for the first).
//
// Each call writes "ParamBlock%03d.txt" (ParamBlock001.txt for number 1) into the folder
// "blocks of '<input name without its extension>'" on the user's Desktop, creating the folder when it is
// missing and replacing an older file of the same name: the run's text length, its first UTF-16 unit, and
// the dumps of the block's current character, paragraph and section records (RecordDumps.h).
//
// A diagnostic never harms the conversion: every failure (the Desktop, the folder or the file cannot be
// reached or made, memory is lacking) ends the dump of that run silently, keeping what was written.
#include <cstdint>

#include "foundation/text/PascalWString.h"
#include "model/params/XParamBlock.h"

void dumpXParamBlock(const PascalWString& source, const XParamBlock& block, std::int16_t number);
