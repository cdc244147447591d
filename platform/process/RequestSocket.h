#pragma once
// Requests between two runs of the program on one desktop, over a local stream socket in a folder that
// only the user can enter ($XDG_RUNTIME_DIR/vostrandimeko/, mode 0700). One run listens; a later run
// connects and sends requests, each answered by the listener with one 32-bit number.
//
// On the wire, every request is one kind byte, its data's length (4 bytes, little-endian) and the data;
// every answer is 4 bytes, little-endian. A request longer than kMaxRequestBytes, or of a kind that is
// not known, ends the peer's connection: nothing of it reaches the handler.
//
// The listener never blocks: it hands the caller one file descriptor to watch for reading, and every
// call of serviceRequests takes what has arrived since, so it fits any event loop. Peers that run as
// another user are turned away as they connect. A socket left behind by a listener that ended without
// closing (a crash) is found out by the lock beside it and replaced.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace platform {

constexpr std::uint32_t kMaxRequestBytes = 64 * 1024;

namespace error {
constexpr std::int16_t kNoRuntimeFolder = 3;       // $XDG_RUNTIME_DIR missing or not a private folder
constexpr std::int16_t kListenerRunning = 183;     // another run listens on the socket already
constexpr std::int16_t kNoListener = 2;            // nothing listens on the socket
constexpr std::int16_t kRequestFailed = 1460;      // the connection broke or the answer did not come in time
}  // namespace error

enum class RequestKind : std::uint8_t { connect = 1, execute = 2 };

// What a listener does with its peers' requests; peer numbers are never reused in one listener.
class RequestHandler {
public:
    virtual std::uint32_t handleRequest(std::uint64_t peer, RequestKind kind, std::string_view data) = 0;
    virtual void peerGone(std::uint64_t peer) = 0;

protected:
    ~RequestHandler() = default;
};

// The socket named `name` in the user's private runtime folder, which is made when missing. Fails with
// kNoRuntimeFolder when $XDG_RUNTIME_DIR is not set, and when the folder is not a folder of the user's
// own that only the user can enter.
std::int16_t requestSocketPath(std::string_view name, std::string& path);

class RequestListener {
public:
    RequestListener() = default;
    RequestListener(const RequestListener&) = delete;
    RequestListener& operator=(const RequestListener&) = delete;
    ~RequestListener() { close(); }

    // Listens on the socket; kListenerRunning when another listener holds it.
    std::int16_t open(const std::string& socketPath);
    // Stops listening, drops every peer and removes the socket.
    void close();
    bool isOpen() const { return events >= 0; }
    // Readable whenever serviceRequests has something to do; -1 when not open.
    int fileDescriptor() const { return events; }
    // Accepts waiting peers, hands their complete requests to the handler and sends the answers.
    void serviceRequests(RequestHandler& handler);

private:
    struct Peer {
        int socket = -1;
        std::string received;
        std::string unsent;
    };

    void acceptPeers();
    void readFrom(std::uint64_t id, Peer& peer, RequestHandler& handler);
    void sendTo(Peer& peer);
    void dropPeer(std::uint64_t id, RequestHandler& handler);
    void watchListener(bool watch);
    void watchPeer(std::uint64_t id, const Peer& peer, bool add);

    int listener = -1;
    int lock = -1;
    int events = -1;
    bool listenerWatched = false;
    std::string path;
    std::uint64_t nextPeer = 1;
    std::map<std::uint64_t, Peer> peers;
};

// One connection to a listener.
class RequestClient {
public:
    RequestClient() = default;
    RequestClient(const RequestClient&) = delete;
    RequestClient& operator=(const RequestClient&) = delete;
    ~RequestClient();

    // kNoListener when nothing listens (no socket, or one left behind by a crash) or the listener runs
    // as another user.
    std::int16_t connect(const std::string& socketPath, int timeoutMilliseconds);
    // Sends one request and waits for its answer.
    std::int16_t send(RequestKind kind, std::string_view data, std::uint32_t& answer);

private:
    int socket = -1;
};

}  // namespace platform
