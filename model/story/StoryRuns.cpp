// The runs of a story: change marking, writing and reading single run records, pictures, the row count
// and the progress of loading.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/Clock.h"
#include "foundation/memory/Memory.h"
#include "model/CPicture.h"
#include "model/records/RecordFields.h"
#include "model/records/RecordKeys.h"
#include "model/records/RecordTables.h"
#include "model/records/character/XFormReader.h"
#include "model/records/character/XFormWriter.h"
#include "model/records/paragraph/XRuleReader.h"
#include "model/records/paragraph/XRuleWriter.h"
#include "model/records/section/XPageReader.h"
#include "model/records/section/XPageWriter.h"
#include "model/storage/IndexedName.h"
#include "model/story/CStory.h"
#include "model/story/StoryKeys.h"
#include "model/story/StoryRunWalk.h"

namespace {

constexpr const char* kUnit = "BStory";

// The three head fields that every run record begins with, and all that a run array's sentinel holds.
constexpr std::size_t kRunHeadBytes = offsetof(XForm, position) + sizeof(std::int32_t);
static_assert(offsetof(XRule, position) == offsetof(XForm, position) &&
              offsetof(XPage, position) == offsetof(XForm, position) && offsetof(XForm, changeBits) == 0 &&
              offsetof(XRule, changeBits) == 0 && offsetof(XPage, changeBits) == 0,
              "run records share their head");

// How each kind of run is kept: its list's count attribute, its element names (the prefix that the
// pattern begins with), its copy, reader and writer.
template <typename Record>
struct RunKind;

template <>
struct RunKind<XForm> {
    static constexpr const char* countKey = "Formz";
    static constexpr const char* prefix = "Form";
    static constexpr const char* pattern = "Form%03d";
    static XForm* copy(XForm* dst, const XForm* src) { return copyXForm(dst, src); }
    static std::int16_t read(CStream* element, XForm* form) { return readXForm(element, form); }
    static std::int16_t write(CStream* element, const XForm* form, XParamBlock* host) {
        return writeXForm(element, form, host);
    }
    // A record copied from its predecessor must not share its picture: pictures live in elements of
    // their own.
    static void forget(XForm* form) { form->picData = nullptr; }
};

template <>
struct RunKind<XRule> {
    static constexpr const char* countKey = "Rulez";
    static constexpr const char* prefix = "Rule";
    static constexpr const char* pattern = "Rule%03d";
    static XRule* copy(XRule* dst, const XRule* src) { return copyXRule(dst, src); }
    static std::int16_t read(CStream* element, XRule* rule) { return readXRule(element, rule); }
    static std::int16_t write(CStream* element, const XRule* rule, XParamBlock* host) {
        return writeXRule(element, rule, host);
    }
    static void forget(XRule*) {}
};

template <>
struct RunKind<XPage> {
    static constexpr const char* countKey = "Pagez";
    static constexpr const char* prefix = "Page";
    static constexpr const char* pattern = "Page%03d";
    static XPage* copy(XPage* dst, const XPage* src) { return copyXPage(dst, src); }
    static std::int16_t read(CStream* element, XPage* page) { return readXPage(element, page); }
    static std::int16_t write(CStream* element, const XPage* page, XParamBlock* host) {
        return writeXPage(element, page, host);
    }
    static void forget(XPage*) {}
};

template <typename Record>
IndexedName runElementName(std::int32_t index) {
    return IndexedName(RunKind<Record>::pattern, index);
}

// The run element of that name: the list's first child of the name, as a look-up by name finds it.
xmlNode* findRunElementByName(CStream* list, const char* name) {
    if (list == nullptr || list->getNode() == nullptr) return nullptr;
    return CStream::findChild(list->getNode()->children, name, nullptr, nullptr, 0);
}

// The number of a run element from its name, exactly as "Form%03d" makes it ("Form007" is 7,
// "Form1000" is 1000); -1 for any other name and for numbers not below the limit.
std::int32_t runElementIndex(const xmlChar* elementName, const char* prefix, std::int32_t limit) {
    const auto* name = reinterpret_cast<const char*>(elementName);
    const std::size_t prefixLength = std::strlen(prefix);
    if (std::strncmp(name, prefix, prefixLength) != 0) return -1;
    const char* digits = name + prefixLength;
    const std::size_t length = std::strlen(digits);
    if (length < 3 || (length > 3 && digits[0] == '0')) return -1;
    std::int64_t value = 0;
    for (const char* at = digits; *at != '\0'; ++at) {
        if (*at < '0' || *at > '9') return -1;
        value = value * 10 + (*at - '0');
        if (value >= limit) return -1;
    }
    return static_cast<std::int32_t>(value);
}

// A block of the memory layer owned for one scope: freed on every way out unless released.
template <typename Item>
class OwnedBlock {
public:
    explicit OwnedBlock(std::int64_t items) {
        const std::int64_t bytes = items * static_cast<std::int64_t>(sizeof(Item));
        if (items < 0 || bytes > INT32_MAX) throwFail(result::kOutOfMemory, __LINE__, kUnit);
        block = static_cast<Item*>(allocMemory(static_cast<std::int32_t>(bytes)));
        throwIfNull(block, __LINE__, kUnit);
    }
    ~OwnedBlock() { freeMemory(block); }
    OwnedBlock(const OwnedBlock&) = delete;
    OwnedBlock& operator=(const OwnedBlock&) = delete;

