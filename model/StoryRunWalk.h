#pragma once
// A story's runs of one kind read as a walk through its text asks for them, instead of loaded whole.
//
// CStory::loadAll hands out an array of every run, each a whole record rebuilt on top of the one before:
// the main story of a long document has thousands of paragraph runs of 11 KB and character runs of
// 1.4 KB, tens of megabytes held for the whole export although the export walks the text from start
// to end and needs one run of each kind at a time. A walk reads the same run elements in the same way
// and answers each look-up exactly as a RunCursor over that array (RunLookup.h) would, holding two
// records: the run it answers with and the one after it, whose position ends it.
//
// A look-up at a position below the last one starts the walk over from the first run. The level texts
// that paragraph runs read are kept until the walk ends, as a loaded array keeps them, since the
// records handed out share them. The story and its storage must outlive the walk.
#include <cstdint>
#include <memory>

#include "model/ProgressSink.h"
#include "model/XForm.h"
#include "model/XPage.h"
#include "model/XRule.h"

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
    // The run covering the position, copied out, and the distance to the next run's start; INT_MAX when
    // nothing was found (out is then left as it was), and before open.
    std::int32_t findAt(std::int32_t position, Record* out);

private:
    struct State;
    std::unique_ptr<State> state;
};

extern template class StoryRunWalk<XForm>;
extern template class StoryRunWalk<XRule>;
extern template class StoryRunWalk<XPage>;
