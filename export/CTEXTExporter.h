#pragma once
// The plain-text exporter ("Text", extension "txt"): writes the main story of each sheet as 8-bit text,
// each run in the code page of its language, so one file can hold runs in several code pages. It writes
// what a reader sees: each listed paragraph's number or bullet (ListLabel.h), field results, never
// instructions or bookmark names (VisibleText.h); tables and text boxes come in place. No byte
// order mark, header or trailer is written.
//
// The export engine normally converts each run into its code page before sending it (this exporter does
// not take UTF-16); a run that still arrives as UTF-16 is converted here the same way, so UTF-16 bytes
// never reach the file.
#include <cstdint>
#include <string>

#include "engine/translators/CExporter.h"
#include "export/CodePageConversion.h"
#include "export/ListLabel.h"
#include "export/VisibleText.h"

class CTEXTExtruder;
struct TranslatorDescriptor;

class CTEXTExporter : public CExporter {
public:
    explicit CTEXTExporter(const TranslatorDescriptor* descriptor);
    ~CTEXTExporter() override;

protected:
    void beginMainStory() override;
    void doText() override;
    void endMainStory() override;
    void endSheet() override;

private:
    CTEXTExtruder* mainExtruder = nullptr;  // owned from the begin to the end of the main story
    std::int64_t byteCount = 0;             // bytes put into the current story's output
    CodePageConversion conversion;
    void writeListLabel(const std::u16string& label, std::int32_t encoding);

    VisibleText visible;
    ListLabel labels;  // the main story's list numbers and bullets
    std::string shown;  // the current run's visible bytes
};

// The registry's factory: a new CTEXTExporter, or null when memory is lacking.
CBaseTranslator* makeTEXTExporter(const TranslatorDescriptor* descriptor);
