#include "platform/windows/WindowSystem.h"

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

void WindowSystem::addPoller(LoopPoller* poller) {
    if (poller != nullptr) pollers.push_back(poller);
}

void WindowSystem::removePoller(LoopPoller* poller) {
    std::erase(pollers, poller);
}

void WindowSystem::servicePollers() {
    if (servicing) return;
    servicing = true;
    for (LoopPoller* poller : std::vector<LoopPoller*>(pollers)) poller->service();
    servicing = false;
}

void setWindowSystem(WindowSystem* system) {
    gWindowSystem = system;
}

}  // namespace platform
