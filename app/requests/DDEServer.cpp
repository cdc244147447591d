#include "app/requests/DDEServer.h"

#include "app/requests/OpenCommand.h"

CDDEServer::CDDEServer(UserQuestions* asker) : asker(asker) {}

bool CDDEServer::start() {
    if (running) return false;
    std::string path;
    if (platform::requestSocketPath(kDDEServiceName, path) != 0 || listener.open(path) != 0) return false;
    running = true;
    return true;
}

bool CDDEServer::stop() {
    listener.close();
    conversations.clear();
    running = false;
    return true;
}

void CDDEServer::serviceRequests() {
    listener.serviceRequests(*this);
}

std::vector<std::u16string> CDDEServer::takeOpenRequests() {
    std::vector<std::u16string> taken(openRequests.begin(), openRequests.end());
    openRequests.clear();
    return taken;
}

std::uint32_t CDDEServer::handleRequest(std::uint64_t peer, platform::RequestKind kind, std::string_view data) {
    if (kind == platform::RequestKind::connect) {
        // Only our own service and topic; no wildcard conversation is offered.
        const std::string wanted = std::string(kDDEServiceName) + '\0' + kDDETopicName;
        if (data != wanted) return kDDERefused;
        conversations.insert(peer);
        return kDDEConnected;
    }
    if (conversations.count(peer) == 0) return kDDERefused;
    return execute(data);
}

std::uint32_t CDDEServer::execute(std::string_view data) {
    std::u16string path;
    if (!parseOpenCommand(data, path) || openRequests.size() >= kMaxPendingOpenRequests) return kDDERefused;
    openRequests.push_back(std::move(path));
    return kDDEAcknowledged;
}
