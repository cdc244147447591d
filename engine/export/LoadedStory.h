#pragma once
// A story loaded for delivery: its text whole, and a walk over each of its three run lists, so that the
// runs in force are read as the delivery reaches them, from where the last look-up stopped: a story is
// delivered in time linear in its length, holding a run or two of each kind rather than all of them.
// Frees what it holds when it goes.
#include <cstdint>

#include "foundation/Memory.h"
#include "model/CStory.h"
#include "model/StoryRunWalk.h"

struct LoadedStory {
    LoadedStory() = default;
    ~LoadedStory() { freeMemory(text); }
    LoadedStory(const LoadedStory&) = delete;
    LoadedStory& operator=(const LoadedStory&) = delete;

    // Starts the walks over the story's runs; raises what loadAll raises for a missing run list. The
    // character and paragraph runs read are reported to the sink, as loadAll reports them.
    void startCursors(CStory& story, ProgressSink* sink) {
        formCursor.open(story, sink);
        ruleCursor.open(story, sink);
        pageCursor.open(story, nullptr);
    }

    char16_t* text = nullptr;
    std::int32_t length = 0;
    StoryRunWalk<XForm> formCursor;
    StoryRunWalk<XRule> ruleCursor;
    StoryRunWalk<XPage> pageCursor;
};
