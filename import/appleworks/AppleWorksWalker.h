#pragma once
// The walker of an AppleWorks 5 or 6 word-processing document: it loads the document and answers the
// importer's requests one at a time, filling the parameter block with the page setup, the paragraph and
// character formats and the text of one run. One walk serves both families; what differs between them
// comes from the AppleWorksFamily of the document.
//
// A story is read in chunks: a chunk ends after a paragraph end, at a change of paragraph or character
// run, or at the end of the text. Each chunk becomes one or more queued runs of at most kRunUnits UTF-16
// units with the same formats; every text request delivers the first queued run. Every story ends with one
// more paragraph end, so its last paragraph keeps its formats.
//
// Beside the main text the walker serves headers and footers (from the sections of the main text), the
// notes (one story per note, in the order of the main text's note entries; only the kind the document
// places, footnotes or endnotes, is present), the tables (version 6) and the pictures anchored to a page,
// which enter the main text at the first position of their page.
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "import/appleworks/AppleWorksDocument.h"
#include "import/appleworks/AppleWorksTable.h"
#include "import/appleworks/DefaultLists.h"
#include "model/CPicture.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"

class CFile;
struct XParamBlock;

namespace appleworks {

constexpr std::int32_t kRunUnits = 256;
constexpr std::int32_t kRulerRecordSize = 108;

// One queued text run: its character format, its paragraph format and at most kRunUnits units.
struct QueuedRun {
    XForm form;
    XRule rule;
    std::int16_t cellFlags = 0;  // bit 0: ends a table cell; bit 1: ends a table row
    std::vector<char16_t> units;
};

class AppleWorksWalker {
public:
    AppleWorksWalker(const AppleWorksFamily& fileFamily, XParamBlock* paramBlock);

    // Load the document (from the importer's open file, or from memory) and write its page setup.
    void openDocument(CFile& file);
    void openBytes(const std::uint8_t* bytes, std::int32_t length);

    // Story begins; true makes the story current and means it is present.
    bool beginMainStory();
    bool beginHeaderFooterStory(bool header);
    bool beginTableStory();
    bool beginNoteStory(bool footnotes);
    // Graphic stories: one per page-anchored picture, announced without text of their own (the picture
    // travels with the main text).
    bool nextFrame();

    // Fills the block with the next run of the current story, or ends it (answer -1, no text).
    void readTextRun();

    const AppleWorksDocument& document() const { return document_; }

private:
    struct HeaderFooter {
        std::uint16_t zone;
        std::int16_t kind;
        std::int32_t storyId;
    };
    struct TableEntry {
        std::uint16_t zone;
        std::int32_t storyId;
    };
    // The header and footer stories of one section: the story ids of its first and second reference.
    struct SectionStories {
        std::int32_t header[2];
        std::int32_t footer[2];
    };
    // A picture anchored to a page: it enters the main text at the first position of its page.
    struct PageFrame {
        BlockHandle picture;
        std::int16_t type;
        std::int32_t anchor;
        LongRect frame;  // twips, relative to its page
    };

    void afterLoad();
    void writePageSetup();
    void collectHeadersFooters();
    void collectTables();
    void collectPageFrames();
    BlockView sectionList(std::int32_t& count) const;
    std::int32_t sectionAt(std::int32_t position) const;
    void applySection(std::int32_t section);
    void applyListLabel(const BlockView& ruler);
    void keepListLevel(bool emptyParagraph);
    bool emitDueFrame(const XForm& form);
    bool emitInlinePicture(const XForm& form, const BlockView& zoneData);
    bool emitPicture(const XForm& form, const BlockView& picture, std::int16_t type, const LongRect& frame);
    std::int32_t findNoteZone(std::int32_t after, std::int32_t& entry) const;
    void emitSpecialByte(std::uint8_t byte, const XForm& form, const BlockView& zoneData);
    std::uint16_t mainTextZone() const;
    void startZoneText(std::uint16_t zoneNumber);
    void beginStory(std::uint16_t zone, bool pendingEnd);

    bool nextTextBlock();
    void readNextChunk();
    void deliverRun();
    void applyParagraphRun(std::int16_t rulerIndex);
    void applyCharacterRun(const BlockView& runs, std::int32_t index, XForm& form) const;
    std::int32_t runEnd(const BlockView& runs, std::int32_t count, std::int32_t entrySize, std::int32_t& cursor) const;
    void queueUnits(const XForm& form, const std::vector<char16_t>& units);
    void appendUnit(const XForm& form, char16_t unit);
    void resetFormats();

    // Tables (version 6): cells are played one after another, each followed by its end-of-cell unit.
    bool beginTable(std::uint16_t zone);
    void playNextCell();
    void endCell(bool lastOfRow);
    std::int32_t findTableStory(std::uint16_t zone) const;
    std::uint16_t anchoredZone(const BlockView& zoneData, std::int32_t position) const;

    const AppleWorksFamily& family;
    XParamBlock* block;
    AppleWorksDocument document_;

    // The walk of the current zone's text.
    std::uint16_t zone = 0;
    std::uint16_t blockIndex = 0;
    std::int32_t blockStart = 0;
    std::vector<std::uint8_t> blockBytes;
    bool blockInUse = false;
    std::int32_t textPosition = 0;
    std::int32_t textEnd = 0;
    std::int32_t paraCursor = -1;
    std::int32_t charCursor = -1;
    std::int32_t previousRuler = -2;
    bool pendingParagraphEnd = false;
    bool lastWasParagraphEnd = false;
    // A paragraph that starts a new list context (a story or section begins, an empty paragraph left
    // its list) gets a list override of its own even under the same label.
    bool newContext = true;

    // Lists: the label of the last ruler applied, the override it was given and the level record that
    // every chunk of a listed paragraph carries.
    std::unique_ptr<DefaultLists> lists;
    bool inList = false;
    std::int16_t previousLabel = -1;
    std::int16_t listOverride = 0;
    XLevel savedLevel{};

    bool notesAsFootnotes = true;
    std::int32_t noteCursor = -1;
    std::vector<SectionStories> sectionStories;
    std::vector<PageFrame> pageFrames;
    std::size_t framesEmitted = 0;
    std::size_t frameCursor = 0;
    // The pictures handed out in the block's character records; the stories store copies of them.
    std::vector<std::unique_ptr<CPicture>> pictures;

    std::deque<QueuedRun> queue;
    std::vector<HeaderFooter> headers;
    std::vector<HeaderFooter> footers;
    std::size_t headerCursor = 0;
    std::size_t footerCursor = 0;
    std::vector<TableEntry> tables;
    std::size_t tableCursor = 0;

    // The table being played.
    std::unique_ptr<AppleWorksTable> table;
    std::size_t rowIndex = 0;
    std::size_t cellIndex = 0;
    bool inTable = false;
    bool cellNeeded = false;
};

}  // namespace appleworks
