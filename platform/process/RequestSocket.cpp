#include "platform/process/RequestSocket.h"

#include <fcntl.h>
#include <sys/epoll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/process/SystemError.h"

namespace platform {
namespace {

constexpr const char* kRuntimeSubFolder = "vostrandimeko";
constexpr std::size_t kHeaderBytes = 5;
// Bounds that keep one busy or stuck peer from holding up the program's event loop or its memory.
constexpr std::size_t kMaxPeers = 64;
constexpr std::size_t kReadPerService = 256 * 1024;
constexpr std::size_t kMaxUnsentBytes = 64 * 1024;
constexpr std::uint64_t kListenerEvent = 0;

std::uint32_t readLittleEndian32(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

void appendLittleEndian32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

bool fillAddress(const std::string& socketPath, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
    return true;
}

// Only the user's own runs may talk to each other: the folder is private, and every peer is checked.
bool peerIsSameUser(int socket) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) return false;
    return credentials.uid == geteuid();
}

bool isPrivateFolder(const std::string& folder) {
    struct stat status {};
    if (lstat(folder.c_str(), &status) != 0) return false;
    return S_ISDIR(status.st_mode) && status.st_uid == geteuid() && (status.st_mode & 077) == 0;
}

bool isKnownKind(unsigned char kind) {
    return kind == static_cast<unsigned char>(RequestKind::connect) ||
           kind == static_cast<unsigned char>(RequestKind::execute);
}

}  // namespace

std::int16_t requestSocketPath(std::string_view name, std::string& path) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || runtime[0] != '/') return error::kNoRuntimeFolder;
    std::string folder = runtime;
    if (folder.back() != '/') folder += '/';
    folder += kRuntimeSubFolder;
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return folderErrorFromErrno(errno);
    if (!isPrivateFolder(folder)) return error::kNoRuntimeFolder;
    path = folder + '/' + std::string(name);
    sockaddr_un address;
    return fillAddress(path, address) ? 0 : error::kNameTooLong;
}

std::int16_t RequestListener::open(const std::string& socketPath) {
    close();
    sockaddr_un address;
    if (!fillAddress(socketPath, address)) return error::kNameTooLong;
    // The lock lives as long as the listener, and the system lets go of it when the process ends
    // however it ends; so a socket found while we hold the lock was left by a run that is gone.
    const std::string lockPath = socketPath + ".lock";
    lock = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock < 0) return errorFromErrno(errno);
    if (flock(lock, LOCK_EX | LOCK_NB) != 0) {
        const int cause = errno;
        close();
        return cause == EWOULDBLOCK ? error::kListenerRunning : errorFromErrno(cause);
    }
    unlink(socketPath.c_str());
    listener = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    events = epoll_create1(EPOLL_CLOEXEC);
    if (listener < 0 || events < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, SOMAXCONN) != 0) {
        const int cause = errno;
        close();
        return errorFromErrno(cause);
    }
    path = socketPath;
    watchListener(true);
    return 0;
}

void RequestListener::close() {
    for (auto& [id, peer] : peers) ::close(peer.socket);
    peers.clear();
    if (listener >= 0) {
        ::close(listener);
        unlink(path.c_str());
    }
    if (events >= 0) ::close(events);
    if (lock >= 0) ::close(lock);
    listener = lock = events = -1;
    listenerWatched = false;
    path.clear();
}

void RequestListener::watchListener(bool watch) {
    if (watch == listenerWatched) return;
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.u64 = kListenerEvent;
    epoll_ctl(events, watch ? EPOLL_CTL_ADD : EPOLL_CTL_DEL, listener, &event);
    listenerWatched = watch;
}

void RequestListener::watchPeer(std::uint64_t id, const Peer& peer, bool add) {
    epoll_event event{};
    event.events = EPOLLIN | (peer.unsent.empty() ? 0u : static_cast<std::uint32_t>(EPOLLOUT));
    event.data.u64 = id;
    epoll_ctl(events, add ? EPOLL_CTL_ADD : EPOLL_CTL_MOD, peer.socket, &event);
}

void RequestListener::serviceRequests(RequestHandler& handler) {
    if (!isOpen()) return;
    epoll_event ready[32];
    const int count = epoll_wait(events, ready, 32, 0);
    for (int i = 0; i < count; ++i) {
        const std::uint64_t id = ready[i].data.u64;
        if (id == kListenerEvent) {
            acceptPeers();
            continue;
        }
        auto found = peers.find(id);
        if (found == peers.end()) continue;
        Peer& peer = found->second;
        if (ready[i].events & (EPOLLIN | EPOLLHUP | EPOLLERR)) {
            readFrom(id, peer, handler);  // sends the answers, and may drop the peer
        } else {
            sendTo(peer);
            watchPeer(id, peer, false);  // stop watching for room once everything went
        }
    }
    // Below the bound again: the peers waiting in the backlog are taken at the next call.
    watchListener(peers.size() < kMaxPeers);
}

