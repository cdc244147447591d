#include "engine/export/stories/StoryOnDemand.h"

namespace {

StoryOnDemand* boundEngine = nullptr;

}  // namespace

StoryOnDemand* currentStoryOnDemand() {
    return boundEngine;
}

void setCurrentStoryOnDemand(StoryOnDemand* engine) {
    boundEngine = engine;
}
