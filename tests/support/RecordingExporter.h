#pragma once
// An exporter that takes every story and keeps a log of what it was sent: each begin request with a deep
// copy of the block as it came (its records, its text and its document tables' counts), each text run
// with its text and the names of the record fields that differ from the copy taken at the story's
// begin, and each end request. Like the scripted importer, it writes to a log bound to its descriptor.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/translators/CExporter.h"
#include "engine/translators/TranslatorDescriptor.h"
#include "model/params/XParamBlock.h"
#include "tests/support/DescriptorBinding.h"

namespace testsupport {

enum class ExportEvent { document, beginSheet, beginStory, text, endStory, endSheet, endDocument, other };

struct ExportEntry {
    ExportEvent event;
    std::int16_t selector;
    std::int16_t storyNumber;
    std::u16string text;                     // text runs in UTF-16: the run
    std::vector<std::string> changedFields;  // text runs: "XForm.txtSize", "XRule.cellOfRow", ...
    std::int32_t textEncoding = 0;           // text runs: kUtf16TextEncoding, or the 8-bit text's encoding
    std::string bytes;                       // text runs in 8-bit text: the run
    std::int32_t txtType = 0;                // text runs: the anchor of the run's character record
    bool hasPicture = false;                 // text runs: the record carries a picture
    std::u16string fileName;                 // begin sheet: the name of the file the exporter opened
};

struct ExportLog {
    std::vector<ExportEntry> entries;
    std::vector<XParamBlock> beginCopies;  // the block at each begin request, its pointers cleared
    bool takeSideStories = true;           // answer -1 to every begin-story request
    bool writeText = false;                // append each run's text (UTF-8) to the output file
    std::int32_t failAtRequest = -1;       // the request (counted from 0) that fails instead
    std::int16_t failureCode = 12;
    std::function<void(XParamBlock&)> onText;  // runs after each text request is recorded
};

class RecordingExporter : public CExporter {
public:
    RecordingExporter(const TranslatorDescriptor* descriptor, ExportLog& log);

protected:
    void handleSelector() override;

private:
    void record(ExportEvent event);
    ExportLog& log;
    XParamBlock storyStart{};
};

// The names of the XForm, XRule and XPage fields that differ between the two blocks.
std::vector<std::string> changedRecordFields(const XParamBlock& before, const XParamBlock& after);

// While it lives, the factory makes RecordingExporters writing to the log for the descriptor.
using ExportLogBinding = DescriptorBinding<ExportLog>;

// The factory for translator tables: a RecordingExporter with the bound log, or a plain exporter base.
CBaseTranslator* makeRecordingExporter(const TranslatorDescriptor* descriptor);

}  // namespace testsupport