    Item* get() const { return block; }
    Item* release() {
        Item* owned = block;
        block = nullptr;
        return owned;
    }

private:
    Item* block = nullptr;
};

// A run element of a list and the number its name gives it.
struct NumberedRun {
    std::int32_t number;
    std::int32_t order;  // in the document, so the first element of a number stays first
    xmlNode* node;
};

// The run elements present in a list, by number: the first element of each name, as a look-up by name
// would find it, numbered below the list's count. Found in one walk over the children and sorted only
// when out of order, so loading costs what the elements present cost however they are named or
// ordered, and the count a list claims never decides how much is allocated.
class PresentRuns {
public:
    PresentRuns(CStream* list, const char* prefix, std::int32_t claimedCount)
        : runs(countElementChildren(list->getNode())) {
        for (xmlNode* child = list->getNode()->children; child != nullptr; child = child->next) {
            if (child->type != XML_ELEMENT_NODE) continue;
            const std::int32_t number = runElementIndex(child->name, prefix, claimedCount);
            if (number >= 0) {
                runs.get()[count] = NumberedRun{number, count, child};
                ++count;
            }
        }
        NumberedRun* first = runs.get();
        // A stored story numbers its runs in order, and then there is nothing to sort or drop.
        const auto notAfter = [](const NumberedRun& a, const NumberedRun& b) { return a.number >= b.number; };
        if (std::adjacent_find(first, first + count, notAfter) == first + count) return;
        std::sort(first, first + count, [](const NumberedRun& a, const NumberedRun& b) {
            return a.number != b.number ? a.number < b.number : a.order < b.order;
        });
        count = static_cast<std::int32_t>(
            std::unique(first, first + count, [](const NumberedRun& a, const NumberedRun& b) { return a.number == b.number; }) -
            first);
    }

    std::int32_t size() const { return count; }
    const NumberedRun& operator[](std::int32_t i) const { return runs.get()[i]; }

private:
    static std::int64_t countElementChildren(const xmlNode* list) {
        std::int64_t elements = 0;
        for (const xmlNode* child = list->children; child != nullptr; child = child->next)
            if (child->type == XML_ELEMENT_NODE) ++elements;
        return std::max<std::int64_t>(elements, 1);  // the memory layer gives at least a small block
    }

