#pragma once
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace plat {

class PacedStream;

// Test driver of the audio layer. While one is installed (for its lifetime), simulated inputs
// and null outputs do not run on their own threads: they run when the test advances the
// driver's clock, on the test's thread, so that a test decides exactly how many frames pass.
// The default input device becomes `DefaultInput()` ("sim:tone" unless set) and the default
// output the null output, whose played bytes the driver keeps for the test to read.
class ManualAudioDriver {
public:
    ManualAudioDriver();
    ~ManualAudioDriver();
    ManualAudioDriver(const ManualAudioDriver&) = delete;
    ManualAudioDriver& operator=(const ManualAudioDriver&) = delete;

    // The installed driver, or null.
    static ManualAudioDriver* Current();

    // Moves the driver's clock on and runs every started stream for the frames due, in slices.
    void AdvanceMs(uint32_t ms);
    void AdvanceUs(uint64_t us);
    uint64_t NowUs() const;

    void SetDefaultInput(const std::string& name);
    std::string DefaultInput() const;

    // What null outputs played: total frames handed to them with data, and the bytes (kept up
    // to a bound so that a long run cannot exhaust memory).
    uint64_t FramesPlayed() const;
    std::vector<uint8_t> TakePlayedBytes();
    size_t StreamCount() const;

    // Used by the streams.
    void Register(PacedStream* stream);
    void Unregister(PacedStream* stream);
    void NotePlayed(const uint8_t* bytes, uint32_t count, uint32_t frames);

private:
    bool IsRegistered(PacedStream* stream) const;

    mutable std::recursive_mutex fMutex;
    std::vector<PacedStream*> fStreams;
    uint64_t fNowUs = 0;
    std::string fDefaultInput = "sim:tone";
    uint64_t fFramesPlayed = 0;
    std::vector<uint8_t> fPlayed;
};

} // namespace plat
