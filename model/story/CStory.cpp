#include "model/story/CStory.h"

#include <cstring>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/story/LoadedStory.h"
#include "model/story/StoryKeys.h"

namespace {

constexpr const char* kUnit = "BStory";

// Gives a part to the caller's place, or leaves it to be freed when the caller did not ask for it.
template <typename Part>
void handOut(Part*& part, Part** place) {
    if (place == nullptr) return;
    *place = part;
    part = nullptr;
}

}  // namespace

CStory::CStory(XParamBlock* host, CStream* parentStream, const void* ownerValue, std::int16_t kind, std::int32_t mark,
               std::int16_t create, const char* attributeName, const void* attributeValue, std::int16_t attributeType) {
    // A virtual call from a constructor reaches this class's own open(), never an override: say so.
    CStory::open(host, parentStream, ownerValue, 0, kind, mark, create, attributeName, attributeValue, attributeType);
}

CStory::CStory() {
    CStory::open(nullptr, nullptr, nullptr, 0, storykind::kNull, 0, 1, nullptr, nullptr, 0);
}

CStory::~CStory() {
    disposeStreams();
}

void CStory::disposeStreams() {
    // The children first: an unattached story element frees its children with it.
    disposeObject(textStream);
    disposeObject(formStream);
    disposeObject(ruleStream);
    disposeObject(pageStream);
    disposeObject(storyStream);
}

void CStory::open(XParamBlock* hostBlock, CStream* parent, const void* owner, std::int32_t /*reserved*/,
                  std::int16_t kind, std::int32_t mark, std::int16_t create, const char* attributeName,
                  const void* attributeValue, std::int16_t attributeType) {
    disposeStreams();
    host = hostBlock;
    parentStream = parent;
    ownerValue = owner;
    storyMark = mark;
    lastReportTime = 0;
    reported = false;
    unitCount = 0;
    pictureCount = 0;
    reportCount = 0;
    formAllChanged = 1;
    ruleAllChanged = 1;
    pageAllChanged = 1;
    rowCount = StoryRowCount();
    if (create != 1) rowCount.forget();  // the text already there is not counted

    char name[kStoryElementNameBytes];
    storyElementName(name, kind, mark);
    try {
        if (attributeName == nullptr) {
            storyStream = new (std::nothrow) CStream(parentStream, name, create);
        } else {
            storyStream = new (std::nothrow) CStream(parentStream, name, attributeName, attributeValue, attributeType);
        }
        throwIfNull(storyStream, __LINE__, kUnit);
        textStream = new (std::nothrow) CStream(storyStream, "TEXT", create);
        throwIfNull(textStream, __LINE__, kUnit);
        formStream = new (std::nothrow) CStream(storyStream, "FORM", create);
        throwIfNull(formStream, __LINE__, kUnit);
        ruleStream = new (std::nothrow) CStream(storyStream, "RULE", create);
        throwIfNull(ruleStream, __LINE__, kUnit);
        pageStream = new (std::nothrow) CStream(storyStream, "PAGE", create);
        throwIfNull(pageStream, __LINE__, kUnit);
    } catch (const CFail&) {
        disposeStreams();
        rethrowFailure();
    }
    if (create == 1 && host != nullptr) {
        storyStream->writeAttribute(storykey::kType.name, storykey::kType.letter, host->storyType);
        storyStream->writeAttribute(storykey::kMark.name, storykey::kMark.letter, host->storyMark);
        storyStream->writeAttribute(storykey::kName.name, storykey::kName.letter, host->storyName);
    }
}

std::int16_t CStory::removeFromStorage() {
    if (storyStream == nullptr) return result::kSuccess;
    storyStream->remove();
    // The children went with the story element (unless it is a root that stays): their streams must not
    // reach the freed elements.
    if (storyStream->getNode() == nullptr) {
        textStream->setNode(nullptr);
        formStream->setNode(nullptr);
        ruleStream->setNode(nullptr);
        pageStream->setNode(nullptr);
    }
    return result::kSuccess;
}

void CStory::readHeader(std::int32_t* storyType, std::int32_t* storyMarkOut, char (*storyName)[kStoryNameBytes]) {
    if (storyType != nullptr) storyStream->readAttribute(storykey::kType.name, storykey::kType.letter, storyType);
    if (storyMarkOut != nullptr) storyStream->readAttribute(storykey::kMark.name, storykey::kMark.letter, storyMarkOut);
    if (storyName != nullptr) {
        storyStream->readAttribute(storykey::kName.name, storykey::kName.letter,
                                   StorageTarget::textBuffer(*storyName, kStoryNameBytes));
    }
}

