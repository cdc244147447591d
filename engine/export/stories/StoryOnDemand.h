#pragma once
// The export engine as an exporter sees it while it writes: it delivers a stored graphic story by its
// name, or a stored table story by its mark, to the exporter at once, as a nested begin request, text
// runs and an end request. The engine of an export binds itself for its run; with none bound, tables
// and text boxes at their anchors are left out.
#include <cstdint>

class StoryOnDemand {
public:
    // 1 when the story was delivered, 0 when it was not found or failed.
    virtual std::int16_t exportStoryByName(const char* name) = 0;
    virtual std::int16_t exportStoryByMark(std::int32_t mark) = 0;

protected:
    ~StoryOnDemand() = default;
};

// The engine that delivers stories on demand during the current export, or null.
StoryOnDemand* currentStoryOnDemand();
// Binds (or with null, unbinds) the engine; the engine of an export binds itself for its run.
void setCurrentStoryOnDemand(StoryOnDemand* engine);
