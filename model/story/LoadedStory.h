#pragma once
// A story loaded back whole: the text and the three run arrays CStory::loadAll hands out (each array
// ended by its sentinel), owned and freed when the holder goes.
#include <cstdint>

#include "model/story/CStory.h"
#include "model/story/RunLookup.h"

// The parts of a loaded story. Loading into parts that already hold a story would lose that story:
// use a fresh holder per load.
struct StoryContents {
    StoryContents() = default;
    ~StoryContents() { freeLoadedStory(text, forms, rules, ruleCount, pages); }
    StoryContents(const StoryContents&) = delete;
    StoryContents& operator=(const StoryContents&) = delete;

    // Loads the story whole into these parts; the header goes to the places given (each may be null).
    // Raises what loadAll raises, leaving the parts as they were.
    void load(CStory& story, std::int32_t* storyType, std::int32_t* storyMark, char (*storyName)[kStoryNameBytes],
              ProgressSink* sink = nullptr, std::int32_t reportBase = 0) {
        story.loadAll(&text, &textLength, &forms, &formCount, &rules, &ruleCount, &pages, &pageCount, storyType,
                      storyMark, storyName, sink, reportBase);
    }

    char16_t* text = nullptr;
    std::int32_t textLength = 0;
    XForm* forms = nullptr;
    std::int32_t formCount = 0;
    XRule* rules = nullptr;
    std::int32_t ruleCount = 0;
    XPage* pages = nullptr;
    std::int32_t pageCount = 0;
};

// A loaded story walked in rising positions, with a cursor per run array, so that the runs in force are
// found from where the last look-up stopped and the story is walked in time linear in its length.
struct LoadedStory : StoryContents {
    // Sets the cursors on the arrays; call once the story is loaded.
    void startCursors() {
        formCursor = RunCursor<XForm>(forms, formCount);
        ruleCursor = RunCursor<XRule>(rules, ruleCount);
        pageCursor = RunCursor<XPage>(pages, pageCount);
    }

    RunCursor<XForm> formCursor;
    RunCursor<XRule> ruleCursor;
    RunCursor<XPage> pageCursor;
};
