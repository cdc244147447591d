#pragma once
// One story of a document (the main text, a header, a note, a table's text, ...) kept in the storage.
// The import engine makes a story per story of its input and appends the importer's text chunk by chunk
// with its formatting; the export engine finds the story again and loads it back whole.
//
// The element tree of a story, under its parent element:
//
//     <footnoteStory0012 StoryType=".." StoryMark=".." StoryName="..">   (StoryKinds.h names it)
//       <TEXT>the story text, every unit, control codes included</TEXT>
//       <FORM Formz="3"> <Form000 .../> <Form001 .../> <Form002 .../> </FORM>
//       <RULE Rulez="1"> <Rule000 .../> </RULE>
//       <PAGE Pagez="1"> <Page000 .../> </PAGE>
//       <Picture000001 .../>                                            (one per picture anchor)
//     </footnoteStory0012>
//
// Each run element holds one formatting record as its writer stores it: its own position (the index of
// its first UTF-16 unit in the story text) and only the fields that differ from the run before it,
// marked by change bits. Run 0 holds every field, so loading rebuilds run i on top of a copy of run i-1.
// A new run starts only where the formatting, an anchor or the script of the text changes.
//
// Writing (StoryText.cpp, StoryRuns.cpp): appendChunk / appendText store text and runs. A run record
// that cannot be written is dropped and the story goes on; the next run of that kind is then stored
// whole, so the records read back never drift from what was meant.
// Reading (CStory.cpp): loadAll walks each run list once, in document order, and hands out the text and
// the three run arrays, each ended by a sentinel whose position is INT_MAX (RunLookup.h). The caller
// owns what it receives and releases it with freeLoadedStory.
//
// Failures raise CFail in unit "BStory" (12 lacking memory or an element, 22 bad data, -9999 on Stop).
#include <cstdint>

#include "foundation/CBase.h"
#include "model/params/XParamBlock.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/records/section/XPage.h"
#include "model/storage/CStream.h"
#include "model/story/ProgressSink.h"
#include "model/story/StoryKinds.h"
#include "model/story/StoryRowCount.h"

class CPicture;

// The UI string a story shows while it loads: "Preparing to write converted file... [%d]".
constexpr std::uint16_t kStoryProgressString = 10226;
// The least time between two status reports of a story, in milliseconds.
constexpr double kStoryReportInterval = 80.0;

class CStory : public CBase {
public:
    // Opens the story (see open). The owner value is kept and not used.
    CStory(XParamBlock* host, CStream* parentStream, const void* ownerValue, std::int16_t kind, std::int32_t mark,
           std::int16_t create, const char* attributeName = nullptr, const void* attributeValue = nullptr,
           std::int16_t attributeType = 0);
    // A scratch story "nullStory0000" outside every document, without host and header.
    CStory();
    // Releases the five streams; the elements stay in their document.
    ~CStory() override;
    CStory(const CStory&) = delete;
    CStory& operator=(const CStory&) = delete;

    // With create 1: a new story element under the parent (an unattached one without a parent) with its
    // children TEXT, FORM, RULE and PAGE, and, with a host, the header "StoryType %l StoryMark %l
    // StoryName %s" from the host's storyType, storyMark and storyName. With create 0: finds the
    // parent's first child of the story's name, or, when an attribute name is given, the first child of
    // that name whose attribute has the value (compared as attributeType, CStream.h's childmatch), and
    // its four children. A failure leaves the story without streams and passes the CFail on.
    virtual void open(XParamBlock* host, CStream* parentStream, const void* ownerValue, std::int32_t reserved,
                      std::int16_t kind, std::int32_t mark, std::int16_t create, const char* attributeName,
                      const void* attributeValue, std::int16_t attributeType);
    // Takes the story element and everything in it out of its document. Answers 0.
    virtual std::int16_t removeFromStorage();

    // Loads the story whole. Each output may be null when the caller does not want it.
    //   text, textLength: a new UTF-16 buffer (0 after the last unit) and its length; left as they were
    //                     when the story has no text;
    //   forms/formCount, rules/ruleCount, pages/pageCount: the run arrays with their counts, the sentinel
    //                     counted;
    //   storyType, storyMark, storyName: the header; an absent attribute leaves its place as it was.
    // The progress sink (or null) is told about the loading and polled for Stop, with the report counter
    // starting at reportBase + 1. A run count of 0 or a missing count raises CFail 22, a Stop -9999; on a
    // failure the outputs are left as they were and nothing is leaked.
    virtual void loadAll(char16_t** text, std::int32_t* textLength, XForm** forms, std::int32_t* formCount,
                         XRule** rules, std::int32_t* ruleCount, XPage** pages, std::int32_t* pageCount,
                         std::int32_t* storyType, std::int32_t* storyMark, char (*storyName)[kStoryNameBytes],
                         ProgressSink* progress, std::int32_t reportBase);
    // Loads the header and the text as loadAll does, but no run: an export walks the runs as it goes
    // (StoryRunWalk.h) instead of holding every one of them.
    virtual void loadText(char16_t** text, std::int32_t* textLength, std::int32_t* storyType, std::int32_t* storyMark,
                          char (*storyName)[kStoryNameBytes], ProgressSink* progress, std::int32_t reportBase);
    // Has no effect; a place to look at the runs of a chunk while debugging.
    virtual void traceRuns(const XForm* forms, std::int32_t formCount, const XRule* rules, std::int32_t ruleCount,
                           const XPage* pages, std::int32_t pageCount);

