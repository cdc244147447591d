#pragma once
// The detector of password-protected Office 2007 documents ("Office 2007 Encrypted Document"). Such a
// file is an OLE compound file holding an "EncryptedPackage" stream where a zip package would be; the
// program does not decrypt it. The identify request takes a compound file with that stream (any other
// file, an old .doc among them, is refused); the document request refuses the file alone: the text of
// message 10118 goes into the block's reasonText, and the file fails with 32001, the code that shows
// no second message and lets the batch go on with its next file.
#include "engine/translators/CImporter.h"

class CEncryptedImporter : public CImporter {
public:
    using CImporter::CImporter;

protected:
    void identifyFile(const PascalWString& name, const PascalWString& folder, std::int16_t isQuick) override;
    void readDocument() override;
};

// The UI string that tells why a protected document is not converted.
constexpr std::uint16_t kProtectedDocumentMessage = 10118;

// The registry's factory: a new importer, or null without memory.
CBaseTranslator* makeEncryptedImporter(const TranslatorDescriptor* descriptor);
