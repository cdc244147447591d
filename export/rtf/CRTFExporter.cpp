#include "export/rtf/CRTFExporter.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/translators/TranslatorRequest.h"
#include "export/rtf/CRTFExtruder.h"
#include "export/rtf/CRTFFile.h"
#include "export/rtf/pictures/CRTFGraphic.h"
#include "export/rtf/layout/CRTFHdrFtr.h"
#include "export/rtf/tables/CRTFTable.h"
#include "engine/export/stories/StoryOnDemand.h"
#include "foundation/CFail.h"
#include "foundation/files/CFile.h"
#include "foundation/FailureCode.h"
#include "foundation/memory/Memory.h"
#include "model/story/StoryKinds.h"
#include "model/params/XParamBlock.h"

namespace {

constexpr const char* kUnit = "BL_RTF(exp)";

constexpr std::int16_t kMainSelector = 11;

// Control words of a header or footer by its kind: first page, default (left and right pages alike
// unless facing), even (left) pages.
const char* const kHeaderWords[3] = {"headerf", "header", "header"};
const char* const kFacingHeaderWords[3] = {"headerf", "headerr", "headerl"};
const char* const kFooterWords[3] = {"footerf", "footer", "footer"};
const char* const kFacingFooterWords[3] = {"footerf", "footerr", "footerl"};

bool differsAndBothSet(std::int32_t a, std::int32_t b) {
    return a != 0 && b != 0 && a != b;
}

}  // namespace

CRTFExporter::CRTFExporter(const TranslatorDescriptor* descriptor) : CExporter(descriptor) {}

CRTFExporter::~CRTFExporter() {
    clearStories();
    if (sheetOpen) abandonSheet();
    disposeObject(emitter);
}

CRTFFile* CRTFExporter::makeEmitter(XParamBlock* sheetBlock, CFile* output) {
    return new (std::nothrow) CRTFFile(sheetBlock, output, this);
}

std::int32_t CRTFExporter::dispatch(XParamBlock* requestBlock) {
    ++dispatchDepth;
    const std::int32_t answer = CExporter::dispatch(requestBlock);
    --dispatchDepth;
    if (answer == 0) return answer;
    // A request nested in a story delivered in place fails the request that asked for the story.
    if (dispatchDepth > 0) {
        if (nestedFailure == 0) nestedFailure = static_cast<std::int16_t>(answer);
        return answer;
    }
    // A sheet that failed is not finished later: nothing of it stays on disk.
    if (sheetOpen) {
        clearStories();
        abandonSheet();
    }
    return answer;
}

void CRTFExporter::abandonSheet() {
    sheetOpen = false;
    disposeObject(emitter);
    releaseFile();
    constexpr std::uint32_t kReadWrite = kGenericRead | kGenericWrite;
    CFile* partial = new (std::nothrow) CFile(sheetOutput.name, sheetOutput.folder, 0, 0, 0, 0, kReadWrite, kReadWrite);
    if (partial != nullptr) partial->remove();
    disposeObject(partial);
}

void CRTFExporter::clearStories() {
    currentExtruder = nullptr;
    mainExtruder.reset();
    graphics.clear();
    headers.clear();
    footers.clear();
    tables.clear();
    footnotes.clear();
    endnotes.clear();
    comments.clear();
}

void CRTFExporter::beginSheet() {
    // A sheet's stories and body belong to that sheet alone.
    clearStories();
    disposeObject(emitter);
    depth = 0;
    std::fill(std::begin(tableLevels), std::end(tableLevels), TableLevel{});
    sheetOutput = block->fileSpec;
    sheetOpen = true;
    emitter = makeEmitter(block, file);
    throwIfNull(emitter, __LINE__, kUnit);
    answerYes();
}

template <typename Extruder, typename... Arguments>
Extruder* CRTFExporter::keepStory(std::vector<std::unique_ptr<Extruder>>& stories, const Arguments&... arguments) {
    throwIfNull(emitter, __LINE__, kUnit);
    auto* extruder = new (std::nothrow) Extruder(emitter, block->selector, arguments...);
    throwIfNull(extruder, __LINE__, kUnit);
    std::unique_ptr<Extruder> owned(extruder);
    raisingOutOfMemory(__LINE__, kUnit, [&] { stories.push_back(std::move(owned)); });
    currentExtruder = extruder;
    answerYes();
    return extruder;
}

void CRTFExporter::beginHeaderStory() {
    keepStory(headers, block->storyType, block->storyMark);
}

void CRTFExporter::beginFooterStory() {
    keepStory(footers, block->storyType, block->storyMark);
}

void CRTFExporter::beginCommentStory() {
    keepStory(comments);
}

