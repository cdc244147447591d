#include "engine/task/ReportLog.h"

#include <cstdarg>

#include "foundation/FailureCode.h"
#include "foundation/text/TextFormat.h"

namespace {
// The shared line buffer of the log writer; the callers write short lines.
constexpr std::int32_t kLineBytes = 4096;

const char* const kDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}  // namespace

void printResourceLine(CFile& log, unsigned stringId, ...) {
    char line[kLineBytes];
    va_list values;
    va_start(values, stringId);
    formatResourceV(line, kLineBytes, static_cast<std::int32_t>(stringId), values);
    va_end(values);
    failureCode([&] { return log.printLine("%s", line); });
}

std::string ctimeText(const std::tm& time) {
    const char* day = time.tm_wday >= 0 && time.tm_wday < 7 ? kDays[time.tm_wday] : "???";
    const char* month = time.tm_mon >= 0 && time.tm_mon < 12 ? kMonths[time.tm_mon] : "???";
    return formatToString("%s %s %2d %02d:%02d:%02d %d\n", day, month, time.tm_mday, time.tm_hour, time.tm_min,
                          time.tm_sec, time.tm_year + 1900);
}
