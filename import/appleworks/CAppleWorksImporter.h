#pragma once
// The importers of AppleWorks 5 and AppleWorks 6 word-processing documents. Both are one importer over
// the family of their files: identification reads the header and the document record and takes only
// word-processing documents, refusing the other kinds with the reason the user sees (the batch goes on
// with the next file); the document request loads the file into a walker, which answers every story and
// text request.
#include <memory>

#include "engine/translators/CImporter.h"
#include "import/appleworks/file/AppleWorksFamily.h"

namespace appleworks {
class AppleWorksWalker;
}

class CAppleWorksImporter : public CImporter {
public:
    CAppleWorksImporter(const TranslatorDescriptor* descriptor, const appleworks::AppleWorksFamily& family);
    ~CAppleWorksImporter() override;

protected:
    void identifyFile(const PascalWString& name, const PascalWString& folder, std::int16_t isQuick) override;
    void readDocument() override;
    void hasMainStory() override;
    void hasHeaderStory() override;
    void hasFooterStory() override;
    void hasFootnoteStory() override;
    void hasEndnoteStory() override;
    void hasGraphicStory() override;
    void hasTableStory() override;
    void readText() override;
    void endMainStory() override;
    void endDocument() override;

private:
    void answerStory(bool present);

    const appleworks::AppleWorksFamily& family;
    std::unique_ptr<appleworks::AppleWorksWalker> walker;
};

// The UI strings of the refused kinds: drawing, spreadsheet, database, painting, presentation.
constexpr std::uint16_t kRefusedKindFirstMessage = 22002;

// The registry's factories: a new importer, or null without memory.
CBaseTranslator* makeAppleWorks5Importer(const TranslatorDescriptor* descriptor);
CBaseTranslator* makeAppleWorks6Importer(const TranslatorDescriptor* descriptor);
