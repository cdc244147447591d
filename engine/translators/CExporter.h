#pragma once
// The base of every exporter. The export engine reaches an exporter only through `dispatch`: it keeps
// the block of the request, opens the sheet's output file (named by the block's `fileSpec`, created
// beforehand by the export engine) at the begin-sheet request and releases it after the end-sheet
// request, calls the operation of the request code, and turns every failure into the result of
// `dispatch`, releasing the output file.
//
// With the defaults alone an exporter takes the main story (its runs are dropped) and skips every side
// story: a skipped story gets no runs and no end request.
#include <cstdint>

#include "engine/translators/CBaseTranslator.h"
class CFile;

class CExporter : public CBaseTranslator {
public:
    explicit CExporter(const TranslatorDescriptor* descriptor);

    std::int32_t dispatch(XParamBlock* block) override;

    // The output file of the current sheet, or null outside a sheet.
    CFile* outputFile() const { return file; }

protected:
    void identify(std::int16_t isQuick) override;
    void openFile() override;
    void handleSelector() override;
    virtual void doDocument();
    virtual void beginSheet();
    virtual void beginHeaderStory();
    virtual void beginFooterStory();
    virtual void beginFieldStory();
    virtual void beginCommentStory();
    virtual void beginBookmarkStory();
    virtual void beginFootnoteStory();
    virtual void beginEndnoteStory();
    virtual void beginGraphicStory();
    virtual void beginTableStory();
    virtual void beginMainStory();
    virtual void doSpecial();
    virtual void doText();
    virtual void endHeaderStory();
    virtual void endFooterStory();
    virtual void endFieldStory();
    virtual void endCommentStory();
    virtual void endBookmarkStory();
    virtual void endFootnoteStory();
    virtual void endEndnoteStory();
    virtual void endGraphicStory();
    virtual void endTableStory();
    virtual void endMainStory();
    virtual void endSheet();
    virtual void endDocument();
};
