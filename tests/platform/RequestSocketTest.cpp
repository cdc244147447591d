#include "platform/process/RequestSocket.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ServeWhilePeersRun.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using platform::RequestClient;
using platform::RequestKind;
using platform::RequestListener;

// Answers each request with the length of its data and keeps what it was given.
struct RecordingHandler : platform::RequestHandler {
    std::uint32_t handleRequest(std::uint64_t peer, RequestKind, std::string_view data) override {
        requests.emplace_back(peer, std::string(data));
        return static_cast<std::uint32_t>(data.size());
    }
    void peerGone(std::uint64_t peer) override { gone.push_back(peer); }

    std::vector<std::pair<std::uint64_t, std::string>> requests;
    std::vector<std::uint64_t> gone;
};

void serveWhile(RequestListener& listener, platform::RequestHandler& handler, const std::function<void()>& peers) {
    testsupport::serveWhilePeersRun(listener.fileDescriptor(), [&] { listener.serviceRequests(handler); }, peers);
}

class RequestSocket : public ::testing::Test {
protected:
    std::string socketPath() const { return runtime.path() + "service"; }

    testsupport::TemporaryFolder runtime;
};

TEST_F(RequestSocket, TheSocketLiesInAPrivateFolderOfTheUser) {
    std::string path;
    {
        testsupport::ScopedEnvironment unset("XDG_RUNTIME_DIR", nullptr);
        EXPECT_EQ(platform::requestSocketPath("Service", path), platform::error::kNoRuntimeFolder);
    }
    testsupport::ScopedEnvironment set("XDG_RUNTIME_DIR", runtime.path().c_str());
    ASSERT_EQ(platform::requestSocketPath("Service", path), 0);
    EXPECT_EQ(path, runtime.path() + "vostrandimeko/Service");
    struct stat status {};
    ASSERT_EQ(::stat((runtime.path() + "vostrandimeko").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);

    // A folder that others may enter is not used: anyone could put a socket of theirs there.
    ASSERT_EQ(::chmod((runtime.path() + "vostrandimeko").c_str(), 0755), 0);
    EXPECT_EQ(platform::requestSocketPath("Service", path), platform::error::kNoRuntimeFolder);
}

TEST_F(RequestSocket, OneListenerAtATimeAndASocketLeftByACrashIsReplaced) {
    // A listener whose process ends without closing leaves its socket and lock file behind.
    const pid_t crashed = fork();
    ASSERT_GE(crashed, 0);
    if (crashed == 0) {
        RequestListener dying;
        _exit(dying.open(socketPath()) == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(crashed, &status, 0), crashed);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    struct stat left {};
    ASSERT_EQ(::lstat(socketPath().c_str(), &left), 0);
    ASSERT_TRUE(S_ISSOCK(left.st_mode));
    RequestClient tooEarly;
    EXPECT_EQ(tooEarly.connect(socketPath(), 1000), platform::error::kNoListener) << "nothing listens on a stale socket";

    RequestListener listener;
    ASSERT_EQ(listener.open(socketPath()), 0);
    RequestListener second;
    EXPECT_EQ(second.open(socketPath()), platform::error::kListenerRunning);

    RecordingHandler handler;
    std::uint32_t answer = 0;
    serveWhile(listener, handler, [&] {
        RequestClient client;
        ASSERT_EQ(client.connect(socketPath(), 5000), 0);
        ASSERT_EQ(client.send(RequestKind::execute, "hello", answer), 0);
    });
    EXPECT_EQ(answer, 5u);

    listener.close();
    EXPECT_NE(::access(socketPath().c_str(), F_OK), 0) << "closing removes the socket";
    EXPECT_EQ(second.open(socketPath()), 0) << "free again once the first listener closed";
}

// Writes raw bytes, as a peer that does not follow the protocol would.
bool sendRaw(int socket, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t sent = ::send(socket, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent <= 0) return false;
        done += static_cast<std::size_t>(sent);
    }
    return true;
}

int connectRaw(const std::string& path) {
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    if (::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(socket);
        return -1;
    }
    return socket;
}

std::string frame(std::uint8_t kind, std::uint32_t length, const std::string& data) {
    std::string bytes(1, static_cast<char>(kind));
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((length >> shift) & 0xFF));
    return bytes + data;
}

TEST_F(RequestSocket, APeerBreakingTheProtocolIsDroppedAloneAndSplitRequestsArriveWhole) {
    RequestListener listener;
    ASSERT_EQ(listener.open(socketPath()), 0);
    RecordingHandler handler;
    std::uint32_t answer = 0;
    serveWhile(listener, handler, [&] {
        const int oversized = connectRaw(socketPath());
        const int unknownKind = connectRaw(socketPath());
        ASSERT_GE(oversized, 0);
        ASSERT_GE(unknownKind, 0);
        sendRaw(oversized, frame(2, platform::kMaxRequestBytes + 1, "x"));
        sendRaw(unknownKind, frame(9, 1, "x"));
        // A well-behaved peer whose request comes a byte at a time is served all the same.
        const int slow = connectRaw(socketPath());
        ASSERT_GE(slow, 0);
        for (const char byte : frame(2, 3, "abc")) {
            sendRaw(slow, std::string(1, byte));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        char reply[4];
        EXPECT_EQ(::recv(slow, reply, 4, MSG_WAITALL), 4);
        answer = static_cast<unsigned char>(reply[0]);
        char nothing;
        EXPECT_EQ(::recv(oversized, &nothing, 1, 0), 0) << "dropped without an answer";
        EXPECT_EQ(::recv(unknownKind, &nothing, 1, 0), 0);
        for (const int socket : {oversized, unknownKind, slow}) ::close(socket);
    });
    EXPECT_EQ(answer, 3u);
    ASSERT_EQ(handler.requests.size(), 1u);
    EXPECT_EQ(handler.requests[0].second, "abc");
}

TEST_F(RequestSocket, APeerOfAnotherUserIsTurnedAway) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to run a peer as another user";
    RequestListener listener;
    ASSERT_EQ(listener.open(socketPath()), 0);
    // The folder and socket open to everyone, so that only the check of the peer's user stands.
    ASSERT_EQ(::chmod(runtime.path().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(socketPath().c_str(), 0777), 0);
    RecordingHandler handler;
    int status = -1;
    serveWhile(listener, handler, [&] {
        const pid_t stranger = fork();
        if (stranger == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
            const int socket = connectRaw(socketPath());
            if (socket < 0) _exit(2);
            sendRaw(socket, frame(2, 1, "x"));
            char reply[4];
            _exit(::recv(socket, reply, 4, MSG_WAITALL) == 4 ? 1 : 0);
        }
        waitpid(stranger, &status, 0);
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the stranger got an answer, or could not try (2, 3)";
    EXPECT_TRUE(handler.requests.empty());
}

}  // namespace
