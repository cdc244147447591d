// What reaches the exporter for a run that carries a story-text anchor (see CExportEngine.h).
//
// An exporter that takes a kind of side story gets the anchor itself, one unit holding its code, and
// places the story, which reaches it through the story walk. For an exporter that does not take tables,
// a table comes in place (InPlaceStories.cpp); for the other kinds the family's side-story handling
// decides: 2 plays the side story in place between two marker
// lines, 3 puts a numbered reference in place of the anchor, anything else leaves the anchor out.
// Pictures are read for their anchors whatever the exporter. The start and end of a table send
// nothing: the table itself comes through the table machinery, and a marker there would put words
// into the document that its author never wrote.
#include <new>

#include "engine/ProgramPreferences.h"
#include "engine/export/CExportEngine.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/language/UIStrings.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/TextFormat.h"
#include "foundation/text/UniText.h"
#include "model/params/XParamBlock.h"
#include "model/story/CStory.h"
#include "model/story/StoryKinds.h"

namespace {
constexpr const char* kUnit = "BEngineExp";
constexpr std::int16_t kHandlingInPlace = 2;
constexpr std::int16_t kHandlingNumbered = 3;
constexpr std::int16_t kNumberingOn = 1;
constexpr int kNumberingOffset = 10;  // the numbering values follow the ten handling values
constexpr std::int32_t kTextUnits = 512;

constexpr std::int16_t kNoKind = 0;
constexpr std::int16_t kFieldKind = 4;
constexpr std::int16_t kCommentKind = 5;
constexpr std::int16_t kBookmarkKind = 6;
constexpr std::int16_t kFootnoteKind = 7;
constexpr std::int16_t kEndnoteKind = 8;
constexpr std::int16_t kGraphicKind = 9;
constexpr std::int16_t kTableKind = 10;

// What an anchor code becomes.
enum class AnchorUse {
    oneUnit,    // the code itself, for every exporter
    picture,    // the code, with the picture read for it
    sideStory,  // the code when the exporter takes the kind; else the kind's handling decides
    nothing,    // nothing, for every exporter
};

struct AnchorRule {
    char16_t code;
    AnchorUse use;
    std::int16_t exportKind;    // sideStory: the kind of side story
    std::uint16_t numberedId;   // the numbered reference's UI string, 0 = none
    std::uint16_t startId;      // the in-place marker lines' UI strings, 0 = never in place
    std::uint16_t endId;
};

constexpr AnchorRule kAnchorRules[] = {
    {storycode::kPicture, AnchorUse::picture, kNoKind, 0, 0, 0},
    {storycode::kFootnoteMark, AnchorUse::sideStory, kFootnoteKind, 10401, 0, 0},  // "%d. "
    {storycode::kEndnoteMark, AnchorUse::sideStory, kEndnoteKind, 10401, 0, 0},
    {storycode::kMergeBreak, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kLineBreak, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kColumnBreak, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kPageBreak, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kSectionBreak, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kTab, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kTable, AnchorUse::sideStory, kTableKind, 0, 0, 0},
    {storycode::kHeader, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kFooter, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kParagraphEnd, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kComment, AnchorUse::sideStory, kCommentKind, 10413, 0, 0},
    {storycode::kBookmark, AnchorUse::sideStory, kBookmarkKind, 0, 0, 0},
    {storycode::kCellEnd, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kGraphic, AnchorUse::sideStory, kGraphicKind, 10416, 10331, 10332},
    {storycode::kOptionalHyphen, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kNonBreakingHyphen, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kFieldStart, AnchorUse::sideStory, kFieldKind, 10417, 10333, 10334},
    {storycode::kFieldSeparator, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kFieldEnd, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kFootnoteReference, AnchorUse::sideStory, kFootnoteKind, 10425, 10349, 10350},
    {storycode::kEndnoteReference, AnchorUse::sideStory, kEndnoteKind, 10426, 10351, 10352},
    {storycode::kSpecialCharacter, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {storycode::kTableStart, AnchorUse::nothing, kNoKind, 0, 0, 0},
    {storycode::kTableEnd, AnchorUse::nothing, kNoKind, 0, 0, 0},
    {28, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {29, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {30, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
    {31, AnchorUse::oneUnit, kNoKind, 0, 0, 0},
};

const AnchorRule* ruleOf(char16_t code) {
    for (const AnchorRule& rule : kAnchorRules)
        if (rule.code == code) return &rule;
    return nullptr;
}

void emptyRun(XParamBlock* block) {
    block->textLength = 0;
    block->textBuffer[0] = 0;
}

void oneUnitRun(XParamBlock* block, char16_t code) {
    block->textBuffer[0] = code;
    block->textLength = 1;
}
}  // namespace

void CExportEngine::decideAnchor(XParamBlock* block, CStory* story) {
    const auto type = static_cast<std::uint32_t>(block->form.txtType);
    const auto code = static_cast<char16_t>(type >> 16);
    const auto id = static_cast<std::int32_t>(type & 0xFFFFu);
    emptyRun(block);
    const AnchorRule* rule = ruleOf(code);
    if (rule == nullptr || rule->use == AnchorUse::nothing) return;
    if (rule->use == AnchorUse::oneUnit) return oneUnitRun(block, code);
    if (rule->use == AnchorUse::picture) {
        throwIfNullObject(story, __LINE__, kUnit);
        block->form.picData = story->readPicture(id);
        throwIfNull(block->form.picData, __LINE__, kUnit);
        return oneUnitRun(block, code);
    }
    if (placesItself(rule->exportKind)) return oneUnitRun(block, code);
    if (rule->exportKind == kTableKind) {
        playTableInPlace(block);
        return emptyRun(block);
    }
    const std::int16_t handling = gPreferences.storyOptions[rule->exportKind];
    if (handling == kHandlingNumbered && rule->numberedId != 0) {
        deliverNumberedForm(block, rule->exportKind, rule->numberedId);
    } else if (handling == kHandlingInPlace && rule->startId != 0) {
        deliverInPlace(block, rule->exportKind, rule->startId, rule->endId);
    }
    emptyRun(block);
}

void CExportEngine::deliverNumberedForm(XParamBlock* block, std::int16_t exportKind, std::uint16_t stringId) {
    if (gPreferences.storyOptions[kNumberingOffset + exportKind] != kNumberingOn) return;
    std::int16_t& counter = counterOf(exportKind);
    ++counter;
    char16_t text[kTextUnits];
    formatUniResource(text, stringId, counter);
    deliverTextStory(block, text, uniStrLen(text));
}

void CExportEngine::deliverInPlace(XParamBlock* block, std::int16_t exportKind, std::uint16_t startId,
                                   std::uint16_t endId) {
    std::int16_t& counter = counterOf(exportKind);
    const std::int16_t index = counter;
    if (counter < INT16_MAX) ++counter;
    if (sheetStream == nullptr) return;
    CStory* side = nullptr;
    try {
        side = new (std::nothrow) CStory(block, sheetStream, nullptr, static_cast<std::int16_t>(exportKind - 1), index, 0);
    } catch (const CFail&) {
        return;  // no stored story for this reference: nothing is written for it
    }
    throwIfNull(side, __LINE__, kUnit);
    CStory* owned = side;
    try {
        deliverMarkerText(block, startId);
    } catch (const CFail&) {
        disposeObject(owned);
        rethrowFailure();
    }
    exportStory(owned, kStoryInline, index, sheetStream, block, 1);
    deliverMarkerText(block, endId);
}

void CExportEngine::deliverMarkerText(XParamBlock* block, std::uint16_t stringId) {
    char16_t text[kTextUnits];
    loadUniText(text, stringId);
    deliverTextStory(block, text, uniStrLen(text));
}
