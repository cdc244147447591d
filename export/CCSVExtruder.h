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
    // Ends the story: closes a field that its text left open (its last row had no paragraph end), so
    // that the file never ends inside quotes, and drops an empty row still waiting (the story's closing
    // paragraph end).
    void closeOpenField();
    void flush();
    // Writes the pending output once it fills a block.
    void flushFullBlock();

    bool isInField() const { return inField; }

private:
    // Each writes its bytes at out and answers the end of what it wrote.
    std::uint8_t* writeByte(std::uint8_t byte, std::uint8_t* out);
    std::uint8_t* openField(std::uint8_t* out);
    std::uint8_t* closeField(std::uint8_t* out);
    std::uint8_t* writeEmptyRow(std::uint8_t* out);

    bool inField = false;  // the opening quote of the current field has been put
    bool emptyRowWaiting = false;  // a paragraph end with no field open, not yet written
    PendingChunks<std::uint8_t> pending;
    CFile* file;
};
