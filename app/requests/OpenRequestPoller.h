#pragma once
// Brings the files that later starts of the program hand over (CDDEServer) into the running program:
// each turn of the event loop answers the waiting peers and drops what they asked to open on the main
// window, so they convert as if a person had dropped them (queued after a batch that is running).
#include "platform/windows/WindowSystem.h"

class CDDEServer;

class OpenRequestPoller : public platform::LoopPoller {
public:
    explicit OpenRequestPoller(CDDEServer& server) : server(server) {}
    void service() override;

private:
    CDDEServer& server;
    platform::DroppedPaths waiting;  // requests that arrived before the main window was there
};
