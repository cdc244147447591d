#pragma once
// The element "AUTHORS" under "Zevozav", read back into the block's (empty) author table: one name per
// "AUTHOR%03d" child up to "authorLength". Revision marks name their author by index, so entry k is
// child k - 1 whatever its name: a stored null name, or a name stored twice, keeps its place. An
// "author_initials" beside the name gives the author its initials.
#include "model/params/XParamBlock.h"
#include "model/storage/CStream.h"

// A child without a name, or with the storage's null marker, gives a null entry. An absent element
// raises CFail 22 (RequiredElement.h); lacking memory, CFail 12. The names read before a failure stay.
void readAuthorTable(CStream& documentElement, XParamBlock& block);
