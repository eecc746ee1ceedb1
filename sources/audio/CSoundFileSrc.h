#pragma once
#include "foundation/async/LAsyncSignal.h"
#include "foundation/async/LAsyncTimer.h"
#include "sources/audio/CAudioFilePlayer.h"
#include "sources/audio/CPcmConverter.h"
#include "sources/audio/CRingBuffer.h"
#include "sources/CSampleSrc.h"
#include "ui/LTimer.h"

#include <atomic>
#include <memory>

class LAsyncQueue;

// A sound file as a source: a player sounds it through the output and hands every played
// block to the source, which releases the frames to the window in 25 ms blocks. The active,
// playing source starts again from the top one second after the end of the file.
class CSoundFileSrc : public CSampleSrc {
public:
    static constexpr uint32_t kRingLog2 = 17;
    static constexpr uint32_t kBlockMs = 25;
    static constexpr uint32_t kLoopDelayMs = 1000;

    CSoundFileSrc(LHandler* parent, LAsyncQueue* queue);
    ~CSoundFileSrc() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    int32_t Read(float* frame, uint32_t max) override;
    uint32_t SampleRate() const override;
    float FcRatio() const override { return 0.5f; }
    LStringRef TypeName() const override { return LStringRef("generic_sound"); }
    float PositionSeconds() const override;
    bool IsPlaying() const override { return fPlaying.load(); }
    // Opens a file (a file location or a path): 0 success, 1 failure.
    int32_t Open(const char* path) override;
    void Close() override;
    void Play() override;
    void Stop() override;
    void SetActive(bool active) override { fActive = active; }
    void SeekSeconds(bool exact, float seconds) override;
    float DurationSeconds() const override;
    int32_t ReadNext(float* frame, uint32_t max) override;
    void GetPositionFrames(CSourcePosition& position) const override;
    void SeekFrames(const CSourcePosition& position) override;

    CAudioFilePlayer* Player() const { return fPlayer.get(); }
    // Whether the file is played by the system's own WAV reader (a recording in progress).
    bool UsesWavReader() const { return fUsesWavReader; }

private:
    static void Tap(void* context, const uint8_t* bytes, uint32_t count);
    static void EndNotice(void* context, int flag);
    void TakeBlock(const uint8_t* bytes, uint32_t count);
    int32_t Deliver(const uint8_t* pair, float* frame, uint32_t max) const;
    void SendData();

    LAsyncQueue* fQueue;
    LAsyncTimer fBlockTimer;
    LAsyncSignal fDataSignal;
    LTimer fEndTimer;
    std::unique_ptr<CAudioFilePlayer> fPlayer;
    CPcmConverter fChannel0;
    CPcmConverter fChannel1;
    bool fActive = false;
    std::atomic<bool> fPlaying{false};
    bool fUsesWavReader = false;
    uint32_t fAllowance = 0;
    std::atomic<uint32_t> fFramesInRing{0};
    uint32_t fBlockFrames = 0;
    CRingBuffer fRing;
    std::unique_ptr<uint8_t[]> fRingData;
};
