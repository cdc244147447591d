// The storage reader and the story loader over any bytes: the bytes are parsed as a storage document,
// then every story element found in it is opened and loaded whole, its runs are walked as the export
// engine walks them while it delivers the text, and a table story is scanned row by row.
// Bad input may fail with CFail; anything else (a crash, a sanitizer report, a huge allocation) is a
// finding.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "foundation/CFail.h"
#include "fuzz/MemoryFile.h"
#include "model/CPicture.h"
#include "model/storage/CStorage.h"
#include "model/story/CStory.h"
#include "model/story/CTable.h"
#include "model/story/LoadedStory.h"
#include "model/story/StoryKinds.h"
#include "model/story/StoryRunWalk.h"
#include "platform/process/AllocationFailure.h"
#include "platform/process/Heap.h"

namespace {

// Enough to reach stories nested in tables and other stories, few enough that one input stays quick.
constexpr int kDepthLimit = 16;
constexpr std::size_t kStoryLimit = 64;
// Pictures are stored one element each; a few show whether reading them holds.
constexpr std::int32_t kPictureLimit = 4;
constexpr std::int32_t kRowLimit = 1000;
// Look-ups of one run walk: enough to pass every run of a small story.
constexpr int kWalkStepLimit = 10000;

struct StoryName {
    std::int16_t kind;
    std::int32_t mark;
};

// The kind and mark whose element name is exactly `name` ("footnoteStory0012", "mainStory"), if any.
bool parseStoryName(const char* name, StoryName& story) {
    for (std::int16_t kind = 0; kind < storykind::kCount; ++kind) {
        const std::size_t prefix = std::strlen(storyKindNames[kind]);
        if (std::strncmp(name, storyKindNames[kind], prefix) != 0) continue;
        std::int32_t mark = -1;
        if (name[prefix] != '\0') {
            errno = 0;
            char* end = nullptr;
            const long value = std::strtol(name + prefix, &end, 10);
            if (errno != 0 || *end != '\0' || value < INT32_MIN || value > INT32_MAX) return false;
            mark = static_cast<std::int32_t>(value);
        }
        char expected[kStoryElementNameBytes];
        storyElementName(expected, kind, mark);
        if (std::strcmp(expected, name) != 0) return false;
        story = {kind, mark};
        return true;
    }
    return false;
}

// Every (parent, story element) pair of the document, in document order, first of each name under a parent.
std::vector<std::pair<xmlNode*, StoryName>> findStories(xmlNode* root) {
    std::vector<std::pair<xmlNode*, StoryName>> stories;
    std::set<std::pair<xmlNode*, std::string>> seen;
    std::vector<std::pair<xmlNode*, int>> pending{{root, 0}};
    while (!pending.empty() && stories.size() < kStoryLimit) {
        const auto [parent, depth] = pending.back();
        pending.pop_back();
        for (xmlNode* child = parent->children; child != nullptr; child = child->next) {
            if (child->type != XML_ELEMENT_NODE) continue;
            const char* name = reinterpret_cast<const char*>(child->name);
            StoryName story{};
            if (parseStoryName(name, story) && seen.emplace(parent, name).second) stories.emplace_back(parent, story);
            if (depth + 1 < kDepthLimit) pending.emplace_back(child, depth + 1);
        }
    }
    return stories;
}

// The table scanner walks a table story row by row, as the exporters walk tables.
void scanTable(CStory& story) {
    CTable table(&story);
    const std::int32_t rows = table.run();
    std::int32_t position = 0;
    CellEntry cells[kRowScratchCells];
    for (std::int32_t row = 0; row < rows && row < kRowLimit; ++row) {
        std::int32_t cellCount = 0;
        XRows definition{};
        table.nextRow(&position, &cellCount, cells, kRowScratchCells, &definition);
        if (cellCount == 0) break;
    }
}

// Walks the story's runs of one kind from run to run, as a delivery asks for them, then steps back to
// the start, which starts the walk over.
template <typename Record>
void walkRuns(CStory& story) {
    StoryRunWalk<Record> walk;
    walk.open(story, nullptr);
    const Record* run = nullptr;
    std::int32_t entry = -1;
    std::int64_t position = -1;
    for (int step = 0; step < kWalkStepLimit && position < INT_MAX; ++step) {
        const std::int32_t distance = walk.findAt(static_cast<std::int32_t>(position), &run, &entry);
        if (distance == INT_MAX) break;
        position += std::max(1, distance);
    }
    walk.findAt(0, &run, &entry);
}

template <typename Record>
void tryWalkRuns(CStory& story) {
    try {
        walkRuns<Record>(story);
    } catch (const CFail&) {
        // A run list that cannot be walked fails alone, as it fails the story's delivery.
    }
}

void loadStory(xmlNode* parent, StoryName name) {
    CStream parentStream(nullptr, nullptr, 0);
    parentStream.setNode(parent);
    CStory story(nullptr, &parentStream, nullptr, name.kind, name.mark, 0);

    tryWalkRuns<XForm>(story);
    tryWalkRuns<XRule>(story);
    tryWalkRuns<XPage>(story);
    {
        std::int32_t storyType = 0;
        std::int32_t storyMark = 0;
        char storyName[kStoryNameBytes] = {};
        StoryContents loaded;
        loaded.load(story, &storyType, &storyMark, &storyName);
    }

    story.readRows();
    if (name.kind == storykind::kTable) scanTable(story);
    for (std::int32_t number = 0; number < kPictureLimit; ++number) delete story.readPicture(number);
}

}  // namespace

// The model turns a failed allocation into CFail 12; it learns of one from the heap and from
// `new (std::nothrow)`, which the platform's allocation-failure switch replaces. The sanitizers and
// libFuzzer bring allocators of their own, so the fuzzer makes sure at start that the replacement is the
// one in force here; otherwise the target would not test what the program runs.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::failNthAllocation(1);
    int* probe = new (std::nothrow) int;
    platform::failNthAllocation(1);
    void* block = platform::heapAllocate(16);
    platform::disarmAllocationFailure();
    if (probe != nullptr || block != nullptr) {
        std::fprintf(stderr, "storage fuzzer: the allocation-failure switch is not in force\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryFile file(std::span<const std::uint8_t>(data, size));
    try {
        CStorage storage(&file, storagemode::kRead);
        for (const auto& [parent, name] : findStories(storage.rootStream()->getNode())) {
            try {
                loadStory(parent, name);
            } catch (const CFail&) {
                // A story that cannot be loaded fails alone; the next one is still tried.
            }
        }
    } catch (const CFail&) {
        // Not a storage document.
    }
    return 0;
}
