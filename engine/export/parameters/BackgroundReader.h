#pragma once
// The element "BACKGROUND" under "Zevozav", read back: "backLength" into the block's background length
// and, when it is above 0, the element's base64 text decoded into the block's side buffer (the task's),
// ended by a 0 byte. The length keeps its stored value; it is not recomputed from the text.
#include "model/params/XParamBlock.h"
#include "model/storage/CStream.h"

// A length of 0 or below leaves the side buffer untouched, and so does a block without one. A decoded
// text that does not fit the side buffer with its 0 byte is a damaged storage: CFail 22, the buffer
// untouched. An absent element raises CFail 22 (RequiredElement.h); lacking memory, CFail 12.
void readBackground(CStream& documentElement, XParamBlock& block);
