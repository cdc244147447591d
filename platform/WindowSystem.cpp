#include "platform/WindowSystem.h"

namespace platform {
namespace {
WindowSystem* gWindowSystem = nullptr;
}

WindowSystem* windowSystem() {
    return gWindowSystem;
}

IconName iconNamed(const std::string& name) {
    if (name == "question") return IconName::question;
    if (name == "stop") return IconName::stop;
    if (name == "information") return IconName::information;
    if (name == "warning") return IconName::warning;
    if (name == "program") return IconName::program;
    return IconName::none;
}

void setWindowSystem(WindowSystem* system) {
    gWindowSystem = system;
}

}  // namespace platform
