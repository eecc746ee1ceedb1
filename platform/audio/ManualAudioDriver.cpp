#include "platform/audio/ManualAudioDriver.h"

#include "platform/audio/PacedStream.h"

#include <algorithm>
#include <atomic>

namespace plat {

namespace {

std::atomic<ManualAudioDriver*> gDriver{nullptr};
constexpr size_t kMaxPlayedBytes = 64u << 20;
constexpr uint64_t kStepUs = 1000;

} // namespace

ManualAudioDriver::ManualAudioDriver()
{
    gDriver.store(this, std::memory_order_release);
}

ManualAudioDriver::~ManualAudioDriver()
{
    ManualAudioDriver* self = this;
    gDriver.compare_exchange_strong(self, nullptr);
}

ManualAudioDriver* ManualAudioDriver::Current()
{
    return gDriver.load(std::memory_order_acquire);
}

void ManualAudioDriver::AdvanceMs(uint32_t ms)
{
    AdvanceUs(uint64_t(ms) * 1000);
}

// Time moves in 1 ms steps so that streams interleave as they would in real time.
void ManualAudioDriver::AdvanceUs(uint64_t us)
{
    std::lock_guard lock(fMutex);
    const uint64_t end = fNowUs + us;
    while (fNowUs < end) {
        fNowUs = std::min(end, fNowUs + kStepUs);
        const std::vector<PacedStream*> streams = fStreams;
        for (PacedStream* stream : streams) {
            if (IsRegistered(stream))
                stream->Pump(fNowUs);
        }
    }
}

uint64_t ManualAudioDriver::NowUs() const
{
    std::lock_guard lock(fMutex);
    return fNowUs;
}

void ManualAudioDriver::SetDefaultInput(const std::string& name)
{
    std::lock_guard lock(fMutex);
    fDefaultInput = name;
}

std::string ManualAudioDriver::DefaultInput() const
{
    std::lock_guard lock(fMutex);
    return fDefaultInput;
}

uint64_t ManualAudioDriver::FramesPlayed() const
{
    std::lock_guard lock(fMutex);
    return fFramesPlayed;
}

std::vector<uint8_t> ManualAudioDriver::TakePlayedBytes()
{
    std::lock_guard lock(fMutex);
    std::vector<uint8_t> played;
    played.swap(fPlayed);
    return played;
}

size_t ManualAudioDriver::StreamCount() const
{
    std::lock_guard lock(fMutex);
    return fStreams.size();
}

void ManualAudioDriver::Register(PacedStream* stream)
{
    std::lock_guard lock(fMutex);
    if (!IsRegistered(stream))
        fStreams.push_back(stream);
}

void ManualAudioDriver::Unregister(PacedStream* stream)
{
    std::lock_guard lock(fMutex);
    fStreams.erase(std::remove(fStreams.begin(), fStreams.end(), stream), fStreams.end());
}

void ManualAudioDriver::NotePlayed(const uint8_t* bytes, uint32_t count, uint32_t frames)
{
    std::lock_guard lock(fMutex);
    fFramesPlayed += frames;
    const size_t room = kMaxPlayedBytes - std::min(kMaxPlayedBytes, fPlayed.size());
    fPlayed.insert(fPlayed.end(), bytes, bytes + std::min<size_t>(count, room));
}

bool ManualAudioDriver::IsRegistered(PacedStream* stream) const
{
    return std::find(fStreams.begin(), fStreams.end(), stream) != fStreams.end();
}

} // namespace plat
