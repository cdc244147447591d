#include "platform/process/ProcessMemory.h"

#include <cstdio>
#include <cstring>

namespace platform {

std::uint64_t peakResidentBytes() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return 0;
    std::uint64_t kilobytes = 0;
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
        unsigned long long value = 0;
        if (std::strncmp(line, "VmHWM:", 6) == 0 && std::sscanf(line + 6, "%llu", &value) == 1) {
            kilobytes = value;
            break;
        }
    }
    std::fclose(status);
    return kilobytes * 1024;
}

bool resetPeakResident() {
    std::FILE* control = std::fopen("/proc/self/clear_refs", "w");
    if (control == nullptr) return false;
    const bool written = std::fputs("5", control) >= 0;
    return std::fclose(control) == 0 && written;
}

}  // namespace platform
