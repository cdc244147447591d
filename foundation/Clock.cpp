#include "foundation/Clock.h"

#include "platform/process/Clock.h"

double tickCount() {
    return static_cast<double>(platform::millisecondClock());
}

const std::tm* currentLocalTime() {
    static std::tm shared{};
    shared = platform::localTimeNow();
    return &shared;
}
