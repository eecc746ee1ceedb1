#include "sources/audio/CSoundInSrc.h"
#include "foundation/core/StrEqual.h"
#include "platform/audio/AudioInput.h"
#include "shell/CAsyncLoopThread.h"
#include "tests/sources/SoundTestSupport.h"
#include "tests/support/SoundTools.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace {

// Counts the frames it pulls on the dispatch thread.
class CountingWindow : public LHandler {
public:
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (StrEqual(msg.type, CSampleSrc::msgData)) {
            float frame[8];
            while (source && source->Read(frame, 8) > 0)
                frames.fetch_add(1);
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    CSampleSrc* source = nullptr;
    std::atomic<int64_t> frames{0};
};

// The real road: the simulated input on its own clock-paced thread, the signal-dispatch
// thread draining the unit and the window pulling there, a recording written in the
// background, and recording and source stopped from the test's thread.
TEST(CSoundInSrc, RunsAndRecordsAcrossRealThreads)
{
    plat::AudioInput::SetDefaultName("sim:tone");
    CAsyncLoopThread queue([](CRunLoopSignal::Callback, void* context) {
        return std::make_unique<CRunLoopSignal>(CAsyncLoopThread::DrainCallback, context);
    });
    CountingWindow window;
    auto source = std::make_unique<CSoundInSrc>(&window, &queue);
    {
        LAsyncQueueLock lock(queue);
        window.source = source.get();
    }
    ASSERT_EQ(source->Open(), 0);
    const std::string path = TempSoundPath("threads.wav");
    ASSERT_EQ(source->StartRecording(path.c_str(), -1.0f), 0);
    window.frames = 0;   // from here on every frame read is also recorded
    EXPECT_TRUE(WaitFor([&] { return window.frames.load() >= 44100; }));
    source->StopRecording();
    {
        // The window drops its source under the queue lock, as it does between deliveries.
        LAsyncQueueLock lock(queue);
        window.source = nullptr;
        source.reset();
    }
    queue.Stop();
    plat::AudioInput::SetDefaultName("");
    EXPECT_EQ(RunSoxi("-c", path), "2");
    EXPECT_EQ(RunSoxi("-r", path), "44100");
    EXPECT_GE(std::stoll("0" + RunSoxi("-s", path)), 44100);
}

} // namespace
