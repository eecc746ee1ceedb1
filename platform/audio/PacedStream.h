#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

namespace plat {

// A stream without hardware behind it (a simulated input, the null output) whose frames fall
// due with time. Started, it runs RunFrames for the frames due, in slices of at most
// kMaxFramesPerSlice: on a thread of its own that follows the process clock, or, while a
// ManualAudioDriver is installed, on the thread that advances that driver.
class PacedStream {
public:
    virtual ~PacedStream();
    PacedStream(const PacedStream&) = delete;
    PacedStream& operator=(const PacedStream&) = delete;

    // Frames per second of the stream.
    virtual uint32_t Rate() const = 0;
    // Produces or consumes `frames` frames.
    virtual void RunFrames(uint32_t frames) = 0;

    [[nodiscard]] bool StartPacing();
    // Stops pacing; once it returns, RunFrames is not running and will not run again (unless
    // called from RunFrames itself, which only ends the pacing).
    void StopPacing();
    bool IsPacing() const { return fPacing.load(std::memory_order_acquire); }

    // Runs the frames due at `nowUs` (microseconds of the pacing clock).
    void Pump(uint64_t nowUs);

protected:
    PacedStream() = default;

private:
    void ThreadBody();

    std::atomic<bool> fPacing{false};
    std::atomic<bool> fStop{false};
    uint64_t fStartUs = 0;
    uint64_t fFramesDone = 0;
    std::thread fThread;
    bool fOnDriver = false;
};

} // namespace plat
