#pragma once
// A story loaded whole for delivery: its text and its three run arrays (each ended by its sentinel),
// with a cursor per array, so that the runs in force are found from where the last look-up stopped and
// a story is delivered in time linear in its length. Frees what it holds when it goes.
//
// A run in force over many paragraphs (a sheet's one paragraph record over all its rows) is copied into
// the block once, not once per run delivered: each kind remembers the run whose copy the block holds and
// the engine's record generation at the time (CExportEngine::recordGeneration). Anything that may write
// the block's records between two runs of this story (a story played in place with the same block)
// moves the generation on, and the next run is copied again. Exporters read the records, never write
// them.
#include <cstdint>

#include "model/CStory.h"
#include "model/RunLookup.h"

// The run whose copy a block's record holds, and the record generation when it was copied.
template <typename Record>
struct HeldRun {
    const Record* run = nullptr;
    std::uint64_t generation = 0;
};

struct LoadedStory {
    LoadedStory() = default;
    ~LoadedStory() { freeLoadedStory(text, forms, rules, ruleCount, pages); }
    LoadedStory(const LoadedStory&) = delete;
    LoadedStory& operator=(const LoadedStory&) = delete;

    // Sets the cursors on the arrays; call once the story is loaded.
    void startCursors() {
        formCursor = RunCursor<XForm>(forms, formCount);
        ruleCursor = RunCursor<XRule>(rules, ruleCount);
        pageCursor = RunCursor<XPage>(pages, pageCount);
    }

    char16_t* text = nullptr;
    std::int32_t length = 0;
    XForm* forms = nullptr;
    std::int32_t formCount = 0;
    XRule* rules = nullptr;
    std::int32_t ruleCount = 0;
    XPage* pages = nullptr;
    std::int32_t pageCount = 0;
    RunCursor<XForm> formCursor;
    RunCursor<XRule> ruleCursor;
    RunCursor<XPage> pageCursor;
    HeldRun<XForm> heldForm;
    HeldRun<XRule> heldRule;
    HeldRun<XPage> heldPage;
};
