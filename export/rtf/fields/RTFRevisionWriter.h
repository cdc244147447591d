#pragma once
// A run's revision mark in RTF words: what was done (deleted, inserted, formatting changed), by which
// author of the revision table and when.
#include "model/records/ValueRecords.h"

class CRTFFile;

// Nothing for a revision type other than 1 (deleted), 2 (inserted) and 3 (formatting changed); the
// author only when above 0, the date only when non-zero.
void writeRTFRevision(CRTFFile& out, const RevisionMark& revision);
