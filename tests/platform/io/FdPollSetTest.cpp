#include "platform/io/FdPollSet.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// A connected pair of local sockets and a set.
class FdPollSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(set.IsValid());
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    }
    void TearDown() override
    {
        set.Forget(pair[0]);
        ::close(pair[0]);
        ::close(pair[1]);
    }
    int WaitNow() { return set.Wait(ready, 4, 0); }

    plat::FdPollSet set;
    plat::FdPollSet::Ready ready[4];
    int pair[2] = {-1, -1};
};

} // namespace

TEST_F(FdPollSetTest, WatchReportsOnceWithItsKeyUntilWatchedAgain)
{
    ASSERT_TRUE(set.Watch(pair[0], plat::kFdReadable, 0x1234'0000'0007u));
    EXPECT_EQ(WaitNow(), 0);
    ASSERT_EQ(::write(pair[1], "x", 1), 1);
    ASSERT_EQ(WaitNow(), 1);
    EXPECT_EQ(ready[0].key, 0x1234'0000'0007u);
    EXPECT_EQ(ready[0].got, unsigned(plat::kFdReadable));
    EXPECT_EQ(WaitNow(), 0) << "the byte is unread, but the watch was used up";
    ASSERT_TRUE(set.Watch(pair[0], plat::kFdReadable | plat::kFdWritable, 9));
    ASSERT_EQ(WaitNow(), 1);
    EXPECT_EQ(ready[0].got, unsigned(plat::kFdReadable | plat::kFdWritable));
}

TEST_F(FdPollSetTest, WatchAlwaysReportsWhileReadyAndForgetEndsIt)
{
    ASSERT_TRUE(set.WatchAlways(pair[0], plat::kFdReadable, 1));
    ASSERT_EQ(::write(pair[1], "x", 1), 1);
    EXPECT_EQ(WaitNow(), 1);
    EXPECT_EQ(WaitNow(), 1);
    set.Forget(pair[0]);
    EXPECT_EQ(WaitNow(), 0);
}

TEST_F(FdPollSetTest, HangUpIsReported)
{
    ASSERT_TRUE(set.Watch(pair[0], plat::kFdReadable, 1));
    ::shutdown(pair[1], SHUT_RDWR);
    ASSERT_EQ(WaitNow(), 1);
    EXPECT_TRUE(ready[0].got & plat::kFdHangup);
}

TEST_F(FdPollSetTest, ArmingFromAnotherThreadEndsAWaitInProgress)
{
    ASSERT_EQ(::write(pair[1], "x", 1), 1);
    std::atomic<int> got{-1};
    std::thread waiter([&] { got = set.Wait(ready, 4, 5000); });
    std::this_thread::sleep_for(50ms);
    ASSERT_TRUE(set.Watch(pair[0], plat::kFdReadable, 3));
    waiter.join();
    EXPECT_EQ(got.load(), 1);
    EXPECT_EQ(ready[0].key, 3u);
}

TEST_F(FdPollSetTest, DescriptorsThatCannotBeWaitedOnAreRefused)
{
    char path[] = "/tmp/fdpollsetXXXXXX";
    const int file = ::mkstemp(path);
    ASSERT_GE(file, 0);
    ::unlink(path);
    EXPECT_FALSE(set.Watch(file, plat::kFdReadable, 1)); // a regular file is always ready
    ::close(file);
    EXPECT_FALSE(set.Watch(file, plat::kFdReadable, 1)); // closed
    EXPECT_FALSE(set.Watch(-1, plat::kFdReadable, 1));
}

TEST_F(FdPollSetTest, WaitWithNothingReadyTimesOut)
{
    ASSERT_TRUE(set.Watch(pair[0], plat::kFdReadable, 1));
    EXPECT_EQ(set.Wait(ready, 4, 30), 0);
}
