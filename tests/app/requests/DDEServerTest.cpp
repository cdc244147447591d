#include "app/requests/DDEServer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "app/requests/OpenCommand.h"
#include "platform/files/FileName.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ServeWhilePeersRun.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using platform::RequestClient;
using platform::RequestKind;

const std::string kConversation = std::string(kDDEServiceName) + '\0' + kDDETopicName;

class DDEServerTest : public ::testing::Test {
protected:
    DDEServerTest() : runtimeFolder("XDG_RUNTIME_DIR", runtime.path().c_str()) {}

    std::string socketPath() {
        std::string path;
        EXPECT_EQ(platform::requestSocketPath(kDDEServiceName, path), 0);
        return path;
    }

    // The peers run on other threads while this one serves and takes what was asked for as it goes.
    void serveWhile(const std::function<void()>& peers) {
        testsupport::serveWhilePeersRun(server.fileDescriptor(), [&] { serviceOnce(); }, peers);
    }

    void serviceOnce() {
        server.serviceRequests();
        for (std::u16string& path : server.takeOpenRequests()) delivered.push_back(platform::fileNameToBytes(path));
    }

    testsupport::TemporaryFolder runtime;
    testsupport::ScopedEnvironment runtimeFolder;
    CDDEServer server{nullptr};
    std::vector<std::string> delivered;
};

TEST_F(DDEServerTest, OnlyOurServiceAndTopicAreServedAndOnlyAfterConnecting) {
    ASSERT_TRUE(server.start());
    EXPECT_FALSE(server.start()) << "already running";
    CDDEServer second(nullptr);
    EXPECT_FALSE(second.start()) << "one service per user";

    std::map<std::string, std::uint32_t> answers;
    serveWhile([&] {
        const std::pair<const char*, std::string> attempts[] = {
            {"another topic", std::string(kDDEServiceName) + '\0' + "Other"},
            {"another service", std::string("Other") + '\0' + kDDETopicName},
            {"no topic", kDDEServiceName},
        };
        for (const auto& [what, conversation] : attempts) {
            RequestClient client;
            ASSERT_EQ(client.connect(socketPath(), 5000), 0);
            ASSERT_EQ(client.send(RequestKind::connect, conversation, answers[what]), 0);
            ASSERT_EQ(client.send(RequestKind::execute, makeOpenCommand("/refused.docx"), answers[std::string(what) + " then open"]), 0);
        }
        RequestClient client;
        ASSERT_EQ(client.connect(socketPath(), 5000), 0);
        ASSERT_EQ(client.send(RequestKind::execute, makeOpenCommand("/early.docx"), answers["open before connecting"]), 0);
        ASSERT_EQ(client.send(RequestKind::connect, kConversation, answers["ours"]), 0);
        ASSERT_EQ(client.send(RequestKind::execute, makeOpenCommand("/a.docx"), answers["open"]), 0);
    });
    for (const auto& [what, answer] : answers) {
        const std::uint32_t expected = what == "ours" ? kDDEConnected : what == "open" ? kDDEAcknowledged : kDDERefused;
        EXPECT_EQ(answer, expected) << what;
    }
    EXPECT_EQ(delivered, std::vector<std::string>{"/a.docx"});
}

