// The raw-stream recorder: the buffered writer on its own and recordings of a line source.
#include "sources/lines/CLineSerialSrc.h"
#include "sources/lines/CLogSaverA.h"

#include "foundation/async/LAsyncQueue.h"
#include "sources/ports/CSerialPort.h"
#include "tests/foundation/TempFiles.h"
#include "tests/sources/FrameCollector.h"
#include "tests/support/PortTestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace porttest;

namespace {

// An empty file in the test's temporary folder.
std::string TempFile(const std::string& name)
{
    WriteAll(TempPath(name), "");
    return TempPath(name);
}

std::unique_ptr<plat::DataFork> OpenForWriting(const std::string& path)
{
    auto fork = std::make_unique<plat::DataFork>();
    EXPECT_EQ(fork->Open(path, plat::ForkAccess::ReadWrite), plat::FileResult::Ok);
    return fork;
}

} // namespace

TEST(CLogSaverA, EveryByteReachesTheFileInOrderAcrossChunks)
{
    auto queue = MakeQueue();
    MessageLog log;
    const std::string path = TempPath("saver.tks");
    WriteAll(path, "head\r");
    std::string expected = "head\r";
    {
        CLogSaverA saver(&log, queue.get());
        saver.SetFile(OpenForWriting(path));
        EXPECT_EQ(saver.Position(), 5u) << "writing goes on at the end of the file";
        for (int i = 0; i < 50000; ++i) {
            const uint8_t byte = uint8_t((i * 7) ^ (i >> 8));
            ASSERT_TRUE(PumpUntil([&] {
                LAsyncQueueLock lock(*queue);
                return !saver.IsFull();
            }));
            LAsyncQueueLock lock(*queue);
            saver.PutByte(byte);
            expected += char(byte);
        }
        EXPECT_GE(log.Count(CLogSaverA::msgReady), 1);
        EXPECT_FALSE(saver.HasFailed());
    }
    EXPECT_EQ(ReadAll(path), expected);
    queue->Stop();
}

TEST(CLogSaverA, BytesWithoutAFileAreIgnoredAndAFailedWriteToAFullDeviceIsKnownAndDropsTheBuffer)
{
    auto queue = MakeQueue();
    MessageLog log;
    CLogSaverA saver(&log, queue.get());
    saver.PutByte('a');
    EXPECT_EQ(saver.Fill(), 0u);
    auto full = std::make_unique<plat::DataFork>();
    ASSERT_EQ(full->Open("/dev/full", plat::ForkAccess::ReadWrite), plat::FileResult::Ok);
    saver.SetFile(std::move(full));
    {
        LAsyncQueueLock lock(*queue);
        for (uint32_t i = 0; i < CLogSaverA::kChunk + 10; ++i)
            saver.PutByte('x');
    }
    ASSERT_TRUE(log.WaitFor(CLogSaverA::msgReady));
    EXPECT_TRUE(saver.HasFailed());
    LAsyncQueueLock lock(*queue);
    EXPECT_EQ(saver.Fill(), 0u);
    saver.PutByte('y'); // the recording goes on with the next bytes
    EXPECT_EQ(saver.Fill(), 1u);
}

namespace {

class LineRecordingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        queue = MakeQueue();
        pty = OpenPty();
        ASSERT_GE(pty.master, 0);
        PointSerialName("gamma", pty.slavePath);
        source = std::make_unique<CLineSerialSrc>(&window, queue.get());
        window.source = source.get();
        ASSERT_EQ(source->Open(SpecNamed("gamma")), 0);
        const std::string requests = "DN\nFR 0.3333\nSR 120\nBL\n";
        ASSERT_EQ(ReadExactly(pty.master, requests.size()), requests);
    }
    void TearDown() override
    {
        {
            // Let go of the source under the lock before it is destroyed: the dispatch thread
            // may be pulling from it.
            LAsyncQueueLock lock(*queue);
            window.source = nullptr;
        }
        source.reset();
        ::close(pty.master);
        queue->Stop();
    }
    // Reads the source's state the way the window does: under the queue lock.
    uint8_t RecordState() const
    {
        LAsyncQueueLock lock(*queue);
        return source->RecordState();
    }
    float PositionSeconds() const
    {
        LAsyncQueueLock lock(*queue);
        return source->PositionSeconds();
    }
    // The device sends bytes, and the source gets a good while to read and parse them.
    void Device(const std::string& bytes)
    {
        ASSERT_EQ(::write(pty.master, bytes.data(), bytes.size()), ssize_t(bytes.size()));
        PumpFor(150ms);
    }

    std::unique_ptr<CAsyncLoopThread> queue;
    Pty pty;
    FrameCollector window;
    std::unique_ptr<CLineSerialSrc> source;
};

} // namespace

TEST_F(LineRecordingTest, RecordingHoldsTheHeaderAndWholeLinesWithInjectedTexts)
{
    Device("dn generic_sound\rsr 100\r12 34");
    const std::string path = TempFile("live.tks");
    ASSERT_EQ(source->StartRecording(path.c_str(), -1), 0);
    EXPECT_TRUE(source->IsRecording());
    EXPECT_EQ(RecordState(), CLineSampleSrc::kRecordArmed) << "started inside a line";
    source->RecordText("mark one");
    source->RecordText("two\rlines");
    Device(" 56\r\n100 200\rab");
    source->StopRecording();
    EXPECT_EQ(RecordState(), CLineSampleSrc::kRecordStopping);
    Device(" cd\r\n200\r");
    EXPECT_EQ(RecordState(), CLineSampleSrc::kRecordOff);
    source->StopRecording();
    EXPECT_FALSE(source->IsRecording());
    EXPECT_EQ(ReadAll(path), "dn generic_sound\rfr 0.3333\rsr 100\r"
                              "tx mark one\rtx two lines\r\n100 200\rab cd\r");
    EXPECT_EQ(window.Texts(), (std::vector<std::string>{"mark one", "two lines"}));
    EXPECT_FALSE(source->RecordFailed());
}

TEST_F(LineRecordingTest, RecordingRestartsThePositionAndAZeroSecondLimitWritesOnlyTheHeader)
{
    Device("sr 7\r1\r2\r3\r4\r");
    EXPECT_GT(PositionSeconds(), 0.0f);
    const std::string path = TempFile("limited.tks");
    ASSERT_EQ(source->StartRecording(path.c_str(), 0), 0);
    EXPECT_EQ(RecordState(), CLineSampleSrc::kRecording);
    EXPECT_EQ(PositionSeconds(), 0.0f);
    Device("1 2\r3 4\r");
    source->StopRecording();
    EXPECT_EQ(ReadAll(path), "dn \rfr 0.3333\rsr 7\r");
}

TEST_F(LineRecordingTest, FullDiskAndMissingFolderAreReported)
{
    EXPECT_EQ(source->StartRecording("/dev/full", -1), 2);
    EXPECT_FALSE(source->IsRecording());
    EXPECT_TRUE(source->RecordFailed());
    EXPECT_EQ(source->StartRecording("/no/such/folder/x.tks", -1), 1);
    EXPECT_FALSE(source->IsRecording());
}