void CRTFExporter::beginFootnoteStory() {
    keepStory(footnotes);
}

void CRTFExporter::beginEndnoteStory() {
    keepStory(endnotes);
}

void CRTFExporter::beginGraphicStory() {
    keepStory(graphics, block->storyName);
}

void CRTFExporter::beginTableStory() {
    keepStory(tables, block->storyMark, block->storyRows);
}

void CRTFExporter::beginMainStory() {
    throwIfNull(emitter, __LINE__, kUnit);
    mainExtruder.reset();
    auto* extruder = new (std::nothrow) CRTFExtruder(emitter, kMainSelector);
    throwIfNull(extruder, __LINE__, kUnit);
    mainExtruder.reset(extruder);
    currentExtruder = extruder;
    sawFirstRun = 0;
    answerYes();
}

void CRTFExporter::doText() {
    XParamBlock* const request = block;
    const bool mainStoryRun = request->storyNumber == storykind::kMain;
    // The first section is the main story's: runs of stories delivered inside it do not replace it.
    if (mainStoryRun && sawFirstRun == 0) {
        copyXPage(&sectionRecord, &request->page);
        sawFirstRun = 1;
    }
    if (currentExtruder != nullptr) {
        CRTFExtruder* const extruder = currentExtruder;
        extruder->takeRun(*request);
        if (mainStoryRun && extruder == mainExtruder.get()) extruder->replay(true);
    }
    block = request;
    answerYes();
}

void CRTFExporter::endSideStory() {
    currentExtruder = nullptr;
    answerYes();
}

void CRTFExporter::endHeaderStory() { endSideStory(); }
void CRTFExporter::endFooterStory() { endSideStory(); }
void CRTFExporter::endCommentStory() { endSideStory(); }
void CRTFExporter::endFootnoteStory() { endSideStory(); }
void CRTFExporter::endEndnoteStory() { endSideStory(); }
void CRTFExporter::endGraphicStory() { endSideStory(); }
void CRTFExporter::endTableStory() { endSideStory(); }

void CRTFExporter::endMainStory() {
    if (mainExtruder != nullptr) {
        mainExtruder->replay(true);
        mainExtruder.reset();
    }
    currentExtruder = nullptr;
    answerYes();
}

void CRTFExporter::endSheet() {
    if (emitter != nullptr) {
        emitter->writeDocumentStart();
        emitter->writeFontTable();
        emitter->writeColorTable();
        emitter->writeRevisionTable();
        emitter->writeStyleSheet();
        emitter->writeListTables();
        emitter->writeInfo(block->head);
        emitter->writeBackground();
        emitter->writeDocumentProperties(sectionRecord, block->head);
        emitter->finishHeader();
        emitter->copyBody();
        emitter->writeDocumentEnd();
    }
    clearStories();
    disposeObject(emitter);
    sheetOpen = false;
    answerYes();
}

void CRTFExporter::nextTableRow() {
    ++tableLevels[depth].rowIndex;
}

std::int32_t CRTFExporter::tableRowIndex() {
    return tableLevels[depth].rowIndex;
}

std::int16_t CRTFExporter::tableDepth() {
    return depth;
}

std::int32_t CRTFExporter::tableRowCount() {
    return tableLevels[depth].rowCount;
}

std::int16_t CRTFExporter::needsFacingHeaders(const XPage& page) {
    if (differsAndBothSet(page.evenHeaderRef, page.defaultHeaderRef)) return 1;
    return differsAndBothSet(page.evenFooterRef, page.defaultFooterRef) ? 1 : 0;
}

void CRTFExporter::writeHeaders(const XPage& page, std::int16_t facing) {
    writeHeader(page.evenHeaderRef, facing);
    writeHeader(page.defaultHeaderRef, facing);
    writeHeader(page.firstHeaderRef, facing);
}

void CRTFExporter::writeFooters(const XPage& page, std::int16_t facing) {
    writeFooter(page.evenFooterRef, facing);
    writeFooter(page.defaultFooterRef, facing);
    writeFooter(page.firstFooterRef, facing);
}

void CRTFExporter::writeHeader(std::int32_t mark, std::int16_t facing) {
    writeHeaderOrFooter(headers, facing == 1 ? kFacingHeaderWords : kHeaderWords, mark, facing);
}

void CRTFExporter::writeFooter(std::int32_t mark, std::int16_t facing) {
    writeHeaderOrFooter(footers, facing == 1 ? kFacingFooterWords : kFooterWords, mark, facing);
}

