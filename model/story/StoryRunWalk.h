#pragma once
// A story's runs of one kind read as a walk through its text asks for them, instead of loaded whole.
//
// CStory::loadAll hands out an array of every run, each a whole record rebuilt on top of the one before:
// the main story of a long document has thousands of paragraph runs of 11 KB and character runs of
// 1.4 KB, tens of megabytes of fresh memory for an export that walks the text from start to end and
// needs one run of each kind at a time. A walk reads the same run elements in the same way and answers
// each look-up exactly as a RunCursor over that array (RunLookup.h) would, holding two records: the run
// it answers with and the one after it, whose position ends it.
//
// Each answer names the run by its entry number, its place in that array, so a caller that keeps a copy
// of a run can tell whether the run in force is still the one it copied: the records the walk hands out
// are reused as it goes.
//
// A look-up at a position below the last one starts the walk over from the first run. The level texts
// that paragraph runs read are kept until the walk ends, as a loaded array keeps them, since copies of
// the records share them. The story and its storage must outlive the walk.
#include <cstdint>
#include <memory>

#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/records/section/XPage.h"
#include "model/story/ProgressSink.h"

class CStory;

template <typename Record>
class StoryRunWalk {
public:
    StoryRunWalk();
    ~StoryRunWalk();
    StoryRunWalk(const StoryRunWalk&) = delete;
    StoryRunWalk& operator=(const StoryRunWalk&) = delete;

    // Starts a walk over the story's run list of the kind, reading no run yet. A missing list, or a
    // count of 0 or none, raises CFail 22 as loadAll does. With a sink, each run read is reported to the
    // story's progress (CStory::progress), which raises -9999 on Stop.
    void open(CStory& story, ProgressSink* sink);
    // The run covering the position and the distance to the next run's start, as RunCursor answers:
    // *run points at the walk's record of it (valid until the next look-up) and *entry is its entry
    // number. INT_MAX when nothing was found (run and entry are then left as they were), and before open.
    std::int32_t findAt(std::int32_t position, const Record** run, std::int32_t* entry);

private:
    struct State;
    std::unique_ptr<State> state;
};

extern template class StoryRunWalk<XForm>;
extern template class StoryRunWalk<XRule>;
extern template class StoryRunWalk<XPage>;
