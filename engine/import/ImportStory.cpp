// Story import: one story of the current sheet, asked for and stored chunk by chunk (see
// CImportEngine.h).
//
// A story runs: begin request (answer -1: present), text requests until the importer answers -1 with
// no text, the end request (begin + 12). A table story also ends at the first chunk whose paragraph is
// not in a table cell. The engine closes every main story with a paragraph end of its own, so the
// main story is never empty. The user may stop before every text request.
#include <algorithm>
#include <new>

#include "engine/import/CImportEngine.h"
#include "engine/translators/CTranslator.h"
#include "engine/import/ImporterAnswers.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/files/CFile.h"
#include "foundation/FieldMask.h"
#include "foundation/memory/Memory.h"
#include "model/story/CStory.h"
#include "model/story/CTable.h"
#include "model/dumps/DumpParamBlocksFlag.h"
#include "model/dumps/ParamBlockDump.h"
#include "model/params/XParamBlock.h"

namespace {
constexpr const char* kUnit = "BEngineImp";
constexpr int kListMembershipBit = 43;  // XRule's change bit of its list membership
constexpr char16_t kParagraphEnd = 13;

// The story number of an import begin code; raises 22 for a code that begins no story.
std::int16_t storyNumberOf(std::int16_t beginCode) {
    for (const StoryRequestCodes& kind : storyRequestCodes)
        if (kind.importBegin == beginCode) return kind.storyNumber;
    throwFail(result::kNullObject, __LINE__, kUnit);
}

std::int32_t clampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, INT32_MAX));
}

// The paragraph end that closes a main story: the last records, out of any list.
void closeMainStory(CStory& story, const XParamBlock& block) {
    XForm form;
    XRule rule;
    XPage page;
    copyXForm(&form, &block.form);
    copyXRule(&rule, &block.rule);
    copyXPage(&page, &block.page);
    if (rule.level.ls != 0) {
        setMaskBit(rule.changeBits, kListMembershipBit);
        rule.level.ls = 0;
    }
    story.appendText(&kParagraphEnd, 1, &form, &rule, &page, 0);
}
}  // namespace

std::int16_t CImportEngine::importStory(std::int16_t kind, std::int32_t index, XParamBlock* block) {
    const std::int16_t storyNumber = storyNumberOf(kind);
    block->storyNumber = storyNumber;
    throwIfError(importerRegistry->send(kind, block), __LINE__, kUnit);
    if (block->selector != request::kAnswerYes) return 0;

    const bool mainStory = storyNumber == storykind::kMain;
    const bool tableStory = storyNumber == storykind::kTable;
    std::int32_t total = 0;
    if (mainStory) {
        total = inputFile != nullptr ? clampToInt32(inputFile->sizeOrZero()) : 0;
        if (block->expectedLength != 0) total = block->expectedLength;
    }
    CStory* story = new (std::nothrow) CStory(block, sheetStream, this, storyNumber, index, 1);
    throwIfNull(story, __LINE__, kUnit);
    try {
        raisingOutOfMemory(__LINE__, kUnit, [&] {
            receiveText(*story, block, mainStory, tableStory, total);
            if (mainStory) {
                closeMainStory(*story, *block);
                progress(total, total);
            }
            if (tableStory) countStoryRows(block, story);
            throwIfError(importerRegistry->send(static_cast<std::int16_t>(kind + request::kEndStoryOffset), block),
                         __LINE__, kUnit);
        });
    } catch (const CFail&) {
        disposeObject(story);
        rethrowFailure();
    }
    disposeObject(story);
    return 1;
}

void CImportEngine::receiveText(CStory& story, XParamBlock* block, bool mainStory, bool tableStory,
                                        std::int32_t total) {
    const bool reportRuns = (importerDescriptor == nullptr || (importerDescriptor->flags1 & kNoRunProgressBit) == 0);
    std::int32_t requests = 0;
    std::int32_t emptyAnswers = 0;
    std::int64_t received = 0;
    for (;;) {
        if (stopRequested()) throwFail(result::kStopQuietly, __LINE__, kUnit);
        if (requests < INT32_MAX) ++requests;
        throwIfError(importerRegistry->send(request::kSelText, block), __LINE__, kUnit);
        if (dumpParamBlocks != 0) {
            dumpXParamBlock(inputSpec->name, *block, static_cast<std::int16_t>(std::min(requests, 32767)));
        }
        if (tableStory && block->rule.cellOfRow != 1) break;
        checkTextAnswer(*block);
        if (block->selector == request::kAnswerYes && block->textLength == 0) break;
        if (block->textLength == 0) {
            // An importer that never ends its story is given up rather than asked for ever.
            if (++emptyAnswers > kMaxEmptyTextAnswers) throwFail(result::kNullObject, __LINE__, kUnit);
            continue;
        }
        emptyAnswers = 0;
        story.appendChunk(block);
        if (mainStory) {
            received += block->textLength;
            if (reportRuns) progress(clampToInt32(received), total);
        }
    }
}
