#include "engine/translators/TranslatorRequest.h"

const StoryRequestCodes storyRequestCodes[kStoryRequestKinds] = {
    {"kMainStory", storykind::kMain, 2, 11},         {"kHeaderStory", storykind::kHeader, 3, 2},
    {"kFooterStory", storykind::kFooter, 4, 3},      {"kFieldStory", storykind::kField, 5, 4},
    {"kCommentStory", storykind::kComment, 6, 5},    {"kBookmarkStory", storykind::kBookmark, 7, 6},
    {"kFootnoteStory", storykind::kFootnote, 8, 7},  {"kEndnoteStory", storykind::kEndnote, 9, 8},
    {"kGraphicStory", storykind::kGraphic, 10, 9},   {"kTableStory", storykind::kTable, 11, 10},
};

namespace {

const StoryRequestCodes* codesOf(std::int16_t storyNumber) {
    for (const StoryRequestCodes& kind : storyRequestCodes)
        if (kind.storyNumber == storyNumber) return &kind;
    return nullptr;
}

}  // namespace

std::int16_t importBeginCode(std::int16_t storyNumber) {
    const StoryRequestCodes* kind = codesOf(storyNumber);
    return kind != nullptr ? kind->importBegin : -1;
}

std::int16_t exportBeginCode(std::int16_t storyNumber) {
    const StoryRequestCodes* kind = codesOf(storyNumber);
    return kind != nullptr ? kind->exportBegin : -1;
}
