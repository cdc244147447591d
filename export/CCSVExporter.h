#pragma once
// The CSV exporter ("CSV", extension "csv"): writes the main story of each sheet of a workbook as
// comma-separated values in UTF-8, one output file per sheet, with no header line and no byte order
// mark: every script a cell holds comes through. Runs arrive as UTF-16; each is converted and written
// before the next; a lone surrogate, which no UTF-8 text can hold, is left out alone.
#include <cstdint>
#include <string>

#include "engine/translators/CExporter.h"

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
    // The run's UTF-8 form into converted.
    void convertRun(const char16_t* text, std::int32_t length);

    CCSVExtruder* mainExtruder = nullptr;  // owned from the begin to the end of the main story
    std::string converted;  // the run being written, reused from run to run
};

// The registry's factory: a new CCSVExporter, or null when memory is lacking.
CBaseTranslator* makeCSVExporter(const TranslatorDescriptor* descriptor);
