#include "model/story/StoryKinds.h"

#include "foundation/CFail.h"
#include "foundation/text/TextFormat.h"

namespace {

constexpr const char* kUnit = "BStory";

}  // namespace

const char* const storyKindNames[storykind::kCount] = {
    "nullStory",     "headerStory",   "footerStory",   "fieldStory",   "commentStory", "bookMarkStory",
    "footnoteStory", "endnoteStory",  "graphicStory",  "tableStory",   "mainStory",
};

char* storyElementName(char (&name)[kStoryElementNameBytes], std::int16_t kind, std::int32_t mark) {
    if (kind < 0 || kind >= storykind::kCount) throwFail(result::kNullObject, __LINE__, kUnit);
    if (mark == -1) return formatString(name, "%s", storyKindNames[kind]);
    return formatString(name, "%s%04d", storyKindNames[kind], mark);
}
