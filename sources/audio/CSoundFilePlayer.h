#pragma once
#include "platform/audio/AudioOutput.h"
#include "platform/soundfile/SoundFile.h"
#include "shell/CThread.h"
#include "shell/LMainSignal.h"
#include "sources/audio/CAudioFilePlayer.h"
#include "sources/audio/CRingBuffer.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

// Plays any common sound file, read as 16-bit stereo at its own rate, through the default
// output. A reader thread keeps a 64 KiB ring filled; the output takes blocks from the ring
// in place and the tap sees each of them. The end notice arrives on the run loop of the
// thread that made the player, once, after the last block was played.
class CSoundFilePlayer : public CAudioFilePlayer {
public:
    static constexpr uint32_t kRingLog2 = 16;

    CSoundFilePlayer();
    ~CSoundFilePlayer() override;

    uint32_t ClientRate() const override { return fClientRate; }
    uint32_t SampleRate() const override { return format.rate; }
    float PositionSeconds() const override;
    float DurationSeconds() const override;
    uint64_t PositionFrames() const override { return fPosition.load(); }
    const std::string& FileSpec() const override { return fSpec; }
    [[nodiscard]] int Open(const std::string& fileSpec) override;
    void Close() override;
    void Start() override;
    void Stop() override;
    void SeekSeconds(float seconds) override;
    void SeekToEnd() override;
    void SeekFrames(uint64_t frames) override;
    [[nodiscard]] bool ReadFrame(void* consumer, FrameFunction function) override;

    uint64_t FrameCount() const { return fFrameCount; }
    // Bytes waiting in the ring.
    uint32_t BufferedBytes() const { return fRing.Fill(); }

private:
    static void ReaderEntry(void* self);
    void ReaderThread();
    bool Render(plat::AudioBlock& block, uint32_t frames);
    void ResetRing();
    void WakeReader();

    LMainSignal fEndSignal;
    plat::SoundFile fFile;
    plat::AudioOutput fUnit;
    std::string fSpec;
    uint32_t fClientRate = 0;
    float fRateRatio = 1.0f;
    uint64_t fFrameCount = 0;
    std::atomic<uint64_t> fPosition{0};
    uint32_t fCarried = 0;
    std::atomic<bool> fOpen{false};
    std::atomic<bool> fRunning{false};
    std::atomic<bool> fDelivering{false};
    std::atomic<bool> fReaderAtEnd{false};
    CThread fReader;
    // The reader holds it while it reads the file into the ring; seeks and Close take it to
    // hand the file and the ring over.
    std::mutex fFileMutex;
    std::condition_variable fWake;
    bool fWakeRequested = false;
    CRingBuffer fRing;
    uint8_t fRingData[1u << kRingLog2] = {};
};
