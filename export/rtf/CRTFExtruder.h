#pragma once
// One story on its way to the RTF emitter. The exporter hands the extruder every text run of its story;
// the extruder cuts each run into buffered runs (CRTFBuffer) of at most 256 units with one character
// record, one paragraph record and one direction each, and on request replays them into the emitter,
// choosing for each buffered run the emitter's operations: the story's group, section, paragraph and
// character properties, bookmarks, fields, control codes or text.
//
// Cut points: the first unit of every text run; each of the units 7, 8, 13 and 16 (page, section,
// paragraph and cell ends; a buffered run of exactly one unit is replayed as a control code); every
// change of direction; and 256 units. Units 26 and 27 (start and end of a table) are dropped.
//
// Right-to-left text (a run whose language is Arabic 1025 or Hebrew 1037): the embedding controls
// U+202A..U+202E are dropped and steer a direction state (saved on a CRTFStack); inside a right-to-left
// embedding, number runs (digits, '%', '+', '-', '/', and ',', '.', ':' followed by a digit) become
// buffered runs of direction 1, written in reverse order. Brackets stay as typed (logical order).
//
// The main story is replayed and emptied after every run. Headers, footers, tables and text boxes keep
// their buffered runs and may be replayed several times; comments and notes are replayed once, then
// their group is closed (closeStoryGroup) and the extruder is disposed.
//
// Paragraph properties are written once per paragraph, before its first buffered run (and again after a
// table placed inside it, whose rows state their own); a paragraph that starts inside a field's
// instruction states them after the instruction.
//
// A table row is announced to the emitter before the paragraph of its first cell, with the definition
// its row-end mark carries (beginTableRow), so readers meet the row's cells after their definition. A
// table placed in a story stands outside any run group: its rows state their own formatting.
#include <cstdint>
#include <memory>
#include <vector>

#include "export/rtf/CRTFBuffer.h"
#include "export/rtf/fields/RTFFieldState.h"
#include "export/rtf/text/CRTFStack.h"
#include "foundation/CBase.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/records/section/XPage.h"

class CRTFFile;
struct XParamBlock;

class CRTFExtruder : public CBase {
public:
    static constexpr std::int16_t kMainStorySelector = 11;
    static constexpr int kBookmarkNameUnits = 272;

    // storySelector: the story's begin request (2 to 11, 11 the main story).
    CRTFExtruder(CRTFFile* emitter, std::int16_t storySelector);
    ~CRTFExtruder() override;
    CRTFExtruder(const CRTFExtruder&) = delete;
    CRTFExtruder& operator=(const CRTFExtruder&) = delete;

    // Takes the block's run (its records, text and length in UTF-16 units) and cuts it.
    void takeRun(const XParamBlock& block);
    // Writes every buffered run; with release they are disposed afterwards.
    void replay(bool release);
    // Closes the note or comment group that the first replay opened, if any.
    void closeStoryGroup();

    std::int16_t storySelector() const { return selector; }
    std::int32_t bufferedRunCount() const { return static_cast<std::int32_t>(runs.size()); }
    // The buffered run at a 0-based index.
    const CRTFBuffer& bufferedRun(std::int32_t index) const { return *runs[static_cast<std::size_t>(index)]; }

    static bool isNumberChar(char16_t unit);
    // The direction of a unit inside a right-to-left embedding: 1 inside a number run, else 0.
    static std::int16_t numberDirection(char16_t unit, char16_t next, std::int16_t previous, std::int16_t rightToLeft);

private:
    // Keeps the run's paragraph record for the buffered runs cut next, shared with those already cut
    // when it is the same.
    void takeParagraph(const XRule& rule);
    void cutText(const char16_t* units, std::int32_t count);
    // Drops and applies an embedding control of a right-to-left run; false for any other unit.
    bool takeEmbeddingControl(char16_t unit);
    void startBuffer(std::int16_t direction);
    void appendUnit(char16_t unit);
    void replayRun(CRTFBuffer& run, bool lastOfWholeStory);
    // Before the buffered run at the index: the row it starts, when it starts one and its row's end mark
    // is buffered. rowEnd is the index after the last row end looked for.
    void announceRow(std::size_t index, std::size_t& rowEnd);
    // A comment story's run of annotation information (its author and date); null for other stories.
    const CRTFBuffer* commentInformation() const;
    void writeRunContent(CRTFBuffer& run);
    void writeBuffer(const CRTFBuffer& run);
    // Whether the run being replayed belongs to the instruction of a field (of any field still open).
    bool insideFieldInstruction() const;
    void releaseRuns();

    CRTFFile* emitter;
    std::int16_t selector;
    std::vector<std::unique_ptr<CRTFBuffer>> runs;
    CRTFStack directions;
    XForm form{};  // shares the picture of the run being cut or replayed; owns none
    std::shared_ptr<const XRule> paragraph;  // the record of the runs being cut
    XPage page{};
    RTFFieldState fields{};
    std::int16_t paragraphPending = 1;  // the next run starts a paragraph
    std::int16_t storyGroupOpen = 0;
    std::int16_t sectionPending = 0;
    std::int16_t sectionKind = 0;
    std::int16_t rtlEmbedding = 0;
    std::int16_t lastDirection = 0;
    char16_t bookmarkName[kBookmarkNameUnits] = {};
};
