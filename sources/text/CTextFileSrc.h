#pragma once
#include "foundation/async/LAsyncEvent.h"
#include "foundation/async/LAsyncTimer.h"
#include "sources/text/CTextSampleSrc.h"

#include <cstdint>
#include <memory>

class CBufferedForkStream;
class LAsyncQueue;

// Plays a raw-stream record file as if its device were still sending: the bytes go through
// the text parser and frames leave at the file's sample rate, paced by a timer on the async
// queue. Also reads unpaced (conversion, export), positions exactly, and knows the file's
// duration through a private twin that counts to the end on a thread of its own, so that a
// huge file never holds up the caller: the duration reads 0 until the twin reached the end,
// and follows the file as it grows. A file that is still being recorded can be played: at its
// end the source polls for more once a second, or, when it is the window's active source,
// starts again from the beginning after one second.
//
// Threads: Read runs where the window pulls (the queue's thread, or the main thread), always
// under the queue lock. The twin parses on its counting thread, which Close stops. Everything
// else runs on the main thread; the unpaced operations (ReadNext, SeekSeconds, the position
// operations) expect playback stopped.
class CTextFileSrc : public CTextSampleSrc {
public:
    static constexpr uint32_t kBufferSize = 16384;
    static constexpr uint32_t kLoopPauseMs = 1000; // pause before a loop and between polls
    // The header's settings are looked for in this many bytes before the first frame at most.
    static constexpr uint64_t kHeaderBytes = 1u << 20;

    enum class Twin : uint8_t { No, Yes };

    // The queue must outlive the source.
    CTextFileSrc(LHandler* parent, LAsyncQueue* queue, Twin twin = Twin::No);
    ~CTextFileSrc() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;

    int32_t Read(float frame[], uint32_t max) override;
    int32_t ReadNext(float frame[], uint32_t max) override;
    // The path is a file location or a POSIX path; null opens nothing.
    int32_t Open(const char* path) override;
    void Close() override;
    void Play() override;
    void Stop() override;
    bool IsPlaying() const override { return fPlaying; }
    void SetActive(bool active) override { fActive = active; }
    void SeekSeconds(bool exact, float seconds) override;
    // The whole file's duration as far as the counting thread got to its end; 0 before.
    float DurationSeconds() const override;
    // Whether the counting thread has reached the end of the file once.
    bool DurationKnown() const;
    void GetPositionFrames(CSourcePosition& position) const override;
    void SeekFrames(const CSourcePosition& position) override;

    bool IsOpen() const { return fReader != nullptr; }
    LStringRef Path() const { return fPath; }

private:
    enum class Parsed : uint8_t { Frame, Event, UsedUp };
    struct DurationCount;

    // Makes the twin on the same file and starts its counting thread.
    void StartDurationCount(std::unique_ptr<CBufferedForkStream> reader);
    // The counting thread's body: parses the twin to the end, publishes its duration and
    // looks for growth once a second, until asked to stop.
    static void CountDuration(DurationCount& count);

    // Parses the buffer up to the next frame or event; `count` gets the frame's values.
    Parsed ParseBuffer(float frame[], uint32_t max, int32_t& count);
    // Parses up to the next frame (its value count) or event (-1), reading on from the file
    // whenever the buffer is used up; 0 at the end of the file.
    int32_t ParseStep(float frame[], uint32_t max);
    // Reads the next bytes of the file into the buffer; false at the end of the file.
    bool FillBuffer();
    // Back to the start of the file with a fresh parser.
    void Rewind();
    int32_t ReleaseDueSample(float frame[], uint32_t max);
    void ScheduleNextSample();
    // The refill note: more bytes, a loop restart, or a poll for growth.
    void Refill();
    void RestartLoop();
    void SkipHeader();
    void PauseTimer();
    // File offset of the next byte the parser has not seen.
    uint64_t ParseOffset() const;

    LAsyncQueue* fQueue;
    LAsyncEvent fRefill;
    LAsyncTimer fTimer;
    uint32_t fDue = 0;           // queue clock time up to which samples are accounted
    uint64_t fAccumulator = 0;   // thousandths of a sample due
    LStringRef fPath;
    std::unique_ptr<CBufferedForkStream> fReader;
    uint32_t fBufferPos = 0;
    uint32_t fBufferLength = 0;
    bool fActive = false;
    bool fPlaying = false;
    const bool fIsTwin;
    // Repeats of the current frame that a precise seek took back from the sample count;
    // repeats standing for lost samples ("ov") were counted when they were announced.
    uint32_t fRepeatsToCount = 0;
    uint64_t fParseLimit = UINT64_MAX;   // ParseStep reads no buffer beyond this offset
    std::unique_ptr<DurationCount> fCount;
    uint8_t fBuffer[kBufferSize];
};
