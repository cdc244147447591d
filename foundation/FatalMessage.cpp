#include "foundation/FatalMessage.h"

#include <cstdarg>
#include <cstdio>

#include "platform/process/FatalMessage.h"

int fatalMessage(const char* format, ...) {
    char text[256];
    va_list values;
    va_start(values, format);
    std::vsnprintf(text, sizeof text, format, values);
    va_end(values);
    return platform::showFatalMessage(text);
}
