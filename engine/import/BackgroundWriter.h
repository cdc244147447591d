#pragma once
// The element "BACKGROUND" under "Zevozav": "backLength" as the importer gave it and, when it is above
// 0, the background text (opaque bytes up to their 0 byte, read within the task's side buffer) in base64
// lines of 80 characters, each ended by CR LF. A length beyond the side buffer fails with 22 before
// anything is read.
#include "model/params/XParamBlock.h"
#include "model/storage/CStream.h"

void writeBackground(const XParamBlock& block, CStream& documentElement);
