#include "platform/shell/Display.h"

#include <cstdlib>

namespace platform {
namespace {
bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}
}  // namespace

bool displayAvailable() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

}  // namespace platform
