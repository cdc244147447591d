#pragma once
// The element "FONTS" under "Zevozav", read back into the block's (empty) font table: one record per
// "FONT%03d" child up to "fontLength", in stored order, each as stored. The table's own add is not used,
// so no font gets a fresh id, none is merged with a namesake and none is renumbered: the runs of the
// stories find their fonts by the stored ids and the exporters number them by the stored fontRTFNumber.
#include "model/params/XParamBlock.h"
#include "model/storage/CStream.h"

// An absent "FONTS" or "FONT%03d" raises CFail 22 (RequiredElement.h); lacking memory, CFail 12. The
// fonts read before a failure stay in the table.
void readFontTable(CStream& documentElement, XParamBlock& block);
