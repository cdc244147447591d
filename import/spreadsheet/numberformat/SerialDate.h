#pragma once
// Serial dates and times: a spreadsheet keeps a date as the count of days since 1899-12-30 (day 0; in
// the 1904 date system 1904-01-01) with the time as the fraction of a day. The calendar is the
// Gregorian one throughout, worked out in integers, so every day from 0001-01-01 to 9999-12-31 is exact;
// there is no 29 February 1900, so serial 60 is 1900-02-28 and 61 is 1900-03-01.
#include <cstdint>

struct DateTimeFields {
    int year = 0;
    int month = 0;    // 1 to 12
    int day = 0;      // 1 to 31
    int hour = 0;     // 0 to 23
    int minute = 0;
    int second = 0;
    int weekday = 0;  // 0 Sunday to 6 Saturday
    int dayOfYear = 0;  // 0 to 365
    bool afternoon = false;
    int subsecond = 0;  // the fraction of the second in the units asked for (tenths, hundredths, ...)
    std::int64_t elapsedHours = 0;  // whole hours from serial 0 to the value, whatever the date system
};

// Days from 1899-12-30 between these two serials are writable dates.
constexpr std::int64_t kEarliestSerialDay = -693593;  // 0001-01-01
constexpr std::int64_t kLatestSerialDay = 2958465;    // 9999-12-31
constexpr std::int64_t kDate1904Offset = 1462;        // days from 1899-12-30 to 1904-01-01

// Splits a serial value into calendar fields. The time is rounded half away from zero to whole seconds,
// or to 10^-subsecondDigits seconds (subsecondDigits 0 to 3); a time that rounds up to 24:00:00 carries
// into the next day. False, with the fields undefined, for a value that is not a number, negative, or
// past 9999-12-31.
bool serialToDateTime(double value, bool date1904, int subsecondDigits, DateTimeFields& fields);

// The calendar date of a day counted from 1899-12-30 (year, month, day, weekday, dayOfYear).
void serialDayToDate(std::int64_t serialDay, DateTimeFields& fields);
// The day, counted from 1899-12-30, of a calendar date.
std::int64_t dateToSerialDay(int year, int month, int day);
