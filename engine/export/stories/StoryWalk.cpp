// One stored story played to the exporter: the export engine's exportStory and the two ways an exporter
// asks for a story while it writes (see CExportEngine.h).
//
// Requests use the export story kinds (2 header ... 10 table, 11 main); the storage and the block's
// storyNumber use the storage kinds, one less. A story played in place (kStoryInline) gets no begin or
// end request: its runs join those of the story around it.
#include <new>

#include "engine/ProgramPreferences.h"
#include "engine/export/CExportEngine.h"
#include "engine/export/stories/DeliveredStory.h"
#include "engine/task/ProgressWindow.h"
#include "engine/translators/CTranslator.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/params/XParamBlock.h"
#include "model/story/CStory.h"
#include "model/story/StoryKinds.h"

namespace {
constexpr const char* kUnit = "BEngineExp";
constexpr std::int16_t kMainStoryKind = 11;
constexpr std::int16_t kGraphicKind = 9;
constexpr std::int16_t kTableKind = 10;
constexpr std::int16_t kFirstSideKind = 2;
constexpr std::int16_t kLastListedKind = 9;
constexpr std::int16_t kHandlingListed = 3;
// The page-size code of the default section record: the letter page.
constexpr std::int16_t kLetterPage = 2;

bool takesKind(const TranslatorDescriptor& descriptor, std::int16_t exportKind) {
    return (descriptor.storyMask & (1u << (exportKind - 1))) != 0;
}

// A story without any text has no runs either; any other story that cannot be loaded is damaged.
bool storyHasText(CStory& story) {
    CStream* storyStream = story.getStoryStream();
    if (storyStream == nullptr) return false;
    CStream textStream(storyStream, "TEXT", 0);
    char* text = nullptr;
    std::int32_t length = 0;
    textStream.getText(&text, &length);
    freeMemory(text);
    return length > 0;
}

// Releases a story the walk owns however the walk ends.
struct StoryRelease {
    CStory* story;
    ~StoryRelease() { disposeObject(story); }
};

// The walk's nesting depth while it runs.
struct DepthScope {
    std::int32_t& depth;
    explicit DepthScope(std::int32_t& counter) : depth(counter) { ++depth; }
    ~DepthScope() { --depth; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;
};
}  // namespace

std::int16_t CExportEngine::exportStory(CStory* story, std::int16_t kind, std::int32_t mark, CStream* parent,
                                       XParamBlock* block, std::int16_t owns) {
    StoryRelease release{owns == 1 ? story : nullptr};
    if (storyDepth >= kMaxStoryDepth) return 0;
    const DepthScope depth(storyDepth);
    if (kind != kStoryInline) block->storyNumber = static_cast<std::int16_t>(kind - 1);
    if (story == nullptr) {
        if (kind == kStoryInline || parent == nullptr) return 1;
        try {
            story = new (std::nothrow) CStory(block, parent, nullptr, block->storyNumber, mark, 0);
        } catch (const CFail&) {
            return 1;  // not stored: nothing to play
        }
        throwIfNull(story, __LINE__, kUnit);
        release.story = story;
    }
    playStory(*story, kind, block);
    return 1;
}

void CExportEngine::playStory(CStory& story, std::int16_t kind, XParamBlock* block) {
    const bool mainStory = kind == kMainStoryKind;
    ++recordGeneration;
    DeliveredStory loaded;
    try {
        // The run lists first: a story that cannot be walked leaves the block's header as it was.
        loaded.startWalks(story);
        story.loadText(&loaded.text, &loaded.textLength, &block->storyType, &block->storyMark, &block->storyName,
                       mainStory ? progressWindow : nullptr, storyLoadArg);
    } catch (const CFail& failure) {
        if (failure.error == result::kNullObject && !storyHasText(story)) return;
        rethrowFailure();
    }
    if (loaded.text == nullptr || loaded.textLength <= 0) return;
    if (mainStory) mainStoryLength = loaded.textLength;
    block->storyRows = story.readRows();

    if (kind != kStoryInline) {
        throwIfError(exporterRegistry->send(kind, block), __LINE__, kUnit);
        if (block->selector != request::kAnswerYes) return;
    }
    initXForm(&block->form);
    initXRule(&block->rule);
    initXPage(&block->page, kLetterPage);
    deliverStoryText(loaded, story, mainStory, block);
    if (mainStory) listSideStoriesAfterMainText(block);
    if (kind != kStoryInline)
        throwIfError(exporterRegistry->send(static_cast<std::int16_t>(kind + request::kEndStoryOffset), block),
                     __LINE__, kUnit);
}

void CExportEngine::deliverStoryText(DeliveredStory& loaded, CStory& story, bool mainStory, XParamBlock* block) {
    const std::int32_t total = loaded.textLength;
    if (mainStory) shownPercent = -1;  // loading it showed a status of its own
    for (std::int32_t position = 0; position < total;) {
        pollStop();
        const std::int32_t stretch = measureRun(loaded.text, total, position);
        std::int32_t offset = 0;
        do {
            offset += deliverText(loaded, stretch - offset, position + offset, &story, block);
        } while (offset < stretch);
        position += stretch;
        if (mainStory) progress(position, total);
    }
}

void CExportEngine::listSideStoriesAfterMainText(XParamBlock* block) {
    for (std::int16_t& counter : storyCounters) counter = 0;
    for (std::int16_t kind = kFirstSideKind; kind <= kLastListedKind; ++kind) {
        if (takesKind(*exporterDescriptor, kind) || gPreferences.storyOptions[kind] != kHandlingListed) continue;
        for (std::int32_t mark = 0; mark <= INT16_MAX; ++mark) {
            CStory* story = nullptr;
            try {
                story = new (std::nothrow) CStory(block, sheetStream, nullptr, static_cast<std::int16_t>(kind - 1),
                                                  mark, 0);
            } catch (const CFail&) {
                break;  // the marks end at the first one not stored
            }
            throwIfNull(story, __LINE__, kUnit);
            exportStory(story, kStoryInline, mark, sheetStream, block, 1);
        }
    }
    progress(mainStoryLength, mainStoryLength);
}

std::int16_t CExportEngine::exportStoryByName(const char* name) {
    if (name == nullptr) return 0;
    return exportStoryOnDemand(kGraphicKind, name, nullptr);
}

std::int16_t CExportEngine::exportStoryByMark(std::int32_t mark) {
    return exportStoryOnDemand(kTableKind, nullptr, &mark);
}

std::int16_t CExportEngine::exportStoryOnDemand(std::int16_t kind, const char* name, const std::int32_t* mark) {
    if (sheetStream == nullptr) return 0;
    XParamBlock own{};
    struct BlockRelease {
        XParamBlock& block;
        ~BlockRelease() { disposeXParamBlock(&block); }
    } release{own};
    // Set up without the task, whose buffers it would clear while the exporter still handles the run
    // that asked for the story; the runs of this story go through the engine's own run buffer.
    initXParamBlock(nullptr, &own);
    own.textBuffer = runBuffer();

    CStory* story = findStory(kind, name, mark, &own);
    if (story == nullptr) return 0;
    return exportStory(story, kind, -1, sheetStream, &own, 1);
}

CStory* CExportEngine::findStory(std::int16_t kind, const char* name, const std::int32_t* mark, XParamBlock* block) {
    if (sheetStream == nullptr) return nullptr;
    CStory* story = nullptr;
    const std::int16_t storageKind = static_cast<std::int16_t>(kind - 1);
    try {
        story = name != nullptr
                    ? new (std::nothrow) CStory(block, sheetStream, nullptr, storageKind, -1, 0, "StoryName", name,
                                                childmatch::kText)
                    : new (std::nothrow) CStory(block, sheetStream, nullptr, storageKind, -1, 0, "StoryMark", mark,
                                                childmatch::kInteger);
    } catch (const CFail&) {
        return nullptr;
    }
    throwIfNull(story, __LINE__, kUnit);
    return story;
}