    OwnedBlock<NumberedRun> runs;
    std::int32_t count = 0;
};

// Reads one run element on top of the record; a missing element or a reader failure leaves the record
// with what it held and what the reader had already set.
template <typename Record>
void readRunElement(Record* record, CStream& element, xmlNode* node, bool first) {
    if (first) std::memset(static_cast<void*>(record), 0, sizeof(Record));
    RunKind<Record>::forget(record);
    if (node == nullptr) return;
    element.setNode(node);
    failureCode([&] { RunKind<Record>::read(&element, record); });
    element.setNode(nullptr);
}

// What the first `count` runs own: the level texts of paragraph runs; the other kinds own nothing.
void releaseRuns(XForm*, std::int32_t) {}
void releaseRuns(XPage*, std::int32_t) {}
void releaseRuns(XRule* rules, std::int32_t count) {
    freeRunLevelTexts(rules, count);
}

void endWithSentinel(void* runs, std::size_t recordBytes, std::int32_t count) {
    auto* head = static_cast<unsigned char*>(runs) + static_cast<std::size_t>(count) * recordBytes;
    const std::int32_t uniqueBits = 0;
    const std::int32_t position = INT_MAX;
    std::memset(head, 0, sizeof XForm::changeBits);
    std::memcpy(head + offsetof(XForm, uniqueBits), &uniqueBits, sizeof uniqueBits);
    std::memcpy(head + offsetof(XForm, position), &position, sizeof position);
}

// A run array being loaded: on every way out before it is handed over, it releases what the records
// read so far own and frees the array.
template <typename Record>
class LoadingRuns {
public:
    explicit LoadingRuns(std::int32_t records) {
        constexpr std::int64_t kMostRecords = (INT32_MAX - static_cast<std::int64_t>(kRunHeadBytes)) / sizeof(Record);
        if (records > kMostRecords) throwFail(result::kOutOfMemory, __LINE__, kUnit);
        const auto bytes = static_cast<std::int32_t>(records * static_cast<std::int64_t>(sizeof(Record)) + kRunHeadBytes);
        runs = static_cast<Record*>(allocMemory(bytes));
        throwIfNull(runs, __LINE__, kUnit);
    }
    ~LoadingRuns() {
        if (runs == nullptr) return;
        releaseRuns(runs, read);
        freeMemory(runs);
    }
    LoadingRuns(const LoadingRuns&) = delete;
    LoadingRuns& operator=(const LoadingRuns&) = delete;

