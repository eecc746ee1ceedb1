#include "platform/audio/PacedStream.h"

#include "platform/Clock.h"
#include "platform/audio/AudioFormat.h"
#include "platform/audio/ManualAudioDriver.h"

#include <algorithm>

namespace plat {

namespace {

constexpr uint64_t kThreadPeriodUs = 5000;

} // namespace

PacedStream::~PacedStream()
{
    StopPacing();
}

bool PacedStream::StartPacing()
{
    if (IsPacing())
        return true;
    fStop.store(false, std::memory_order_release);
    fFramesDone = 0;
    if (ManualAudioDriver* driver = ManualAudioDriver::Current()) {
        fStartUs = driver->NowUs();
        fOnDriver = true;
        fPacing.store(true, std::memory_order_release);
        driver->Register(this);
        return true;
    }
    fOnDriver = false;
    fStartUs = NowUs();
    fPacing.store(true, std::memory_order_release);
    try {
        fThread = std::thread([this] { ThreadBody(); });
    } catch (...) {
        fPacing.store(false, std::memory_order_release);
        return false;
    }
    return true;
}

void PacedStream::StopPacing()
{
    if (!IsPacing())
        return;
    fStop.store(true, std::memory_order_release);
    if (fOnDriver) {
        if (ManualAudioDriver* driver = ManualAudioDriver::Current())
            driver->Unregister(this);
    } else if (fThread.joinable()) {
        if (fThread.get_id() == std::this_thread::get_id()) {
            fThread.detach();   // asked from inside RunFrames: the body ends when RunFrames returns
        } else {
            fThread.join();
        }
    }
    fPacing.store(false, std::memory_order_release);
}

void PacedStream::Pump(uint64_t nowUs)
{
    const uint32_t rate = Rate();
    if (rate == 0 || nowUs < fStartUs)
        return;
    const uint64_t dueTotal = (nowUs - fStartUs) * rate / 1000000;
    uint64_t due = dueTotal > fFramesDone ? dueTotal - fFramesDone : 0;
    if (!fOnDriver && due > rate) {
        // A thread that was held up drops what it missed, as a device would.
        fFramesDone += due - rate;
        due = rate;
    }
    while (due > 0 && !fStop.load(std::memory_order_acquire)) {
        const uint32_t slice = uint32_t(std::min<uint64_t>(due, kMaxFramesPerSlice));
        fFramesDone += slice;
        due -= slice;
        RunFrames(slice);
    }
}

void PacedStream::ThreadBody()
{
    while (!fStop.load(std::memory_order_acquire)) {
        Pump(NowUs());
        SleepUs(kThreadPeriodUs);
    }
}

} // namespace plat
