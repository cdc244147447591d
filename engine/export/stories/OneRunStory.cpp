// Text that no stored story holds, delivered in place as a story of one run: marker lines around a
// side story written in place, and numbered references (see CExportEngine.h).
//
// The text is made into a scratch story outside every document, in the default character, paragraph
// and section records (a letter page), and played through a copy of the caller's block: the caller's
// block keeps its request code, its run and its records; only what both point to (the run buffer)
// changes. The text is UTF-16 as the string table holds it.
#include <new>

#include "engine/export/CExportEngine.h"
#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/params/XParamBlock.h"
#include "model/story/CStory.h"

namespace {
constexpr const char* kUnit = "BEngineExp";
constexpr std::int16_t kLetterPage = 2;
}  // namespace

void CExportEngine::deliverTextStory(XParamBlock* block, const char16_t* text, std::int32_t length) {
    if (text == nullptr || length <= 0) return;
    // A plain copy: it shares what the block points to and is never disposed.
    XParamBlock working = *block;
    initXForm(&working.form);
    initXRule(&working.rule);
    initXPage(&working.page, kLetterPage);

    CStory* story = new (std::nothrow) CStory();
    throwIfNull(story, __LINE__, kUnit);
    try {
        XForm form = working.form;
        XRule rule = working.rule;
        XPage page = working.page;
        story->appendText(text, length, &form, &rule, &page, -1);
    } catch (const CFail&) {
        disposeObject(story);
        rethrowFailure();
    }
    exportStory(story, kStoryInline, -1, nullptr, &working, 1);
}
