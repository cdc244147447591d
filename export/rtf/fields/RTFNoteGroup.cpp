// The destination group of a note or comment story, opened before its first run and closed when the
// story has been written. A comment's initials and author come first, before its mark, where readers
// look for them.
#include <string_view>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/head/RTFNameText.h"
#include "model/params/XParamBlock.h"
#include "model/records/character/XForm.h"
#include "model/tables/CAuthorArray.h"

namespace {

constexpr std::int16_t kCommentSelector = 5;
constexpr std::int16_t kFootnoteSelector = 7;
constexpr std::int16_t kEndnoteSelector = 8;

}  // namespace

void CRTFFile::writeCommentIdentity(const XForm& information) {
    const CAuthorArray* authors = block->authors;
    const std::int16_t author = information.revision.author;
    if (authors == nullptr || author < 1) return;
    if (const char* initials = authors->initials(author))
        writeFormat("{\\*\\atnid %s}", rtfEscapedName(std::string_view(initials)).c_str());
    if (const char* name = authors->get(author))
        writeFormat("{\\*\\atnauthor %s}", rtfEscapedName(std::string_view(name)).c_str());
}

std::int16_t CRTFFile::openNoteGroup(std::int16_t storySelector) {
    switch (storySelector) {
        case kCommentSelector: writeFormat("\\chatn{\\*\\annotation "); break;
        case kFootnoteSelector:
            writeFormat("{\\footnote ");
            footnoteWritten = true;
            break;
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
