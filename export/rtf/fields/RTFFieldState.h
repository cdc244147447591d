#pragma once
// The field state of one story, kept by its extruder between buffered runs and updated by the emitter's
// control codes and run groups.
#include <cstdint>

struct RTFFieldState {
    std::int16_t fieldDepth;      // fields whose start is written and whose end is not
    std::int16_t resultDepth;     // of those, the fields past their result separator
    std::int16_t runGroupClosed;  // a field literal took over the run's group: its "}" is not written
};
