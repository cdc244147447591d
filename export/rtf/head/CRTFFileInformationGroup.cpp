// The information group of the document head: title, subject and author as the input file gave them,
// creation and revision times (both the time of the conversion), the counts, and a comment naming the
// program that wrote the file. Texts outside ASCII are written as Unicode escapes, so a reader takes
// back the characters and not their UTF-8 bytes one by one.
#include <cstring>
#include <ctime>
#include <string>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/head/RTFNameText.h"
#include "export/rtf/head/RTFProgramName.h"
#include "foundation/Clock.h"
#include "foundation/FailureCode.h"
#include "model/records/XHead.h"

namespace {

// The program's name is cut to at most this many bytes, on a character boundary, before it is escaped.
constexpr std::size_t kProgramNameBytes = 127;

// A head text field up to its terminator, never past the field's end.
std::string fieldText(const char* field, std::size_t size) {
    return std::string(field, strnlen(field, size));
}

// The first bytes of a UTF-8 text, at most `limit`, without a character cut in two.
std::string leadingCharacters(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

// Escapes the text and writes it into the format; a text that cannot be escaped (no memory) is left out
// with its group.
void writeEscaped(CRTFFile& emitter, const char* format, const std::string& text) {
    std::string escaped;
    if (failureCode([&] { escaped = rtfEscapedInfoText(text); }) != 0) return;
    emitter.writeFormat(format, escaped.c_str());
}

}  // namespace

void CRTFFile::writeInfo(const XHead& head) {
    const std::tm now = *currentLocalTime();
    writeFormat("{\\info");
    const std::string title = fieldText(head.originalTitle, sizeof head.originalTitle);
    const std::string subject = fieldText(head.originalSubject, sizeof head.originalSubject);
    const std::string author = fieldText(head.originalAuthor, sizeof head.originalAuthor);
    if (!title.empty()) writeEscaped(*this, "{\\title %s}", title);
    if (!subject.empty()) writeEscaped(*this, "{\\subject %s}", subject);
    if (!author.empty()) writeEscaped(*this, "{\\author %s}", author);
    for (const char* word : {"creatim", "revtim"}) {
        writeFormat("{\\%s\\yr%d\\mo%d\\dy%d\\hr%d\\min%d}", word, now.tm_year + 1900, now.tm_mon + 1, now.tm_mday,
                    now.tm_hour, now.tm_min);
    }
    writeFormat("{\\nofpages%d\\nofwords%d\\nofchars%d\\nofcharsws%d}", head.numOfPages, head.numOfWords,
                head.numOfCharsNoSpace, head.numOfCharsWithSpace);
    if (head.trackRevisions != 0) writeFormat("\\revisions");
    const std::string& program = rtfProgramName();
    writeEscaped(*this, "{\\doccomm This document was created by %s\r\n}",
                 leadingCharacters(program, kProgramNameBytes));
    writeFormat("}\r\n");
}
