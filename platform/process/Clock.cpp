#include "platform/process/Clock.h"

#include <time.h>

namespace platform {
namespace {

std::function<std::uint32_t()>& clockOverride() {
    static std::function<std::uint32_t()> source;
    return source;
}

std::function<std::tm()>& localTimeOverride() {
    static std::function<std::tm()> source;
    return source;
}

}  // namespace

std::uint32_t millisecondClock() {
    if (clockOverride()) return clockOverride()();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

std::tm localTimeNow() {
    if (localTimeOverride()) return localTimeOverride()();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

void setMillisecondClockForTesting(std::function<std::uint32_t()> source) {
    clockOverride() = std::move(source);
}

void setLocalTimeForTesting(std::function<std::tm()> source) {
    localTimeOverride() = std::move(source);
}

}  // namespace platform
