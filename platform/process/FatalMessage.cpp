#include "platform/process/FatalMessage.h"

#include <cstdio>

namespace platform {
namespace {

std::function<int(const char*)>& handler() {
    static std::function<int(const char*)> installed;
    return installed;
}

}  // namespace

int showFatalMessage(const char* text) {
    if (handler()) return handler()(text);
    std::fprintf(stderr, "%s\n", text);
    return 1;
}

void setFatalMessageHandler(std::function<int(const char*)> newHandler) {
    handler() = std::move(newHandler);
}

}  // namespace platform
