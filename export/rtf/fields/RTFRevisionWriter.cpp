#include "export/rtf/fields/RTFRevisionWriter.h"

#include "export/rtf/CRTFFile.h"

namespace {

struct RevisionWords {
    const char* mark;
    const char* author;
    const char* date;
};

constexpr RevisionWords kRevisionWords[] = {
    {"deleted", "revauthdel", "revdttmdel"},
    {"revised", "revauth", "revdttm"},
    {"crauth1", "crauth", "crdate"},
};

}  // namespace

void writeRTFRevision(CRTFFile& out, const RevisionMark& revision) {
    if (revision.type < 1 || revision.type > 3) return;
    const RevisionWords& words = kRevisionWords[revision.type - 1];
    out.writeFormat("\\%s", words.mark);
    if (revision.author > 0) out.writeFormat("\\%s%d", words.author, revision.author);
    if (revision.date != 0) out.writeFormat("\\%s%d", words.date, revision.date);
}