    Record& operator[](std::int32_t i) { return runs[i]; }
    // Record i is complete.
    void completed(std::int32_t i) { read = i + 1; }
    // Ends the array with its sentinel and hands it over.
    Record* finish() {
        endWithSentinel(runs, sizeof(Record), read);
        Record* whole = runs;
        runs = nullptr;
        return whole;
    }

private:
    Record* runs = nullptr;
    std::int32_t read = 0;  // records complete so far
};

// Loads one run list into a new array of the run elements present plus the sentinel's head; the count
// handed back includes the sentinel. The list's count is a claim: it must be at least 1, and elements
// numbered at or beyond it are not runs, but the array is as long as the elements actually there. Run 0
// always exists (all zeros when its element is missing); each later element present is read once, on
// top of a copy of the run before it.
template <typename Record>
Record* loadRuns(CStory& story, CStream* list, ProgressSink* sink, bool reportEach, std::int32_t* countOut) {
    throwIfNull(list == nullptr ? nullptr : list->getNode(), __LINE__, kUnit);
    std::int32_t claimed = 0;
    list->readAttribute(RunKind<Record>::countKey, 'l', &claimed);
    if (claimed <= 0) throwFail(result::kNullObject, __LINE__, kUnit);

    const PresentRuns present(list, RunKind<Record>::prefix, claimed);
    const bool firstPresent = present.size() > 0 && present[0].number == 0;
    const std::int32_t records = firstPresent ? present.size() : present.size() + 1;
    LoadingRuns<Record> runs(records);
    CStream element(nullptr, nullptr, 0);
    for (std::int32_t i = 0; i < records; ++i) {
        xmlNode* node = firstPresent ? present[i].node : (i == 0 ? nullptr : present[i - 1].node);
        if (i > 0) RunKind<Record>::copy(&runs[i], &runs[i - 1]);
        readRunElement(&runs[i], element, node, i == 0);
        runs.completed(i);
        if (reportEach) story.progress(sink);
    }
    *countOut = records + 1;
    return runs.finish();
}

// Appends the record to its list as the next run element, at the given text position: the list's
// count grows first (errors of that count are ignored), then the element is made and the writer stores
// the record. Answers whether the record was stored whole.
template <typename Record>
bool appendRunElement(CStream* list, Record* record, std::int32_t position, XParamBlock* host) {
    const std::int16_t stored = failureCode([&] {
        throwIfNull(list == nullptr ? nullptr : list->getNode(), __LINE__, kUnit);
        std::int32_t count = 0;
        failureCode([&] { list->readAttribute(RunKind<Record>::countKey, 'l', &count); });
        if (count < 0 || count == INT32_MAX) count = 0;
        ++count;
        failureCode([&] { list->writeAttribute(RunKind<Record>::countKey, 'l', count); });
        CStream element(list, runElementName<Record>(count - 1).c_str(), 1);
        record->position = position;
        throwIfError(RunKind<Record>::write(&element, record, host), __LINE__, kUnit);
    });
    return stored == result::kSuccess;
}

// The story's copy of the last run written: the record byte for byte, at position 0.
template <typename Record>
void keepAsCurrent(Record& current, const Record* record) {
    std::memcpy(static_cast<void*>(&current), record, sizeof(Record));
    current.position = 0;
}

template <typename Record>
std::int16_t markChanges(const RecordTable& table, Record* record, const Record& current, std::int16_t allChanged) {
    if (allChanged == 1) {
        std::memset(record->changeBits, 0xFF, sizeof record->changeBits);
        return 1;
    }
    const bool newUnique = record->uniqueBits != current.uniqueBits;
    // Most runs repeat the paragraph and section records of the run before: when every byte past the
    // head is the same, no field can differ (the head's fields carry no change bit), and one comparison
    // spares the look at each field.
    const auto* bytes = reinterpret_cast<const unsigned char*>(record);
    const auto* currentBytes = reinterpret_cast<const unsigned char*>(&current);
    if (std::memcmp(bytes + kRunHeadBytes, currentBytes + kRunHeadBytes, sizeof(Record) - kRunHeadBytes) == 0)
        return newUnique ? 1 : 0;
    const bool changed = markFieldChanges(table, record, &current);
    return (newUnique || changed) ? 1 : 0;
}

}  // namespace

std::int16_t CStory::markFormChanges(XForm* form) {
    return markChanges(kXFormTable, form, currentForm, formAllChanged);
}

std::int16_t CStory::markRuleChanges(XRule* rule) {
    return markChanges(kXRuleTable, rule, currentRule, ruleAllChanged);
}

std::int16_t CStory::markPageChanges(XPage* page) {
    return markChanges(kXPageTable, page, currentPage, pageAllChanged);
}

// A run that could not be stored whole leaves the next run of its kind to be stored with every field,
// so the records read back never carry a difference against a run the storage lacks.
void CStory::writeForm(XForm* form) {
    const bool stored = appendRunElement(formStream, form, unitCount, host);
    keepAsCurrent(currentForm, form);
    formAllChanged = stored ? 0 : 1;
}

void CStory::writeRule(XRule* rule) {
    const bool stored = appendRunElement(ruleStream, rule, unitCount, host);
    keepAsCurrent(currentRule, rule);
    ruleAllChanged = stored ? 0 : 1;
    rowCount.paragraphRun(stored, rule->lastCellOfRow == 1);
}

void CStory::writePage(XPage* page) {
    const bool stored = appendRunElement(pageStream, page, unitCount, host);
    keepAsCurrent(currentPage, page);
    pageAllChanged = stored ? 0 : 1;
}

void CStory::writePicture(CPicture* picture, std::int32_t number) {
    if (number == -1) number = ++pictureCount;
    failureCode([&] {
        throwIfNull(picture, __LINE__, kUnit);
        CStream element(storyStream, pictureElementName(number).c_str(), 1);
        picture->writeToStorage(&element);
    });
}