void CRTFExporter::writeHeaderOrFooter(std::vector<std::unique_ptr<CRTFHdrFtr>>& stories, const char* const words[3],
                                       std::int32_t mark, std::int16_t) {
    // A section break inside a header or footer does not write headers again.
    if (mark == 0 || headerFooterDepth > 0 || emitter == nullptr) return;
    const auto found = std::find_if(stories.begin(), stories.end(),
                                    [mark](const std::unique_ptr<CRTFHdrFtr>& story) { return story->storyMark() == mark; });
    if (found == stories.end()) return;
    CRTFHdrFtr& story = **found;
    if (story.storyType() < CRTFHdrFtr::kFirstPage || story.storyType() > CRTFHdrFtr::kEven) return;
    emitter->writeFormat("{\\%s ", words[story.storyType()]);
    ++headerFooterDepth;
    const std::int16_t code = failureCode([&] { story.replay(false); });
    --headerFooterDepth;
    throwIfError(code, __LINE__, kUnit);
    emitter->writeFormat("}");
}

void CRTFExporter::writeNextNote(Extruders& notes) {
    if (notes.empty()) return;
    std::unique_ptr<CRTFExtruder> note = std::move(notes.front());
    notes.erase(notes.begin());
    note->replay(true);
    note->closeStoryGroup();
}

void CRTFExporter::writeNextComment() {
    writeNextNote(comments);
}

void CRTFExporter::writeNextFootnote() {
    writeNextNote(footnotes);
}

void CRTFExporter::writeNextEndnote() {
    writeNextNote(endnotes);
}

template <typename Delivery>
bool CRTFExporter::deliverInPlace(Delivery&& delivery) {
    StoryOnDemand* const engine = currentStoryOnDemand();
    if (engine == nullptr) return false;
    CRTFExtruder* const savedExtruder = currentExtruder;
    XParamBlock* const savedBlock = block;
    std::int16_t answer = 0;
    nestedFailure = 0;
    std::int16_t code = failureCode([&] { answer = delivery(*engine); });
    if (code == 0) code = nestedFailure;
    nestedFailure = 0;
    currentExtruder = savedExtruder;
    block = savedBlock;
    throwIfError(code, __LINE__, kUnit);
    return answer == 1;
}

void CRTFExporter::writeGraphic(const char* name) {
    if (name == nullptr || emitter == nullptr) return;
    const bool beingWritten = std::any_of(graphicsBeingWritten.begin(), graphicsBeingWritten.end(),
                                          [name](const char* other) { return std::strcmp(other, name) == 0; });
    if (beingWritten || graphicsBeingWritten.size() + 1 >= kTableLevels) return;
    if (!deliverInPlace([name](StoryOnDemand& engine) { return engine.exportStoryByName(name); })) return;
    const auto found = std::find_if(graphics.begin(), graphics.end(), [name](const std::unique_ptr<CRTFGraphic>& story) {
        return std::strcmp(story->name(), name) == 0;
    });
    if (found == graphics.end()) return;
    CRTFGraphic& story = **found;
    raisingOutOfMemory(__LINE__, kUnit, [&] { graphicsBeingWritten.push_back(story.name()); });
    emitter->writeFormat("{\\shptxt ");
    const std::int16_t code = failureCode([&] { story.replay(false); });
    graphicsBeingWritten.pop_back();
    throwIfError(code, __LINE__, kUnit);
    emitter->writeFormat("}");
}

void CRTFExporter::writeTable(std::int32_t mark) {
    if (emitter == nullptr || depth + 1 >= kTableLevels) return;
    // A table inside itself would never end.
    for (std::int16_t level = 1; level <= depth; ++level) {
        if (tableLevels[level].storyMark == mark) return;
    }
    if (!deliverInPlace([mark](StoryOnDemand& engine) { return engine.exportStoryByMark(mark); })) return;
    const auto found = std::find_if(tables.begin(), tables.end(),
                                    [mark](const std::unique_ptr<CRTFTable>& story) { return story->storyMark() == mark; });
    if (found == tables.end()) return;
    CRTFTable* const story = found->get();
    ++depth;
    tableLevels[depth] = TableLevel{mark, story->storyRows(), 0};
    const std::int16_t code = failureCode([&] { story->replay(false); });
    --depth;
    // Every anchor has its table delivered afresh, so a written table's runs go at once: kept until the
    // sheet ends, the tables of a long document held hundreds of megabytes. Tables written inside this
    // one have gone already, so the list may have moved: the story is found again.
    tables.erase(std::find_if(tables.begin(), tables.end(),
                              [story](const std::unique_ptr<CRTFTable>& kept) { return kept.get() == story; }));
    throwIfError(code, __LINE__, kUnit);
}

CBaseTranslator* makeRTFExporter(const TranslatorDescriptor* descriptor) {
    return new (std::nothrow) CRTFExporter(descriptor);
}
