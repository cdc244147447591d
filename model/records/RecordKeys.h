#pragma once
// Records in the storage through their field tables (RecordFields.h): the attribute rows of a table are
// its keys, its child rows the child elements that hold sub-records. The record readers and writers are
// built from these pieces plus their own code for the table's hand-written rows.
//
//     readRecordKeys(element, kXFormTable, &form);     // the element's 38 keys, each into its field
//     readChildRecords(element, kXFormTable, &form);   // "FIELD" and "FFDATA", each under its own guard
//
// Reading every attribute row in table order is the same as one attribute read with the key list that
// attributeFormat builds; the rows go straight to CStream's single-attribute core, so no key list is
// formatted or parsed on the way.
#include <cstdint>

#include "foundation/FailureCode.h"
#include "model/records/RecordFields.h"
#include "model/storage/CStream.h"

// Reads each attribute row of the table that the element carries into its field; a key that the
// element lacks leaves its field unchanged. Failures raise CFail (CStream.h).
void readRecordKeys(CStream& element, const RecordTable& table, void* record);

// Whether a write stores the row: always without onlyChanged; with it, a row with a change bit only when
// that bit is set in the record's change mask (its first member), a head row always.
bool rowIsStored(const FieldSpec& row, const void* record, bool onlyChanged);

// Writes one attribute row as a key of the element.
void writeRecordKey(CStream& element, const FieldSpec& row, const void* record);

// Writes each attribute row of the table that rowIsStored takes as a key of the element, in table order.
void writeRecordKeys(CStream& element, const RecordTable& table, const void* record, bool onlyChanged);

// Reads the sub-record of one child row: the child element that the row names, its keys and, in turn,
// its own child rows. Answers 0, or the code of the failure that stopped it (12 when the element is
// absent); the fields keep their values where it stopped.
std::int16_t readChildRecord(CStream& element, const FieldSpec& row, void* record);

// readChildRecord for every child row of the table, in table order, each under its own guard.
void readChildRecords(CStream& element, const RecordTable& table, void* record);

// The row of the member with this name; the name must be one of the table's (CFail 22 otherwise).
const FieldSpec& tableRow(const RecordTable& table, const char* name);
