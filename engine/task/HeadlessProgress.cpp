#include "engine/task/HeadlessProgress.h"

#include "foundation/encoding/Utf8Codec.h"
#include "foundation/language/UIStrings.h"
#include "foundation/text/TextFormat.h"

namespace {
std::u16string uiString(std::uint16_t stringId) {
    char16_t text[kLoadStringSize];
    return loadUniText(text, stringId);
}

std::u16string formatted(std::uint16_t stringId, std::span<const UniFormatValue> values) {
    return formatUniCoreToString(uiString(stringId).c_str(), values);
}
}  // namespace

void HeadlessProgress::setStatus(std::uint16_t stringId, std::span<const UniFormatValue> values) {
    status = formatted(stringId, values);
}

void HeadlessProgress::setCaption(std::uint16_t stringId) {
    caption = uiString(stringId);
}

void HeadlessProgress::setCount(std::int16_t value) {
    count = value;
    show();
}

void HeadlessProgress::setPhase(std::uint16_t stringId) {
    phase = uiString(stringId);
}

void HeadlessProgress::setFileLine(std::uint16_t stringId, std::span<const UniFormatValue> values) {
    fileLine = formatted(stringId, values);
    show();
}

void HeadlessProgress::setBar(std::int32_t doneNow, std::int32_t totalNow) {
    const std::int32_t before = progressPercent(done, total);
    done = doneNow;
    total = totalNow;
    if (progressPercent(done, total) != before) show();
}

std::string HeadlessProgress::progressLine() const {
    std::u16string line = caption + u" " + formatUniToString(u"%d", static_cast<std::int32_t>(count)) + u"  " + phase +
                          u" " + fileLine + u"  " + formatUniToString(u"%d", progressPercent(done, total)) + u"%";
    // It is one line: the file line's own line breaks would scroll the terminal.
    for (char16_t& unit : line) {
        if (unit == u'\n' || unit == u'\r') unit = u' ';
    }
    return utf16ToUtf8String(line);
}

void HeadlessProgress::show() const {
    if (output == nullptr) return;
    std::fprintf(output, "\r%s", progressLine().c_str());
    std::fflush(output);
}
