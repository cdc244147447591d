#include "platform/process/Interrupt.h"

#include <csignal>

namespace platform {
namespace {
volatile std::sig_atomic_t interrupted = 0;

volatile std::sig_atomic_t terminated = 0;

void noteInterrupt(int) {
    interrupted = 1;
}

void noteTermination(int) {
    terminated = 1;
}
}  // namespace

void watchInterrupt() {
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    // The handler is reset once it ran, so a second interrupt ends the program.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
}

void stopWatchingInterrupt() {
    std::signal(SIGINT, SIG_DFL);
    interrupted = 0;
}

bool interruptRequested() {
    return interrupted != 0;
}

void watchTermination() {
    terminated = 0;
    struct sigaction action {};
    action.sa_handler = noteTermination;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void stopWatchingTermination() {
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    terminated = 0;
}

bool terminationRequested() {
    return terminated != 0;
}

}  // namespace platform
