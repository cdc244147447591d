#pragma once
// The story's own keys and names in the storage, spelled once for the code that writes them and the
// code that reads them back (CStory.cpp, StoryRuns.cpp): the header on the story element, the table-row
// count and the names of the picture elements.
#include "model/storage/IndexedName.h"

// An attribute of the story element and the value letter it is stored under (StorageValues.h).
struct StoryKey {
    const char* name;
    char letter;
};

namespace storykey {
// The header "StoryType %l StoryMark %l StoryName %s", one attribute each.
inline constexpr StoryKey kType{"StoryType", 'l'};
inline constexpr StoryKey kMark{"StoryMark", 'l'};
inline constexpr StoryKey kName{"StoryName", 's'};
// The story's table-row count.
inline constexpr StoryKey kRows{"StoryRows", 'l'};
// One element per picture under the story: "Picture000001" for picture 1.
inline constexpr const char* kPicturePattern = "Picture%06d";
}  // namespace storykey

// The name of the element that holds picture `number` of a story.
inline IndexedName pictureElementName(int number) {
    return IndexedName(storykey::kPicturePattern, number);
}
