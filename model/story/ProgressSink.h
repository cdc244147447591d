#pragma once
// Where the model reports progress while it works through a long story, and where it learns that the
// user asked to stop. The application's progress window implements it; without one (a null sink)
// nothing is reported and Stop cannot be requested.
//
//     const UniFormatValue values[] = {count};
//     sink->setStatus(10226, values);   // "Preparing to write converted file... [%d]"
//     if (sink->poll() != 0) throwFail(result::kStopQuietly, __LINE__, kUnit);
//
// The sink keeps the interface alive: every poll may handle one pending event of the user interface,
// so reporters call it often and cheaply, and show a status only now and then.
#include <cstdint>
#include <span>

#include "foundation/CBase.h"
#include "foundation/text/TextFormat.h"

class ProgressSink : public CBase {
public:
    // Shows the UI string `id`, formatted with the values by the UTF-16 formatter, as the status line.
    virtual void setStatus(std::uint16_t id, std::span<const UniFormatValue> values) = 0;
    // Handles at most one pending user-interface event without blocking; answers 1 once the user has
    // asked to stop, 0 otherwise.
    virtual std::int16_t poll() = 0;
};