void CStory::writeRows(std::int32_t count) {
    throwIfNull(storyStream, __LINE__, kUnit);
    storyStream->writeAttribute(storykey::kRows.name, storykey::kRows.letter, count);
}

void CStory::readForm(XForm* form, std::int32_t index, std::int16_t first) {
    CStream element(nullptr, nullptr, 0);
    readRunElement(form, element, findRunElementByName(formStream, runElementName<XForm>(index).c_str()), first == 1);
}

void CStory::readRule(XRule* rule, std::int32_t index, std::int16_t first) {
    CStream element(nullptr, nullptr, 0);
    readRunElement(rule, element, findRunElementByName(ruleStream, runElementName<XRule>(index).c_str()), first == 1);
}

void CStory::readPage(XPage* page, std::int32_t index, std::int16_t first) {
    CStream element(nullptr, nullptr, 0);
    readRunElement(page, element, findRunElementByName(pageStream, runElementName<XPage>(index).c_str()), first == 1);
}

CPicture* CStory::readPicture(std::int32_t number) {
    CPicture* picture = nullptr;
    const std::int16_t failure = failureCode([&] {
        throwIfNull(storyStream, __LINE__, kUnit);
        CStream element(storyStream, pictureElementName(number).c_str(), 0);
        picture = new (std::nothrow) CPicture(&element);
        throwIfNull(picture, __LINE__, kUnit);
    });
    if (failure != result::kSuccess) disposeObject(picture);
    return picture;
}

std::int32_t CStory::readRows() {
    std::int32_t rows = 0;
    const std::int16_t failure = failureCode([&] {
        throwIfNull(storyStream, __LINE__, kUnit);
        storyStream->readAttribute(storykey::kRows.name, storykey::kRows.letter, &rows);
    });
    return failure == result::kSuccess ? rows : 0;
}

XForm* CStory::loadFormRuns(ProgressSink* sink, std::int32_t* count) {
    return loadRuns<XForm>(*this, formStream, sink, true, count);
}

XRule* CStory::loadRuleRuns(ProgressSink* sink, std::int32_t* count) {
    return loadRuns<XRule>(*this, ruleStream, sink, true, count);
}

XPage* CStory::loadPageRuns(ProgressSink* sink, std::int32_t* count) {
    return loadRuns<XPage>(*this, pageStream, sink, false, count);
}

void CStory::progress(ProgressSink* sink) {
    if (sink == nullptr) return;
    const double now = tickCount();
    // The clock wraps like a 32-bit counter: a time before the last report is a new round, not the past.
    if (!reported || now - kStoryReportInterval > lastReportTime || now < lastReportTime) {
        const UniFormatValue values[] = {reportCount};
        sink->setStatus(kStoryProgressString, values);
        lastReportTime = tickCount();
        reported = true;
        ++reportCount;
    }
    if (sink->poll() != 0) throwFail(result::kStopQuietly, __LINE__, kUnit);
}

namespace {

// A negative position lies before every run; its distance to a far run may not fit 32 bits and stops
// at INT_MAX (as the array look-ups answer).
std::int32_t runDistance(std::int32_t start, std::int32_t position) {
    const std::int64_t units = static_cast<std::int64_t>(start) - position;
    return units < INT_MAX ? static_cast<std::int32_t>(units) : INT_MAX;
}

// A paragraph run that read its own "LEVEL" holds a new level text; one that only copied the run
// before shares its text. The other kinds hold none.
void keepNewLevelText(std::vector<char16_t*>&, const XForm&, const XForm*) {}
void keepNewLevelText(std::vector<char16_t*>&, const XPage&, const XPage*) {}
void keepNewLevelText(std::vector<char16_t*>& kept, const XRule& read, const XRule* before) {
    char16_t* text = read.level.text;
    if (text != nullptr && (before == nullptr || text != before->level.text)) kept.push_back(text);
}

}  // namespace

