#include "analysis/CSpectrumAnalyser.h"
#include "analysis/records/CFaderSetRecord.h"
#include "foundation/async/LAsyncQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

// The first n slots of a ring.
std::vector<std::string> Lines(const CEventLineRing& ring, size_t n)
{
    std::vector<std::string> lines;
    for (size_t i = 0; i < n; ++i)
        lines.emplace_back(ring.lines[i].View());
    return lines;
}

} // namespace

TEST(CEventLineRing, TextsBeforeAFrameJoinIntoItsSlot)
{
    CEventLineRing ring;
    ASSERT_TRUE(ring.Alloc(2, 3));
    EXPECT_EQ(ring.lines.size(), 8u);
    EXPECT_EQ(ring.fftSize, 4u);
    ring.Append("ab");
    ring.Append("cd");
    ring.Commit();
    ring.Commit();
    ring.Append("x");
    ring.Commit();
    EXPECT_EQ(ring.writeIndex, 3u);
    EXPECT_EQ(Lines(ring, 3), (std::vector<std::string>{"abcd", "", "x"}));
    EXPECT_EQ(ring.currentLine.Length(), 0u);
}

TEST(CEventLineRing, LastLineIsKeptUntilTaken)
{
    CEventLineRing ring;
    ASSERT_TRUE(ring.Alloc(1, 1));
    ring.Append("first");
    ring.Commit();
    ring.Commit();
    ring.Commit(); // wraps: two slots
    EXPECT_EQ(ring.writeIndex, 1u);
    EXPECT_EQ(ring.TakeLastLine().View(), "first");
    EXPECT_TRUE(ring.TakeLastLine().IsEmpty());
}

TEST(CEventLineRing, AllocForgetsEverythingAndRejectsHugeOrders)
{
    CEventLineRing ring;
    ASSERT_TRUE(ring.Alloc(2, 2));
    ring.Append("a");
    ring.Commit();
    ring.Append("pending");
    EXPECT_FALSE(ring.Alloc(CFFT::kMaxOrder + 1, 2));
    EXPECT_EQ(ring.lines.size(), 4u);
    ASSERT_TRUE(ring.Alloc(3, 1));
    EXPECT_EQ(ring.lines.size(), 8u);
    EXPECT_EQ(ring.writeIndex, 0u);
    EXPECT_EQ(ring.currentLine.Length(), 0u);
    EXPECT_TRUE(ring.TakeLastLine().IsEmpty());
}

// The renderer takes the last line on the main thread while the pull commits lines elsewhere:
// every taken line is one that was committed whole.
TEST(CEventLineRing, TakeLastLineIsSafeAgainstCommits)
{
    CEventLineRing ring;
    ASSERT_TRUE(ring.Alloc(4, 4));
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i) {
            ring.Append("line ");
            ring.Append(std::to_string(i));
            ring.Commit();
        }
        done = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int torn = 0; // counted rather than asserted: the writer must be joined either way
    while (!done && std::chrono::steady_clock::now() < deadline) {
        const LStringRef line = ring.TakeLastLine();
        torn += !line.IsEmpty() && line.View().substr(0, 5) != "line ";
    }
    writer.join();
    EXPECT_TRUE(done);
    EXPECT_EQ(torn, 0);
    const LStringRef last = ring.TakeLastLine();
    EXPECT_TRUE(last.IsEmpty() || last.View() == "line 19999");
}

TEST(CSpectrumAnalyser, SetupMakesEqualChannelsAndDiscardsSamplesAndLines)
{
    CSpectrumAnalyser analyser;
    EXPECT_EQ(analyser.ChannelCount(), 0u);
    ASSERT_TRUE(analyser.Setup(3, 8, 13));
    analyser.Channel(0)->Push(9.0f);
    analyser.Append("t");
    analyser.Commit();
    ASSERT_TRUE(analyser.Setup(3, 8, 13)); // the same sizes again still start afresh
    ASSERT_EQ(analyser.ChannelCount(), 3u);
    for (uint32_t c = 0; c < 3; ++c) {
        EXPECT_EQ(analyser.Channel(c)->FFTSize(), 256u);
        EXPECT_EQ(analyser.Channel(c)->ring, std::vector<float>(8192, 0.0f));
        EXPECT_EQ(analyser.Channel(c)->writeIndex, 0u);
    }
    EXPECT_EQ(analyser.Channel(3), nullptr);
    EXPECT_EQ(analyser.lines.size(), 8192u);
    EXPECT_EQ(analyser.fftSize, 256u);
    EXPECT_TRUE(analyser.lines[0].IsEmpty() && analyser.TakeLastLine().IsEmpty());
}

