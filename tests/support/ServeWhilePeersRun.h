#pragma once
// Runs the peers' side of a request socket on another thread while this one serves it, as the
// program's event loop would: waits for the descriptor, then services, until the peers are done, and
// services once more for what came last.
#include <poll.h>

#include <atomic>
#include <functional>
#include <thread>

namespace testsupport {

inline void serveWhilePeersRun(int descriptor, const std::function<void()>& service, const std::function<void()>& peers) {
    std::atomic<bool> done{false};
    std::thread peerThread([&] {
        peers();
        done = true;
    });
    while (!done) {
        pollfd watch{descriptor, POLLIN, 0};
        ::poll(&watch, 1, 20);
        service();
    }
    peerThread.join();
    service();
}

}  // namespace testsupport
