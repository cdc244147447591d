#pragma once
// A story loaded whole for delivery: its text and its three run arrays (each ended by its sentinel),
// with a cursor per array, so that the runs in force are found from where the last look-up stopped and
// a story is delivered in time linear in its length. Frees what it holds when it goes.
#include <cstdint>

#include "model/CStory.h"
#include "model/RunLookup.h"

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
    // The paragraph run this story last copied into the block, and the engine's count of such writes
    // (CExportEngine::blockRuleWrites) just after it.
    const XRule* ruleInBlock = nullptr;
    std::uint64_t ruleWritesThen = 0;
};
