#pragma once
// A story as the export engine delivers it: its text loaded whole and a walk over each of its three
// run lists (StoryRunWalk.h), so the runs in force are read as the delivery reaches them and a story
// is delivered in time linear in its length, holding a run or two of each kind rather than all of
// them. Frees what it holds when it goes.
#include <cstdint>

#include "foundation/memory/Memory.h"
#include "model/story/StoryRunWalk.h"

// The run whose copy a walker's record holds (by its entry number in the story's run list), and the
// walker's record generation when it was copied: a walker that hands runs out in a record of its own
// (the export engine's block) copies a run in force over many paragraphs (a sheet's one paragraph
// record over all its rows) once, not once per piece of text, and copies it again once anything else
// may have written the record (its generation moved on).
struct HeldRun {
    std::int32_t entry = -1;
    std::uint64_t generation = 0;
};

struct DeliveredStory {
    DeliveredStory() = default;
    ~DeliveredStory() { freeMemory(text); }
    DeliveredStory(const DeliveredStory&) = delete;
    DeliveredStory& operator=(const DeliveredStory&) = delete;

    // Starts the walks over the story's runs; raises what loadAll raises for a missing run list.
    void startWalks(CStory& story) {
        forms.open(story, nullptr);
        rules.open(story, nullptr);
        pages.open(story, nullptr);
    }

    char16_t* text = nullptr;
    std::int32_t textLength = 0;
    StoryRunWalk<XForm> forms;
    StoryRunWalk<XRule> rules;
    StoryRunWalk<XPage> pages;
    HeldRun heldForm;
    HeldRun heldRule;
    HeldRun heldPage;
};