    // Appends the block's text run (textEncoding, textLength, textBuffer) with the block's records.
    // 8-bit text is converted to UTF-16 first.
    virtual void appendChunk(XParamBlock* block);
    // Appends the units with their formatting. The records are the formatting of every unit and come
    // back changed: change bits and position cleared for the last unit, the anchor, script hint, text
    // encoding and fonts of the last unit, and no picture after a picture anchor. The table anchor id is
    // the id of code 10. A failure to store the text raises its CFail.
    virtual void appendText(const char16_t* text, std::int32_t length, XForm* form, XRule* rule, XPage* page,
                            std::int16_t tableId);

    // Append the record as the next run of its kind, at the current text position. Never raise.
    virtual void writeForm(XForm* form);
    virtual void writeRule(XRule* rule);
    virtual void writePage(XPage* page);
    // Stores the picture as "Picture%06d" under the story; number -1 takes the next automatic number.
    // Never raises; the picture stays with the caller.
    virtual void writePicture(CPicture* picture, std::int32_t number);
    // Stores the story's table-row count ("StoryRows %l"); raises what the storage raises.
    virtual void writeRows(std::int32_t count);

    // Set the record's change bits against the last run written of its kind (all 64 bits until the first
    // run is written) and answer 1 when the record must start a new run; a record whose uniqueBits
    // differ starts one without a bit. Bits are set, never cleared.
    virtual std::int16_t markFormChanges(XForm* form);
    virtual std::int16_t markRuleChanges(XRule* rule);
    virtual std::int16_t markPageChanges(XPage* page);

    // Read run element number index on top of what the record holds (first 1: on top of zeros). A
    // missing or unreadable element leaves the record as it was. The character record never keeps a
    // picture. Never raise.
    virtual void readForm(XForm* form, std::int32_t index, std::int16_t first);
    virtual void readRule(XRule* rule, std::int32_t index, std::int16_t first);
    virtual void readPage(XPage* page, std::int32_t index, std::int16_t first);
    // A new picture from "Picture%06d", owned by the caller; null when there is none or it cannot be made.
    virtual CPicture* readPicture(std::int32_t number);
    // The stored table-row count; 0 when there is none.
    virtual std::int32_t readRows();

    // Shows the report counter at most every 80 ms and polls the sink at every call; a Stop raises
    // -9999. Without a sink nothing happens.
    virtual void progress(ProgressSink* sink);

    CStream* getStoryStream() const { return storyStream; }
    std::int32_t getUnitCount() const { return unitCount; }
    std::int32_t getPictureCount() const { return pictureCount; }
    std::int32_t getReportCount() const { return reportCount; }
    // The table-row count of the text appended since the story was created (StoryRowCount.h).
    const StoryRowCount& writtenRows() const { return rowCount; }

private:
    template <typename Record>
    friend class StoryRunWalk;
    // The run list of the kind, for a walk over it.
    template <typename Record>
    CStream* runList() const;

    void disposeStreams();
    void readHeader(std::int32_t* storyType, std::int32_t* storyMark, char (*storyName)[kStoryNameBytes]);
    void load(char16_t** text, std::int32_t* textLength, XForm** forms, std::int32_t* formCount, XRule** rules,
              std::int32_t* ruleCount, XPage** pages, std::int32_t* pageCount, std::int32_t* storyType,
              std::int32_t* storyMark, char (*storyName)[kStoryNameBytes], ProgressSink* sink,
              std::int32_t reportBase, bool withRuns);
    XForm* loadFormRuns(ProgressSink* sink, std::int32_t* count);
    XRule* loadRuleRuns(ProgressSink* sink, std::int32_t* count);
    XPage* loadPageRuns(ProgressSink* sink, std::int32_t* count);
    void markAnchor(char16_t unit, XForm* form, std::int16_t tableId, std::int32_t& counter);

    XParamBlock* host = nullptr;         // not owned; null for a scratch story
    CStream* parentStream = nullptr;     // not owned; null for an unattached story
    CStream* storyStream = nullptr;      // the streams are owned; their elements belong to the document
    CStream* textStream = nullptr;
    CStream* formStream = nullptr;
    CStream* ruleStream = nullptr;
    CStream* pageStream = nullptr;
    const void* ownerValue = nullptr;
    double lastReportTime = 0;
    bool reported = false;  // no report yet: the next progress call reports whatever the clock says
    XForm currentForm{};    // the last run written of each kind, position 0
    XRule currentRule{};
    XPage currentPage{};
    std::int16_t formAllChanged = 1;  // 1 until a run of the kind is written, and after a failed write
    std::int16_t ruleAllChanged = 1;
    std::int16_t pageAllChanged = 1;
    std::int32_t unitCount = 0;  // units appended: the position of the next unit
    std::int32_t storyMark = 0;
    std::int32_t pictureCount = 0;
    std::int32_t reportCount = 0;
    std::int32_t lastAnchorId = -1;  // the id of the last anchor appended, -1 before any
    StoryRowCount rowCount;
};

// Frees what loadAll handed out: the text, the three run arrays and the level texts that the paragraph
// runs read (consecutive runs share one by copy), and nulls the variables. Counts below 1 free no level
// text.
void freeLoadedStory(char16_t*& text, XForm*& forms, XRule*& rules, std::int32_t ruleCount, XPage*& pages);
// Frees the level texts that the first `records` paragraph runs of a loaded array hold.
void freeRunLevelTexts(XRule* rules, std::int32_t records);
