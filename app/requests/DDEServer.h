#pragma once
// The desktop's way into a running program: the service "Vostrandimeko" with the topic "System", to
// which a peer connects and then sends execute commands, each [Open("PATH")] (OpenCommand.h). The
// server carries them over the program's local request socket (platform/process/RequestSocket.h) and keeps
// every well-formed open request, in order of arrival, until the program's event loop takes them: a
// request that comes while another is being converted waits its turn, none replaces another.
//
// The server also registers and unregisters the program's file types (FileTypeRegistration.cpp).
//
// Only a program that runs its event loop starts the service: the loop watches fileDescriptor() and
// calls serviceRequests() when it is readable, then converts what takeOpenRequests() answers.
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process/RequestSocket.h"

class UserQuestions;

constexpr const char* kDDEServiceName = "Vostrandimeko";
constexpr const char* kDDETopicName = "System";
// The answers to a connect (1 accepted, 0 refused) and to an execute command.
constexpr std::uint32_t kDDEConnected = 1;
constexpr std::uint32_t kDDERefused = 0;
constexpr std::uint32_t kDDEAcknowledged = 0x8000;
// Requests kept beyond this many are refused, so a runaway peer cannot exhaust the program's memory;
// the peer learns it and can open the file itself.
constexpr std::size_t kMaxPendingOpenRequests = 10000;
// The file types the program registers, and the content type it gives them.
constexpr const char* kRegisteredContentType = "application/Vostrandimeko";

class CDDEServer : private platform::RequestHandler {
public:
    // asker puts the default-application question; null answers it with No.
    explicit CDDEServer(UserQuestions* asker);
    CDDEServer(const CDDEServer&) = delete;
    CDDEServer& operator=(const CDDEServer&) = delete;
    ~CDDEServer() { stop(); }

    // Starts the service; false when it cannot be had (no private runtime folder, another run serves).
    bool start();
    bool stop();
    bool isRunning() const { return running; }
    // Readable when serviceRequests has work; -1 when the service is not running.
    int fileDescriptor() const { return listener.fileDescriptor(); }
    void serviceRequests();
    // The files asked for since the last call, first asked first.
    std::vector<std::u16string> takeOpenRequests();

    // File types: the program's registry keys for the extension (".docx", ".xlsx"). Answer 0, or the
    // error of the registry write that failed; a refusal to take over the extension is not a failure.
    std::int16_t registerFileType(std::string_view extension, std::string_view programPath,
                                  std::string_view contentType);
    std::int16_t unregisterFileType(std::string_view extension, std::string_view programPath,
                                    std::string_view contentType);
    // Whether the program may take the file types over from another program: asked once per server,
    // and the first answer holds for every later question, as the question covers both types.
    bool askToBecomeDefault();

private:
    std::uint32_t handleRequest(std::uint64_t peer, platform::RequestKind kind, std::string_view data) override;
    void peerGone(std::uint64_t peer) override { conversations.erase(peer); }
    std::uint32_t execute(std::string_view data);

    UserQuestions* asker;
    bool running = false;
    bool asked = false;
    bool consent = false;
    platform::RequestListener listener;
    std::set<std::uint64_t> conversations;  // peers connected to our service and topic
    std::deque<std::u16string> openRequests;
};
