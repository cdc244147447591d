#pragma once
// The plain-text writer's extruder: turns the 8-bit text of the main story into the bytes of the file.
// Paragraph ends, a table's cell marks and line, column, page and section breaks become CR LF, tabs
// stay, an optional hyphen becomes "/", and every other story-text control code is dropped. Beside the
// text it keeps the table of style runs (CTEXTFormat), whose starts are byte offsets in the file's text.
#include <cstdint>

#include "export/PendingChunks.h"
#include "foundation/CBase.h"

class CFile;
class CTEXTFormat;
struct XForm;
struct XRule;

class CTEXTExtruder : public CBase {
public:
    // file: the output file, borrowed; byteCount: the exporter's count of bytes put, set to 0 here.
    // Lack of memory for the style table leaves the writer without one; the text is written all the same.
    CTEXTExtruder(CFile* file, std::int64_t* byteCount);
    ~CTEXTExtruder() override;

    // Encodes the bytes into pending output under the style of the run's records.
    void writeRun(const std::uint8_t* bytes, std::int32_t length, const XForm& form, const XRule& rule);
    // Writes the pending output to the file.
    void flush();
    // Writes the pending output once it fills a block.
    void flushFullBlock();
    // Hands the style table to the file's resource part; a refusal raises CFail with the file's code.
    void storeStyleTable();

    // Whether the last run written held a paragraph end.
    bool paragraphEnded() const { return endedParagraph; }
    const CTEXTFormat* styleTable() const { return format; }

private:
    void writeBytes(const std::uint8_t* bytes, std::int32_t length);
    void putByte(std::uint8_t byte);

    CTEXTFormat* format;  // owned, or null
    PendingChunks<std::uint8_t> pending;
    CFile* file;
    bool endedParagraph = false;
    std::int64_t* count;
};
