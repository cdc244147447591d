#include "tests/support/RecordingProgress.h"

#include "foundation/encoding/Utf8Codec.h"
#include "foundation/language/UIStrings.h"

namespace testsupport {

namespace {
std::string formatted(std::uint16_t stringId, std::span<const UniFormatValue> values) {
    char16_t format[kLoadStringSize];
    return utf16ToUtf8String(formatUniCoreToString(loadUniText(format, stringId), values));
}
}  // namespace

void RecordingProgress::setStatus(std::uint16_t stringId, std::span<const UniFormatValue> values) {
    events.push_back("status " + formatted(stringId, values));
}

std::int16_t RecordingProgress::poll() {
    ++polls;
    return stopRequested;
}

void RecordingProgress::setCount(std::int16_t value) {
    count = value;
    counts.push_back(value);
}

void RecordingProgress::setFileLine(std::uint16_t stringId, std::span<const UniFormatValue> values) {
    const std::string line = formatted(stringId, values);
    events.push_back("file " + line);
    if (!stopAtFileLine.empty() && line == stopAtFileLine) stopRequested = 1;
}

}  // namespace testsupport
