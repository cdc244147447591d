#include "app/requests/FileHandOver.h"

#include <cstdint>
#include <string_view>

#include "app/requests/DDEServer.h"
#include "app/requests/OpenCommand.h"
#include "platform/files/WorkingFolder.h"
#include "platform/process/RequestSocket.h"

namespace {

bool connectToService(platform::RequestClient& client) {
    std::string path;
    if (platform::requestSocketPath(kDDEServiceName, path) != 0) return false;
    if (client.connect(path, kHandOverTimeoutMilliseconds) != 0) return false;
    const std::string conversation = std::string(kDDEServiceName) + '\0' + kDDETopicName;
    std::uint32_t answer = kDDERefused;
    return client.send(platform::RequestKind::connect, conversation, answer) == 0 && answer == kDDEConnected;
}

}  // namespace

HandOverResult handOverFiles(const std::vector<std::string>& arguments) {
    HandOverResult result;
    platform::RequestClient client;
    if (arguments.empty() || !connectToService(client)) {
        result.left = arguments;
        return result;
    }
    // The running program has its own working folder: every path goes over whole.
    const std::string workingFolder = platform::workingFolder();
    bool connected = true;
    for (const std::string& argument : arguments) {
        const bool absolute = !argument.empty() && argument[0] == '/';
        const std::string command =
            absolute || !workingFolder.empty() ? makeOpenCommand(absolute ? argument : workingFolder + argument) : "";
        std::uint32_t answer = kDDERefused;
        // Once the connection broke, nothing more can be known to have arrived.
        if (connected && !command.empty()) connected = client.send(platform::RequestKind::execute, command, answer) == 0;
        if (connected && answer == kDDEAcknowledged) {
            ++result.handedOver;
        } else {
            result.left.push_back(argument);
        }
    }
    return result;
}
