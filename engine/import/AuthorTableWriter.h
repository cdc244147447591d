#pragma once
// The element "AUTHORS" under "Zevozav": "authorLength" and one "AUTHOR%03d" child per revision author
// of the block's table (entry 1 in AUTHOR000), each with its name and, when the author has them, its
// initials ("author_initials").
#include "model/params/XParamBlock.h"
#include "model/storage/CStream.h"

void writeAuthorTable(const XParamBlock& block, CStream& documentElement);