// The entries of the array that loadRuns would make are numbered as there: entry 0 is run 0 (all zeros
// when its element is missing), entries 1 .. records-1 the later elements present, and entry `records`
// the sentinel at INT_MAX. `held` is entry next-1, `ahead` entry next while next < records.
template <typename Record>
struct StoryRunWalk<Record>::State {
    State(CStory& owner, CStream* list, ProgressSink* progressSink, std::int32_t claimed)
        : story(owner),
          sink(progressSink),
          present(list, RunKind<Record>::prefix, claimed),
          firstPresent(present.size() > 0 && present[0].number == 0),
          records(firstPresent ? present.size() : present.size() + 1),
          buffers(2) {}

    ~State() {
        for (char16_t* text : levelTexts) freeMemory(text);
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    // Reads entry i on top of a copy of the entry before it (on top of zeros for entry 0).
    void readEntry(std::int32_t i, Record* into, const Record* before) {
        xmlNode* node = firstPresent ? present[i].node : (i == 0 ? nullptr : present[i - 1].node);
        if (before != nullptr) RunKind<Record>::copy(into, before);
        readRunElement(into, element, node, before == nullptr);
        raisingOutOfMemory(__LINE__, kUnit, [&] { keepNewLevelText(levelTexts, *into, before); });
        story.progress(sink);
    }

    void restart() {
        held = buffers.get();
        ahead = buffers.get() + 1;
        next = 0;  // a failure while reading the first entries leaves the walk to start over
        readEntry(0, held, nullptr);
        if (records > 1) readEntry(1, ahead, held);
        next = 1;
    }

    void advance() {
        if (next < records) {
            std::swap(held, ahead);
            if (next + 1 < records) readEntry(next + 1, ahead, held);
        }
        ++next;
    }

    CStory& story;
    ProgressSink* sink;
    const PresentRuns present;
    const bool firstPresent;
    const std::int32_t records;
    CStream element{nullptr, nullptr, 0};
    OwnedBlock<Record> buffers;
    Record* held = nullptr;
    Record* ahead = nullptr;
    std::int32_t next = 0;  // 0: nothing read yet
    std::int32_t asked = INT32_MIN;
    std::vector<char16_t*> levelTexts;
};

template <>
CStream* CStory::runList<XForm>() const {
    return formStream;
}
template <>
CStream* CStory::runList<XRule>() const {
    return ruleStream;
}
template <>
CStream* CStory::runList<XPage>() const {
    return pageStream;
}

template <typename Record>
StoryRunWalk<Record>::StoryRunWalk() = default;

template <typename Record>
StoryRunWalk<Record>::~StoryRunWalk() = default;

template <typename Record>
void StoryRunWalk<Record>::open(CStory& story, ProgressSink* sink) {
    CStream* list = story.runList<Record>();
    throwIfNull(list == nullptr ? nullptr : list->getNode(), __LINE__, kUnit);
    std::int32_t claimed = 0;
    list->readAttribute(RunKind<Record>::countKey, 'l', &claimed);
    if (claimed <= 0) throwFail(result::kNullObject, __LINE__, kUnit);
    state.reset(new (std::nothrow) State(story, list, sink, claimed));
    throwIfNull(state.get(), __LINE__, kUnit);
}

template <typename Record>
std::int32_t StoryRunWalk<Record>::findAt(std::int32_t position, const Record** run, std::int32_t* entry) {
    if (state == nullptr) return INT_MAX;
    State& walk = *state;
    if (walk.next == 0 || position < walk.asked) walk.restart();
    walk.asked = position;
    while (walk.next <= walk.records) {
        const std::int32_t start = walk.next < walk.records ? walk.ahead->position : INT_MAX;
        if (start > position) {
            *run = walk.held;
            *entry = walk.next - 1;
            return runDistance(start, position);
        }
        walk.advance();
    }
    return INT_MAX;
}

template class StoryRunWalk<XForm>;
template class StoryRunWalk<XRule>;
template class StoryRunWalk<XPage>;