TEST(CSpectrumAnalyser, ChannelCountIsBoundedAndAFailedSetupLeavesNone)
{
    CSpectrumAnalyser analyser;
    ASSERT_TRUE(analyser.Setup(100000, 1, 1));
    EXPECT_EQ(analyser.ChannelCount(), CSpectrumAnalyser::kMaxChannels);
    ASSERT_TRUE(analyser.Setup(0, 1, 1));
    EXPECT_EQ(analyser.ChannelCount(), 0u);
    ASSERT_TRUE(analyser.Setup(2, 4, 4));
    EXPECT_FALSE(analyser.Setup(2, CFFT::kMaxOrder + 1, 13));
    EXPECT_EQ(analyser.ChannelCount(), 0u);
}

namespace {

// A stand-in for the dispatch queue that only counts its lock.
class CountingQueue : public LAsyncQueue {
public:
    void RequestDrain() override {}
    void PostSignal(LAsyncSignal*) override {}
    void UnregisterSignal(LAsyncSignal*) override {}
    void CancelSignal(LAsyncSignal*) override {}
    uint32_t NowMs() override { return 0; }
    plat::RunLoop* RunLoop() override { return nullptr; }
    void Lock() override { ++locks; }
    void Unlock() override { ++unlocks; }
    int locks = 0;
    int unlocks = 0;
};

} // namespace

TEST(CSpectrumAnalyser, FollowsTheDocumentsChannelsAndOrder)
{
    CFaderSetRecord doc;
    CSpectrumAnalyser analyser;
    ASSERT_TRUE(doc.AddObserver(&analyser, &CSpectrumAnalyser::OnDocumentChange));
    ResizeChannelRecords(doc.Root(), nullptr, 2);
    EXPECT_EQ(analyser.ChannelCount(), 2u);
    EXPECT_EQ(analyser.Channel(0)->FFTSize(), 256u);
    EXPECT_EQ(analyser.lines.size(), 8192u);

    analyser.Channel(1)->Push(1.0f);
    LObject::SetByte(doc.Common(), nullptr, kComnFtsx, 10, LObject::Merge::No);
    EXPECT_EQ(analyser.Channel(1)->FFTSize(), 1024u);
    EXPECT_EQ(analyser.Channel(1)->writeIndex, 0u) << "samples are discarded";

    LObject::SetByte(doc.Common(), nullptr, kComnFtsx, 255, LObject::Merge::No);
    EXPECT_EQ(analyser.Channel(0)->FFTSize(), 1u << CFFT::kMaxOrder) << "order kept in range";
    LObject::SetByte(doc.Common(), nullptr, kComnFtsx, 0, LObject::Merge::No);
    EXPECT_EQ(analyser.Channel(0)->FFTSize(), 2u);

    LObject::SetByte(doc.Common(), nullptr, kComnWnfc, 2, LObject::Merge::No);
    analyser.Channel(0)->Push(3.0f);
    LObject::SetFloat(doc.Common(), nullptr, kComnSrat, 50.0f, LObject::Merge::No);
    EXPECT_EQ(analyser.Channel(0)->writeIndex, 1u) << "other settings leave the analyser alone";
    doc.RemoveObserver(&analyser, &CSpectrumAnalyser::OnDocumentChange);
}

TEST(CSpectrumAnalyser, SetsUpUnderTheQueueLock)
{
    CFaderSetRecord doc;
    CSpectrumAnalyser analyser;
    CountingQueue queue;
    analyser.SetQueue(&queue);
    ASSERT_TRUE(doc.AddObserver(&analyser, &CSpectrumAnalyser::OnDocumentChange));
    ResizeChannelRecords(doc.Root(), nullptr, 3);
    EXPECT_EQ(queue.locks, 3) << "one set-up per inserted channel record";
    EXPECT_EQ(queue.unlocks, queue.locks);
    EXPECT_EQ(analyser.ChannelCount(), 3u);
    doc.RemoveObserver(&analyser, &CSpectrumAnalyser::OnDocumentChange);
}
