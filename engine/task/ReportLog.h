#pragma once
// Lines of a batch's report log, and the time stamp its first line carries.
#include <cstdint>
#include <ctime>
#include <string>

#include "foundation/files/CFile.h"

// Formats the UI string with the values by the printf conventions, adds "\r\n" and writes the line
// at the end of the log. A line that cannot be written is let go: the log never stops a conversion.
// The id is an unsigned int, not a 16-bit type: the last named parameter before "..." must not be one that
// undergoes promotion, or va_start is undefined.
void printResourceLine(CFile& log, unsigned stringId, ...);

// The local time in the standard ctime form, "Wed Jun  3 09:05:07 2009\n", with English day and
// month names whatever the locale.
std::string ctimeText(const std::tm& time);
