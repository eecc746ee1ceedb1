#pragma once
#include "foundation/core/LHandler.h"
#include "outputs/CSoundOut.h"
#include "shell/LMainSignal.h"
#include "sources/audio/CAudioFilePlayer.h"
#include "foundation/files/CMacAsyncPB.h"
#include "sources/audio/CRingBuffer.h"

#include <atomic>
#include <memory>
#include <vector>

class LAsyncQueue;
class LAsyncSignal;

// Plays a WAV file of 8 to 16-bit PCM through the default output, reading its data chunk in
// the background into a 64 KiB ring. It also plays a recording still being written: sizes
// come from the file's current length and playback goes on as the file grows. Once the
// recorder has written the data chunk's size the file is complete: the end notice arrives on
// the run loop of the thread that made the reader, once, after the last block was played.
class CWavFileReader : public CAudioFilePlayer, public LHandler {
public:
    static constexpr uint32_t kRingLog2 = 16;

    explicit CWavFileReader(LAsyncQueue* queue);
    ~CWavFileReader() override;

    uint32_t ClientRate() const override { return format.rate; }
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

    void HandleMessage(LMessage& result, const LMessage& msg) override;

    uint64_t FrameCount() const { return fFrameCount.load(); }
    // Whether the file is a recording still being written.
    bool Growing() const { return fGrowing.load(); }
    uint32_t BytesPerFrame() const { return fBytesPerFrame; }
    uint64_t DataStart() const { return fDataStart; }

private:
    // The frames of the data chunk: for a recording still being written, as many as the file
    // holds now, else as many as it held at opening.
    uint64_t FramesHeld() const;
    bool ParseFile();
    bool TakeFormat(class CRiffChunk& chunk);
    void CheckFinished();
    void Reposition(uint64_t frames);
    void RequestRead();
    static void ReadDone(void* context, CMacAsyncPB::Request* request);
    static bool FillEntry(void* context, CSoundOut* player, CSoundOut::Request& request, uint32_t byteCount);
    bool Fill(CSoundOut* player, CSoundOut::Request& request, uint32_t byteCount);

    LMainSignal fEndSignal;
    std::unique_ptr<LAsyncSignal> fSignal;
    std::unique_ptr<CMacAsyncPB> fFile;
    CMacAsyncPB::Request fRequest;
    CSoundOut fPlayer;
    std::string fSpec;
    uint64_t fDataStart = 0;
    uint64_t fDataBytes = 0;
    uint64_t fNextRead = 0;
    std::atomic<uint64_t> fFrameCount{0};
    std::atomic<bool> fGrowing{false};
    std::atomic<uint64_t> fPosition{0};
    std::atomic<bool> fDelivering{false};
    uint32_t fBytesPerFrame = 0;
    uint32_t fCarried = 0;
    bool fReading = false;
    uint32_t fGeneration = 0;   // seeks make reads started before them stale
    uint32_t fReadGeneration = 0;
    bool fOpen = false;
    std::vector<uint8_t> fBounce;
    CRingBuffer fRing;
    uint8_t fRingData[1u << kRingLog2] = {};
};
