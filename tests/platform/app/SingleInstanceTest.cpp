#include "platform/app/OpenRequest.h"
#include "platform/app/SingleInstance.h"
#include "platform/runloop/RunLoop.h"

#include <gtest/gtest.h>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

using namespace plat;
using Role = SingleInstance::Role;

namespace {

class SingleInstanceTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "single-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // Serves the calling thread's loop until `done` holds (20 s at most).
    static bool PumpUntil(const std::function<bool()>& done)
    {
        for (int i = 0; i < 2000 && !done(); ++i)
            RunLoop::Current().RunInMode(kModeDefault, 10, true);
        return done();
    }

    // Hands paths over from another thread while this one serves the listener.
    bool HandOffServed(const SingleInstance& second, const std::vector<std::string>& paths)
    {
        auto result = std::async(std::launch::async, [&] { return second.HandOff(paths); });
        EXPECT_TRUE(PumpUntil([&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
        return result.get();
    }

    // A raw peer: connects, sends bytes, closes its sending side.
    static int RawPeer(const std::string& path, const std::string& bytes)
    {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
        EXPECT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        if (!bytes.empty()) {
            EXPECT_EQ(send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), ssize_t(bytes.size()));
        }
        return fd;
    }

    std::string folder;
    std::vector<std::vector<std::string>> received;
    SingleInstance::OpenHandler Collect()
    {
        return [this](const std::vector<std::string>& paths) { received.push_back(paths); };
    }
};

} // namespace

TEST_F(SingleInstanceTest, ALaterLaunchHandsItsPathsToTheRunningOne)
{
    SingleInstance first(folder, "snx");
    ASSERT_EQ(first.GetRole(), Role::Primary);
    first.Listen(RunLoop::Current(), Collect());
    SingleInstance second(folder, "snx");
    ASSERT_EQ(second.GetRole(), Role::Secondary);
    EXPECT_TRUE(HandOffServed(second, {"/home/u/a.snx", "/home/u/rec.tks"}));
    EXPECT_TRUE(HandOffServed(second, {}));
    EXPECT_EQ(received, (std::vector<std::vector<std::string>>{{"/home/u/a.snx", "/home/u/rec.tks"}, {}}));
    EXPECT_FALSE(first.HandOff({"/a"})) << "only a later launch hands off";
}

TEST_F(SingleInstanceTest, TheRoleIsFreeAgainOnceTheRunningOneIsGone)
{
    std::string socketPath;
    {
        SingleInstance first(folder, "snx");
        ASSERT_EQ(first.GetRole(), Role::Primary);
        socketPath = first.SocketPath();
        EXPECT_TRUE(std::filesystem::exists(socketPath));
    }
    EXPECT_FALSE(std::filesystem::exists(socketPath));
    SingleInstance next(folder, "snx");
    EXPECT_EQ(next.GetRole(), Role::Primary);
}

TEST_F(SingleInstanceTest, AStaleSocketWithoutListenerIsReplaced)
{
    const std::string path = folder + "/snx.socket";
    const int stale = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    ASSERT_EQ(bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(stale); // the socket file stays behind, nobody listens
    SingleInstance first(folder, "snx");
    ASSERT_EQ(first.GetRole(), Role::Primary);
    first.Listen(RunLoop::Current(), Collect());
    SingleInstance second(folder, "snx");
    EXPECT_TRUE(HandOffServed(second, {"/b.snx"}));
    EXPECT_EQ(received.size(), 1u);
}

TEST_F(SingleInstanceTest, DamagedHugeAndStalledRequestsAreDroppedAndServingGoesOn)
{
    SingleInstance first(folder, "snx");
    first.Listen(RunLoop::Current(), Collect());
    const std::string huge = std::string("SXO1") + std::string("\xff\xff\xff\x7f", 4);
    const std::string endsEarly = std::string("SXO1\x01\0\0\0\x05\0\0\0/ab", 15);
    for (const std::string& bytes : {std::string("GET / HTTP/1.0\r\n\r\n"), huge, endsEarly}) {
        const int peer = RawPeer(first.SocketPath(), bytes);
        shutdown(peer, SHUT_WR);
        char answer = 0;
        ssize_t got = -1;
        EXPECT_TRUE(PumpUntil([&] { return (got = recv(peer, &answer, 1, MSG_DONTWAIT)) >= 0; }));
        EXPECT_EQ(got, 0) << "dropped without an answer";
        close(peer);
    }
    // Peers that connect and say nothing only push each other out.
    std::vector<int> silent;
    for (int i = 0; i < 20; ++i) {
        silent.push_back(RawPeer(first.SocketPath(), ""));
        RunLoop::Current().RunPending(kModeDefault); // accepted before the backlog fills
    }
    SingleInstance second(folder, "snx");
    EXPECT_TRUE(HandOffServed(second, {"/c.snx"}));
    EXPECT_EQ(received, (std::vector<std::vector<std::string>>{{"/c.snx"}}));
    for (int fd : silent)
        close(fd);
}

TEST_F(SingleInstanceTest, AHandOffToAProgramThatDoesNotAnswerFails)
{
    SingleInstance first(folder, "snx"); // holds the role but never serves its socket
    SingleInstance second(folder, "snx");
    ASSERT_EQ(second.GetRole(), Role::Secondary);
    EXPECT_FALSE(second.HandOff({"/d.snx"}, 200));
}

TEST_F(SingleInstanceTest, TheSocketFolderIsTheRuntimeFolderOrAPrivateTemporaryOne)
{
    const std::string savedRuntime = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
    const std::string savedTemp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    EXPECT_EQ(SingleInstance::SocketFolder("snx"), folder);

    setenv("XDG_RUNTIME_DIR", "relative/run", 1);
    setenv("TMPDIR", folder.c_str(), 1);
    const std::string expected = folder + "/snx-" + std::to_string(geteuid());
    EXPECT_EQ(SingleInstance::SocketFolder("snx"), expected);
    struct stat info {};
    ASSERT_EQ(stat(expected.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    chmod(expected.c_str(), 0755); // opened up by someone: closed again
    EXPECT_EQ(SingleInstance::SocketFolder("snx"), expected);
    ASSERT_EQ(stat(expected.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    std::filesystem::remove(expected);
    { std::FILE* f = std::fopen(expected.c_str(), "w"); ASSERT_NE(f, nullptr); std::fclose(f); }
    EXPECT_EQ(SingleInstance::SocketFolder("snx"), "") << "a file in the folder's place";
    SingleInstance alone("", "snx");
    EXPECT_EQ(alone.GetRole(), Role::Alone);

    setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    if (savedRuntime.empty())
        unsetenv("XDG_RUNTIME_DIR");
    setenv("TMPDIR", savedTemp.c_str(), 1);
}
