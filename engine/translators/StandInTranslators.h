#pragma once
// Translators whose readers and writers this program does not have yet. They are bound in the tables
// under the real names, so detection and the preferences see every translator, but they convert
// nothing: the importer refuses every file (its identify and its document request fail with 32003),
// and the exporter fails its first request, whatever it is, with 32003.
#include "engine/translators/CExporter.h"
#include "engine/translators/CImporter.h"

class CStandInImporter : public CImporter {
public:
    using CImporter::CImporter;

protected:
    void identifyFile(const PascalWString& name, const PascalWString& folder, std::int16_t isQuick) override;
    void readDocument() override;
};

class CStandInExporter : public CExporter {
public:
    using CExporter::CExporter;

    std::int32_t dispatch(XParamBlock* block) override;
};

CBaseTranslator* makeStandInImporter(const TranslatorDescriptor* descriptor);
CBaseTranslator* makeStandInExporter(const TranslatorDescriptor* descriptor);
