#pragma once
// The CSV writer's extruder: turns the UTF-8 text of a spreadsheet story into comma-separated fields.
// The spreadsheet import ends each cell's text with a tab and each row with a paragraph end; each cell
// becomes one field in double quotes (a quote inside it doubled), fields are separated by commas and rows
// end with CR LF. A field stays open across runs, so a cell whose text comes in several runs is one field.
#include <cstdint>

#include "export/PendingChunks.h"
#include "foundation/CBase.h"

class CFile;

class CCSVExtruder : public CBase {
public:
    // file: the output file, borrowed.
    explicit CCSVExtruder(CFile* file);

    // Encodes the bytes into pending output; nothing reaches the file before flush.
    void writeRun(const std::uint8_t* bytes, std::int32_t length);
    // Closes a field that the story's text left open (its last row had no paragraph end), so that the
    // file never ends inside quotes.
    void closeOpenField();
    void flush();

    bool isInField() const { return inField; }

private:
    void writeByte(std::uint8_t byte);
    void openField();
    void closeField();

    bool inField = false;  // the opening quote of the current field has been put
    PendingChunks<std::uint8_t> pending;
    CFile* file;
};
