// The destination group of a note or comment story, opened before its first run and closed when the
// story has been written.
#include "export/rtf/CRTFFile.h"

namespace {

constexpr std::int16_t kCommentSelector = 5;
constexpr std::int16_t kFootnoteSelector = 7;
constexpr std::int16_t kEndnoteSelector = 8;

}  // namespace

std::int16_t CRTFFile::openNoteGroup(std::int16_t storySelector) {
    switch (storySelector) {
        case kCommentSelector: writeFormat("\\chatn{\\*\\annotation "); break;
        case kFootnoteSelector: writeFormat("{\\footnote "); break;
        case kEndnoteSelector: writeFormat("{\\footnote\\ftnalt "); break;
        default: return 0;
    }
    // The note's first paragraph is a paragraph of its own.
    listTextDue = 1;
    return 1;
}

void CRTFFile::closeNoteGroup() {
    writeFormat("}\r\n");
}
