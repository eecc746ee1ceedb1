#pragma once
#include "sources/audio/CAudioInHolder.h"
#include "sources/audio/CPcmConverter.h"
#include "sources/audio/CRingBuffer.h"
#include "sources/CSampleSrc.h"
#include "sources/audio/CSampleFormat.h"

#include <memory>

class CWavSaverA;
class LAsyncQueue;

// The computer's sound input as a source of two channels, -1.0 .. 1.0, which it can record
// as a WAV file while the window reads on.
class CSoundInSrc : public CSampleSrc {
public:
    static constexpr uint32_t kRingLog2 = 18;

    CSoundInSrc(LHandler* parent, LAsyncQueue* queue);
    ~CSoundInSrc() override;

    // Opens the default input with the requested format (44.1 kHz, two 16-bit channels) and
    // starts it; the input's failure code, or 0.
    [[nodiscard]] int32_t Open();
    // Why the last Open failed: the device and the reason.
    const std::string& OpenFailure() const { return fHolder.OpenFailure(); }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    int32_t Read(float* frame, uint32_t max) override;
    bool IsRecording() const override { return fWriter != nullptr; }
    bool CanRecord() const override { return true; }
    const char* RecordExtension() const override { return "wav"; }
    int32_t StartRecording(const char* path, float seconds) override;
    void StopRecording() override;
    bool RecordFailed() const override;
    uint32_t RecordFileType() const override { return 0x57415645; }   // 'WAVE'
    uint32_t SampleRate() const override { return fFormat.rate; }
    float FcRatio() const override { return 0.5f; }
    LStringRef TypeName() const override { return LStringRef("generic_sound"); }
    bool IsAudioInput() const override { return true; }
    float PositionSeconds() const override;
    int32_t Open(const char*) override { return 1; }
    void Close() override;

    const CSampleFormat& Format() const { return fFormat; }
    CAudioInHolder& Holder() { return fHolder; }

private:
    static void OnAudioData(void* context, const uint8_t* data, uint32_t count);
    void TakeAudio(const uint8_t* data, uint32_t count);

    LAsyncQueue* fQueue;
    CAudioInHolder fHolder;
    CSampleFormat fFormat{44100, 2, 16, 1, 0};
    std::unique_ptr<uint8_t[]> fRingData;
    CRingBuffer fRing;
    CPcmConverter fChannel0;
    CPcmConverter fChannel1;
    uint32_t fFrameLimit = 0;
    uint32_t fFramesRecorded = 0;
    uint32_t fStartMs = 0;
    std::unique_ptr<CWavSaverA> fWriter;
};
