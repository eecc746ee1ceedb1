#include "foundation/files/CMacAsyncPB.h"
#include "foundation/streams/CForkRefStream.h"
#include "platform/files/FileSpecText.h"
#include "shell/CAsyncLoopThread.h"

#include "tests/foundation/TempFiles.h"
#include "tests/support/WaitFor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// A fork object on a real dispatch thread. Requests are queued under the queue lock, which
// the dispatch thread holds while it delivers completions, as the queue's own thread would.
class CMacAsyncPBTest : public testing::Test {
protected:
    void SetUp() override
    {
        fQueue = std::make_unique<CAsyncLoopThread>([](CRunLoopSignal::Callback callback, void* context) {
            return std::make_unique<CRunLoopSignal>(callback, context);
        });
        fPath = std::string(getenv("TMPDIR")) + "/async " + testing::UnitTest::GetInstance()->current_test_info()->name();
        std::ofstream(fPath, std::ios::trunc);
    }
    void TearDown() override
    {
        fQueue.reset();
        std::filesystem::remove(fPath);
    }

    std::string FileUrl() const { return plat::SpecFromPosixPath(fPath); }
    std::string Contents() const { return ReadAll(fPath); }

    // Counts completions and remembers their order.
    struct Log {
        std::atomic<int> count{0};
        std::vector<CMacAsyncPB::Request*> order;
    };
    static void Record(void* context, CMacAsyncPB::Request* request)
    {
        auto* log = static_cast<Log*>(context);
        log->order.push_back(request);
        log->count.fetch_add(1);
    }

    std::unique_ptr<CAsyncLoopThread> fQueue;
    std::string fPath;
};

TEST_F(CMacAsyncPBTest, RefusedAndClosedRequestsCompleteWithDoneZero)
{
    std::ofstream(fPath) << "abc";
    CMacAsyncPB readOnly(fQueue.get());
    ASSERT_EQ(readOnly.Open(FileUrl(), 0), 0u);
    Log log;
    CMacAsyncPB::Request write;
    {
        LAsyncQueueLock lock(*fQueue);
        readOnly.QueueWrite("xyz", 0, 3, &log, Record, &write);
    }
    ASSERT_TRUE(WaitFor([&] { return log.count.load() == 1; }));
    EXPECT_EQ(write.done, 0);
    EXPECT_EQ(write.transferred, 0u);
    EXPECT_EQ(Contents(), "abc");
    EXPECT_FALSE(readOnly.WriteAt(0, "x", 1));

    CMacAsyncPB closed(fQueue.get());
    CMacAsyncPB::Request request;
    char buffer[4];
    {
        LAsyncQueueLock lock(*fQueue);
        closed.QueueRead(buffer, 0, 4, &log, Record, &request);
        EXPECT_EQ(log.count.load(), 2);   // at once, on the caller's thread
    }
    EXPECT_EQ(request.done, 0);
}

TEST_F(CMacAsyncPBTest, OpenReportsMissingFilesAndResourceForks)
{
    CMacAsyncPB file(fQueue.get());
    EXPECT_EQ(file.Open(plat::SpecFromPosixPath(fPath + ".missing"), 0), 1u);
    EXPECT_EQ(file.Open("file:///NoSuchVolume/x", 0), 1u);
    EXPECT_EQ(file.Open(FileUrl(), CMacAsyncPB::kResourceFork), 1u);
    EXPECT_EQ(file.Open(plat::SpecFromPosixPath(getenv("TMPDIR")), 0), 2u);
    ASSERT_EQ(file.Open(FileUrl(), CMacAsyncPB::kWritePermission), 0u);
    EXPECT_EQ(file.Open(FileUrl(), 0), 0u);
    EXPECT_TRUE(file.WriteAt(2, "hi", 2));
    EXPECT_EQ(file.GetSize(), 4u);
    char buffer[8];
    uint32_t length = 8;
    EXPECT_TRUE(file.ReadAt(1, buffer, &length));
    EXPECT_EQ(length, 3u);
    file.SetSize(1);
    EXPECT_EQ(file.GetSize(), 1u);
    file.Close();
    EXPECT_EQ(file.GetSize(), 0u);
    length = 8;
    EXPECT_FALSE(file.ReadAt(0, buffer, &length));
    EXPECT_EQ(length, 0u);
}

TEST_F(CMacAsyncPBTest, DestroyingWithWritesInFlightNeverWritesAfterClose)
{
    const std::string big(8 << 20, 'w');
    for (int round = 0; round < 20; ++round) {
        Log log;
        std::vector<CMacAsyncPB::Request> requests(4);
        {
            auto file = std::make_unique<CMacAsyncPB>(fQueue.get());
            ASSERT_EQ(file->Open(FileUrl(), CMacAsyncPB::kWritePermission), 0u);
            // One lock scope from queueing to destruction, so no completion can be delivered
            // meanwhile; the worker may get through some writes before the destruction.
            LAsyncQueueLock lock(*fQueue);
            for (size_t i = 0; i < requests.size(); ++i)
                file->QueueWrite(big.data(), i * big.size(), uint32_t(big.size()), &log, Record, &requests[i]);
            // Waits for the transfer in flight, drops the rest, then closes.
            file.reset();
        }
        const auto sizeAtClose = std::filesystem::file_size(fPath);
        // A new file takes the freed descriptor number; nothing late may land in it.
        const std::string other = fPath + ".other";
        std::ofstream(other, std::ios::trunc);
        std::ofstream otherStream(other, std::ios::app);
        std::this_thread::sleep_for(2ms);
        otherStream.close();
        EXPECT_EQ(std::filesystem::file_size(other), 0u) << "round " << round;
        std::filesystem::remove(other);
        // Writes ran whole and in order, and none ran after the close.
        EXPECT_EQ(sizeAtClose % big.size(), 0u) << "round " << round;
        EXPECT_EQ(std::filesystem::file_size(fPath), sizeAtClose) << "round " << round;
        // The object is gone: no completion may reach its callbacks.
        EXPECT_EQ(log.count.load(), 0);
    }
}

TEST_F(CMacAsyncPBTest, ForkReferenceStreamTransfersAtItsPosition)
{
    CMacAsyncPB file(fQueue.get());
    ASSERT_EQ(file.Open(FileUrl(), CMacAsyncPB::kWritePermission), 0u);
    CForkRefStream stream(&file, LStream::kReadWrite);
    stream.Write("hello world", 11);
    stream.SetPosition(5);
    stream.SetEOF();
    EXPECT_EQ(Contents(), "hello");
    stream.SetPosition(1);
    char buffer[16];
    uint64_t count = sizeof buffer;
    stream.Read(buffer, &count);
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(std::string(buffer, 4), "ello");
    EXPECT_EQ(stream.Error(), 0u);

    CForkRefStream readOnly(&file, LStream::kReadOnly);
    readOnly.Write("x", 1);
    EXPECT_EQ(readOnly.Error(), uint32_t(LStream::kReadOnlyError));

    file.Close();
    CForkRefStream closed(&file, LStream::kReadWrite);
    count = 4;
    closed.Read(buffer, &count);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(closed.Error(), uint32_t(LStream::kReadError));
    closed.Write("x", 1);   // the first error stays
    EXPECT_EQ(closed.Error(), uint32_t(LStream::kReadError));
}

} // namespace
