#include "import/spreadsheet/numberformat/SerialDate.h"

#include <cmath>

namespace {
constexpr std::int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 of a proleptic Gregorian date, counted in 400-year eras so that no step
// depends on the platform's time type.
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t shiftedMonth = month > 2 ? month - 3 : month + 9;  // March is 0
    const std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

const std::int64_t kSerialDayOf1970 = -daysFromCivil(1899, 12, 30);  // 25569

std::int64_t powerOfTen(int digits) {
    std::int64_t power = 1;
    while (digits-- > 0) power *= 10;
    return power;
}
}  // namespace

std::int64_t dateToSerialDay(int year, int month, int day) {
    return daysFromCivil(year, month, day) + kSerialDayOf1970;
}

void serialDayToDate(std::int64_t serialDay, DateTimeFields& fields) {
    const std::int64_t days = serialDay - kSerialDayOf1970 + 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfShiftedYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfShiftedYear + 2) / 153;
    fields.day = static_cast<int>(dayOfShiftedYear - (153 * shiftedMonth + 2) / 5 + 1);
    fields.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    fields.year = static_cast<int>(yearOfEra + era * 400 + (fields.month <= 2 ? 1 : 0));
    // Serial day 0, 1899-12-30, was a Saturday.
    fields.weekday = static_cast<int>(((serialDay + 6) % 7 + 7) % 7);
    fields.dayOfYear = static_cast<int>(serialDay - dateToSerialDay(fields.year, 1, 1));
}

bool serialToDateTime(double value, bool date1904, int subsecondDigits, DateTimeFields& fields) {
    if (!(value >= 0) || value >= static_cast<double>(kLatestSerialDay + 1)) return false;
    const std::int64_t unitsPerSecond = powerOfTen(subsecondDigits);
    const std::int64_t unitsPerDay = kSecondsPerDay * unitsPerSecond;
    std::int64_t day = static_cast<std::int64_t>(std::floor(value));
    // The fraction is exact in a double; rounding it to whole units may reach the next midnight.
    std::int64_t units = std::llround((value - static_cast<double>(day)) * static_cast<double>(unitsPerDay));
    if (units >= unitsPerDay) {
        ++day;
        units -= unitsPerDay;
    }
    const std::int64_t calendarDay = day + (date1904 ? kDate1904Offset : 0);
    if (calendarDay > kLatestSerialDay) return false;

    fields = DateTimeFields();
    serialDayToDate(calendarDay, fields);
    const std::int64_t seconds = units / unitsPerSecond;
    fields.subsecond = static_cast<int>(units % unitsPerSecond);
    fields.hour = static_cast<int>(seconds / 3600);
    fields.minute = static_cast<int>(seconds / 60 % 60);
    fields.second = static_cast<int>(seconds % 60);
    fields.afternoon = fields.hour >= 12;
    fields.elapsedHours = day * 24 + fields.hour;
    return true;
}