void RequestListener::acceptPeers() {
    while (peers.size() < kMaxPeers) {
        const int socket = accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0) return;
        if (!peerIsSameUser(socket)) {
            ::close(socket);
            continue;
        }
        const std::uint64_t id = nextPeer++;
        Peer& peer = peers[id];
        peer.socket = socket;
        watchPeer(id, peer, true);
    }
}

void RequestListener::readFrom(std::uint64_t id, Peer& peer, RequestHandler& handler) {
    char buffer[16 * 1024];
    std::size_t taken = 0;
    bool ended = false;
    while (taken < kReadPerService) {
        const ssize_t got = recv(peer.socket, buffer, sizeof buffer, 0);
        if (got > 0) {
            peer.received.append(buffer, static_cast<std::size_t>(got));
            taken += static_cast<std::size_t>(got);
            continue;
        }
        ended = got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
        break;
    }
    std::size_t start = 0;
    while (peer.received.size() - start >= kHeaderBytes) {
        const unsigned char kind = static_cast<unsigned char>(peer.received[start]);
        const std::uint32_t length = readLittleEndian32(peer.received.data() + start + 1);
        if (!isKnownKind(kind) || length > kMaxRequestBytes) {
            dropPeer(id, handler);
            return;
        }
        if (peer.received.size() - start - kHeaderBytes < length) break;
        const std::string_view data(peer.received.data() + start + kHeaderBytes, length);
        appendLittleEndian32(peer.unsent,
                             handler.handleRequest(id, static_cast<RequestKind>(kind), data));
        start += kHeaderBytes + length;
    }
    peer.received.erase(0, start);
    if (!peer.unsent.empty()) sendTo(peer);
    if (ended || peer.unsent.size() > kMaxUnsentBytes) {
        dropPeer(id, handler);
        return;
    }
    watchPeer(id, peer, false);
}

void RequestListener::sendTo(Peer& peer) {
    while (!peer.unsent.empty()) {
        const ssize_t sent = ::send(peer.socket, peer.unsent.data(), peer.unsent.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent <= 0) return;
        peer.unsent.erase(0, static_cast<std::size_t>(sent));
    }
}

void RequestListener::dropPeer(std::uint64_t id, RequestHandler& handler) {
    auto found = peers.find(id);
    if (found == peers.end()) return;
    ::close(found->second.socket);
    peers.erase(found);
    handler.peerGone(id);
}

RequestClient::~RequestClient() {
    if (socket >= 0) ::close(socket);
}

std::int16_t RequestClient::connect(const std::string& socketPath, int timeoutMilliseconds) {
    if (socket >= 0) ::close(socket);
    sockaddr_un address;
    if (!fillAddress(socketPath, address)) return error::kNameTooLong;
    socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) return errorFromErrno(errno);
    timeval timeout{};
    timeout.tv_sec = timeoutMilliseconds / 1000;
    timeout.tv_usec = (timeoutMilliseconds % 1000) * 1000;
    setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    if (::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || !peerIsSameUser(socket)) {
        ::close(socket);
        socket = -1;
        return error::kNoListener;
    }
    return 0;
}

std::int16_t RequestClient::send(RequestKind kind, std::string_view data, std::uint32_t& answer) {
    if (socket < 0) return error::kNotOpen;
    std::string frame(1, static_cast<char>(kind));
    appendLittleEndian32(frame, static_cast<std::uint32_t>(data.size()));
    frame.append(data);
    for (std::size_t done = 0; done < frame.size();) {
        const ssize_t sent = ::send(socket, frame.data() + done, frame.size() - done, MSG_NOSIGNAL);
        if (sent <= 0) return error::kRequestFailed;
        done += static_cast<std::size_t>(sent);
    }
    char reply[4];
    for (std::size_t got = 0; got < sizeof reply;) {
        const ssize_t read = recv(socket, reply + got, sizeof reply - got, 0);
        if (read <= 0) return error::kRequestFailed;
        got += static_cast<std::size_t>(read);
    }
    answer = readLittleEndian32(reply);
    return 0;
}

}  // namespace platform