// A hostile peer: a flood of data without a NUL, malformed commands and a burst of requests from
// several peers at once. Nothing breaks, and each well-formed request is delivered exactly once.
TEST_F(DDEServerTest, AHostilePeerLosesNothingOfTheOthersRequests) {
    ASSERT_TRUE(server.start());
    constexpr int kPeers = 4;
    constexpr int kRequestsPerPeer = 250;
    std::atomic<int> acknowledged{0};
    std::atomic<int> wrongAnswers{0};
    serveWhile([&] {
        std::vector<std::thread> peers;
        peers.emplace_back([&] {
            RequestClient flood;
            std::uint32_t answer = 0;
            if (flood.connect(socketPath(), 5000) != 0 || flood.send(RequestKind::connect, kConversation, answer) != 0)
                ++wrongAnswers;
            // Ten megabytes without a NUL: the connection is dropped, nothing is delivered.
            const std::string noNul = "[Open(\"/" + std::string(10 * 1024 * 1024, 'x');
            if (flood.send(RequestKind::execute, noNul, answer) == 0) ++wrongAnswers;
        });
        peers.emplace_back([&] {
            RequestClient malformed;
            std::uint32_t answer = 0;
            if (malformed.connect(socketPath(), 5000) != 0 || malformed.send(RequestKind::connect, kConversation, answer) != 0)
                ++wrongAnswers;
            for (const char* command : {"[Open(\"/bad.docx\")", "[Open(bad)]", "[Print(\"/bad.docx\")]", "", "[Open(\"\")]"}) {
                if (malformed.send(RequestKind::execute, command, answer) != 0 || answer != kDDERefused) ++wrongAnswers;
            }
        });
        for (int p = 0; p < kPeers; ++p) {
            peers.emplace_back([&, p] {
                RequestClient client;
                std::uint32_t answer = 0;
                if (client.connect(socketPath(), 5000) != 0 || client.send(RequestKind::connect, kConversation, answer) != 0) {
                    ++wrongAnswers;
                    return;
                }
                for (int i = 0; i < kRequestsPerPeer; ++i) {
                    const std::string path = "/peer" + std::to_string(p) + "/file" + std::to_string(i) + ".docx";
                    if (client.send(RequestKind::execute, makeOpenCommand(path), answer) != 0 || answer != kDDEAcknowledged) {
                        ++wrongAnswers;
                    } else {
                        ++acknowledged;
                    }
                }
            });
        }
        for (std::thread& peer : peers) peer.join();
    });
    EXPECT_EQ(wrongAnswers.load(), 0);
    EXPECT_EQ(acknowledged.load(), kPeers * kRequestsPerPeer);
    std::vector<std::string> expected;
    for (int p = 0; p < kPeers; ++p)
        for (int i = 0; i < kRequestsPerPeer; ++i)
            expected.push_back("/peer" + std::to_string(p) + "/file" + std::to_string(i) + ".docx");
    std::vector<std::string> got = delivered;
    std::sort(expected.begin(), expected.end());
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, expected) << "every well-formed request once, nothing else";
    // Each peer's requests keep their order.
    for (int p = 0; p < kPeers; ++p) {
        const std::string prefix = "/peer" + std::to_string(p) + "/";
        std::vector<std::string> ofPeer;
        std::copy_if(delivered.begin(), delivered.end(), std::back_inserter(ofPeer),
                     [&](const std::string& path) { return path.rfind(prefix, 0) == 0; });
        for (int i = 0; i < kRequestsPerPeer; ++i)
            ASSERT_EQ(ofPeer[static_cast<std::size_t>(i)], prefix + "file" + std::to_string(i) + ".docx");
    }
}

TEST_F(DDEServerTest, RequestsWaitTheirTurnUntilTheLoopTakesThem) {
    ASSERT_TRUE(server.start());
    std::uint32_t answer = 0;
    // Served without taking, as while a conversion runs: the second request does not replace the first.
    testsupport::serveWhilePeersRun(server.fileDescriptor(), [&] { server.serviceRequests(); }, [&] {
        RequestClient client;
        ASSERT_EQ(client.connect(socketPath(), 5000), 0);
        ASSERT_EQ(client.send(RequestKind::connect, kConversation, answer), 0);
        ASSERT_EQ(client.send(RequestKind::execute, makeOpenCommand("/first.docx"), answer), 0);
        ASSERT_EQ(client.send(RequestKind::execute, makeOpenCommand("/second.docx"), answer), 0);
    });
    const std::vector<std::u16string> taken = server.takeOpenRequests();
    EXPECT_EQ(taken, (std::vector<std::u16string>{u"/first.docx", u"/second.docx"}));
    EXPECT_TRUE(server.takeOpenRequests().empty());
}

}  // namespace
