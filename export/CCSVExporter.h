#pragma once
// The CSV exporter ("CSV", extension "csv"): writes the main story of each sheet of a workbook as
// comma-separated values in the Mac OS Roman character set, one output file per sheet, with no header
// line and no byte order mark. Runs arrive as UTF-16; each is converted and written before the next.
#include "engine/CExporter.h"
#include "export/CodePageConversion.h"

class CCSVExtruder;
struct TranslatorDescriptor;

class CCSVExporter : public CExporter {
public:
    explicit CCSVExporter(const TranslatorDescriptor* descriptor);
    ~CCSVExporter() override;

protected:
    void beginMainStory() override;
    void doText() override;
    void endMainStory() override;
    void endSheet() override;

private:
    CCSVExtruder* mainExtruder = nullptr;  // owned from the begin to the end of the main story
    CodePageConversion conversion;
};

// The registry's factory: a new CCSVExporter, or null when memory is lacking.
CBaseTranslator* makeCSVExporter(const TranslatorDescriptor* descriptor);
