#include "app/requests/OpenRequestPoller.h"

#include "app/FailureReport.h"
#include "app/requests/DDEServer.h"
#include "platform/files/FileName.h"

void OpenRequestPoller::service() {
    if (server.fileDescriptor() < 0) return;
    server.serviceRequests();
    for (const std::u16string& path : server.takeOpenRequests()) waiting.push_back(platform::fileNameToBytes(path));
    if (waiting.empty()) return;
    platform::Dialog* mainWindow = mainWindowHandle();
    platform::WindowSystem* system = platform::windowSystem();
    if (mainWindow == nullptr || system == nullptr) return;
    system->postDrop(mainWindow, waiting);
    waiting.clear();
}
