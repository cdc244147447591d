// The group of one run of story text: opened with the run's full character formatting, closed after
// its text or control code. A field literal may take the group over (RTFFieldState).
#include "export/rtf/CRTFFile.h"
#include "export/rtf/text/RTFCharacterProperties.h"
#include "model/params/XParamBlock.h"
#include "model/records/character/XForm.h"

namespace {

constexpr std::int16_t kAnnotationReference = 5;

}  // namespace

void CRTFFile::beginCharacterRun(const XForm& form, std::int16_t flags) {
    const bool newRun = flags == 0;
    if (form.revision.type == kAnnotationReference) {
        // The annotation's own group stands in for the run's group.
        writeFormat("\\chatn {\\*\\annotation");
        if (form.revision.date != 0) writeFormat("{\\*\\atndate %d}", form.revision.date);
    } else if (newRun) {
        writeFormat("{");
    }
    writeRTFCharacterProperties(*this, *block, form, newRun);
    writeFormat(" ");
}

void CRTFFile::endCharacterRun(RTFFieldState& fields) {
    // Inside a field, a field literal may have closed this run's group itself.
    if (fields.fieldDepth != 0 && fields.runGroupClosed != 0) {
        fields.runGroupClosed = 0;
        return;
    }
    writeFormat("}");
}
