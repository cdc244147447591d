#pragma once
// The Word 2003 XML importer ("Word2003"): the WordprocessingML importer with its own identify test.
// A file is taken when it begins with "<?xm" and its first element is w:wordDocument; any other file
// is refused with 32003 (unit "BL_WinWord2003(imp)"), silently.
#include "import/wordml/CWordMLImporter.h"

class CWinWord2003Importer : public CWordMLImporter {
public:
    using CWordMLImporter::CWordMLImporter;

protected:
    void identifyFile(const PascalWString& name, const PascalWString& folder, std::int16_t isQuick) override;
};

// The registry's factory: a new importer, or null without memory.
CBaseTranslator* makeWord2003Importer(const TranslatorDescriptor* descriptor);
