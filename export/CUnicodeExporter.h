#pragma once
// The Unicode text exporter ("Unicode", extension "txt"): writes the main story of each sheet as UTF-16
// text in little-endian order after the byte order mark FF FE, each listed paragraph with its number or
// bullet (ListLabel.h), tables and text boxes in place. The whole story is held in memory and written
// when it ends.
//
// Comment and footnote stories, when they are sent, are collected and written after everything else
// at the end of the sheet, footnotes first. The descriptor takes no side stories, so the export engine
// sends only the main story.
#include <string>

#include "engine/translators/CExporter.h"
#include "export/OwnedList.h"
#include "export/ListLabel.h"
#include "export/VisibleText.h"

class CUnicodeExtruder;
struct TranslatorDescriptor;

class CUnicodeExporter : public CExporter {
public:
    explicit CUnicodeExporter(const TranslatorDescriptor* descriptor);
    ~CUnicodeExporter() override;

protected:
    void beginSheet() override;
    void beginCommentStory() override;
    void beginFootnoteStory() override;
    void beginMainStory() override;
    void doText() override;
    void endCommentStory() override;
    void endFootnoteStory() override;
    void endMainStory() override;
    void endSheet() override;

private:
    void beginCollectedStory(OwnedList<CUnicodeExtruder>& stories);
    CUnicodeExtruder* newExtruder();

    CUnicodeExtruder* currentExtruder = nullptr;  // borrowed: the writer that receives the runs
    // What a reader sees of the main story and of the side story in hand, each with its own fields.
    VisibleText mainVisible;
    VisibleText sideVisible;
    VisibleText* currentVisible = &mainVisible;
    ListLabel mainLabels;  // each story's list numbers and bullets
    ListLabel sideLabels;
    ListLabel* currentLabels = &mainLabels;
    std::u16string shown;  // the current run's visible units
    CUnicodeExtruder* mainExtruder = nullptr;     // owned from the begin to the end of the main story
    OwnedList<CUnicodeExtruder> footnoteStories;
    OwnedList<CUnicodeExtruder> commentStories;
};

// The registry's factory: a new CUnicodeExporter, or null when memory is lacking.
CBaseTranslator* makeUnicodeExporter(const TranslatorDescriptor* descriptor);