void CStory::loadAll(char16_t** text, std::int32_t* textLength, XForm** forms, std::int32_t* formCount, XRule** rules,
                     std::int32_t* ruleCount, XPage** pages, std::int32_t* pageCount, std::int32_t* storyType,
                     std::int32_t* storyMarkOut, char (*storyName)[kStoryNameBytes], ProgressSink* sink,
                     std::int32_t reportBase) {
    load(text, textLength, forms, formCount, rules, ruleCount, pages, pageCount, storyType, storyMarkOut, storyName,
         sink, reportBase, true);
}

void CStory::loadText(char16_t** text, std::int32_t* textLength, std::int32_t* storyType, std::int32_t* storyMarkOut,
                      char (*storyName)[kStoryNameBytes], ProgressSink* sink, std::int32_t reportBase) {
    load(text, textLength, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, storyType, storyMarkOut, storyName,
         sink, reportBase, false);
}

void CStory::load(char16_t** text, std::int32_t* textLength, XForm** forms, std::int32_t* formCount, XRule** rules,
                  std::int32_t* ruleCount, XPage** pages, std::int32_t* pageCount, std::int32_t* storyType,
                  std::int32_t* storyMarkOut, char (*storyName)[kStoryNameBytes], ProgressSink* sink,
                  std::int32_t reportBase, bool withRuns) {
    reportCount = static_cast<std::int32_t>(static_cast<std::uint32_t>(reportBase) + 1u);
    progress(sink);
    throwIfNull(storyStream == nullptr ? nullptr : storyStream->getNode(), __LINE__, kUnit);

    // The header goes into copies of the caller's places, so that an absent attribute keeps the value.
    std::int32_t type = storyType != nullptr ? *storyType : 0;
    std::int32_t mark = storyMarkOut != nullptr ? *storyMarkOut : 0;
    char name[kStoryNameBytes] = {};
    if (storyName != nullptr) std::memcpy(name, *storyName, sizeof name);
    readHeader(storyType != nullptr ? &type : nullptr, storyMarkOut != nullptr ? &mark : nullptr,
               storyName != nullptr ? &name : nullptr);

    // Nothing is handed out before everything was read: a failure half-way (a missing run count, a Stop)
    // frees what was read with `parts` and leaves the caller's places untouched.
    StoryContents parts;
    if (text != nullptr) textStream->readValues(&parts.text, &parts.textLength, nullptr);
    if (withRuns) {
        parts.forms = loadFormRuns(sink, &parts.formCount);
        parts.rules = loadRuleRuns(sink, &parts.ruleCount);
        parts.pages = loadPageRuns(sink, &parts.pageCount);
    }

    if (storyType != nullptr) *storyType = type;
    if (storyMarkOut != nullptr) *storyMarkOut = mark;
    if (storyName != nullptr) std::memcpy(*storyName, name, sizeof name);
    if (parts.text != nullptr) {
        if (textLength != nullptr) *textLength = parts.textLength;
        handOut(parts.text, text);
    }
    if (formCount != nullptr) *formCount = parts.formCount;
    if (ruleCount != nullptr) *ruleCount = parts.ruleCount;
    if (pageCount != nullptr) *pageCount = parts.pageCount;
    handOut(parts.forms, forms);
    handOut(parts.pages, pages);
    if (rules != nullptr) {
        handOut(parts.rules, rules);
        parts.ruleCount = 0;
    }
}

void CStory::traceRuns(const XForm*, std::int32_t, const XRule*, std::int32_t, const XPage*, std::int32_t) {}

void freeRunLevelTexts(XRule* rules, std::int32_t records) {
    if (rules == nullptr) return;
    // A paragraph run shares its level text with the run before it when it only copied it; a run that
    // read its own "LEVEL" holds a new one. All of them are alive until here, so a text that differs
    // from the previous run's is one not freed yet.
    const char16_t* previous = nullptr;
    for (std::int32_t i = 0; i < records; ++i) {
        char16_t* levelText = rules[i].level.text;
        if (levelText == nullptr || levelText == previous) continue;
        previous = levelText;
        freeMemory(levelText);
    }
}

void freeLoadedStory(char16_t*& text, XForm*& forms, XRule*& rules, std::int32_t ruleCount, XPage*& pages) {
    freeRunLevelTexts(rules, ruleCount - 1);  // the last entry is the sentinel
    freeMemory(text);
    freeMemory(forms);
    freeMemory(rules);
    freeMemory(pages);
}
