#pragma once
// What the RTF emitter asks of the exporter while it writes the body: the table counters of the row being
// written, and the stories kept aside that belong at the place being written (a section's headers and
// footers, the next note or comment, a table or a text box delivered on demand). The RTF exporter is
// the one implementation; the emitter holds it from its construction.
#include <cstdint>

struct XPage;

class RTFStoryPlacer {
public:
    // Table counters of the innermost table being written (depth 0: outside every table).
    virtual void nextTableRow() = 0;
    virtual std::int32_t tableRowIndex() = 0;
    virtual std::int16_t tableDepth() = 0;
    virtual std::int32_t tableRowCount() = 0;

    // 1 when the section's even and default headers, or else its even and default footers, are both set
    // and differ: the headers of such a section are written as left and right pages.
    virtual std::int16_t needsFacingHeaders(const XPage& page) = 0;
    // The section's even, default and first-page headers (footers), each in its group.
    virtual void writeHeaders(const XPage& page, std::int16_t facing) = 0;
    virtual void writeFooters(const XPage& page, std::int16_t facing) = 0;
    virtual void writeHeader(std::int32_t mark, std::int16_t facing) = 0;
    virtual void writeFooter(std::int32_t mark, std::int16_t facing) = 0;

    // The oldest note or comment not written yet, written here once; nothing when none is left.
    virtual void writeNextComment() = 0;
    virtual void writeNextFootnote() = 0;
    virtual void writeNextEndnote() = 0;

    // The text of the text box whose graphic story has this name, as "{\shptxt ...}".
    virtual void writeGraphic(const char* name) = 0;
    // The table story of this mark, one table level deeper.
    virtual void writeTable(std::int32_t mark) = 0;

protected:
    ~RTFStoryPlacer() = default;
};
