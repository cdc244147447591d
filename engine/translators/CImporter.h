#pragma once
// The base of every importer. The import engine and detection reach an importer only through
// `dispatch`: it keeps the block of the request, opens the input file named by the block's `fileSpec`
// at the document request (a folder item is not opened), calls the operation of the request code,
// and turns every failure into the result of `dispatch`, releasing the input file.
//
// Every operation has a default answer, so an importer overrides only what it has to answer: the main
// story is present, every side story absent, and the text request ends a story at once. Request 7
// (bookmark story) reaches no operation, so it always comes back as absent.
#include <cstdint>
#include <memory>

#include "engine/translators/CBaseTranslator.h"
class CFile;

class CImporter : public CBaseTranslator {
public:
    explicit CImporter(const TranslatorDescriptor* descriptor);

    std::int32_t dispatch(XParamBlock* block) override;

    // The request in progress, or null outside a request; for tests and diagnostics.
    const XParamBlock* currentBlock() const { return block; }
    // The input file, null before request 0 and after a failed request.
    CFile* inputFile() const { return file; }

protected:
    void identify(std::int16_t isQuick) override;
    void openFile() override;
    void handleSelector() override;
    virtual void readDocument();
    virtual void beginSheet();
    virtual void hasMainStory();
    virtual void hasHeaderStory();
    virtual void hasFooterStory();
    virtual void hasFieldStory();
    virtual void hasCommentStory();
    virtual void hasBookmarkStory();  // never called: request 7 reaches no operation
    virtual void hasFootnoteStory();
    virtual void hasEndnoteStory();
    virtual void hasGraphicStory();
    virtual void hasTableStory();
    virtual void readSpecial();
    virtual void readText();
    virtual void endMainStory();
    virtual void endHeaderStory();
    virtual void endFooterStory();
    virtual void endFieldStory();
    virtual void endCommentStory();
    virtual void endBookmarkStory();
    virtual void endFootnoteStory();
    virtual void endEndnoteStory();
    virtual void endGraphicStory();
    virtual void endTableStory();
    virtual void endSheet();
    virtual void endDocument();

    // Answers -1 with no text.
    void answerNoText();

    // The named file opened for reading, typed as the descriptor's first rule says, for an importer
    // that looks at a file before any request has opened it (identification). A failure to make or open
    // it raises a failure of the given unit.
    std::unique_ptr<CFile> openForIdentification(const PascalWString& name, const PascalWString& folder,
                                                 const char* unit) const;
};
