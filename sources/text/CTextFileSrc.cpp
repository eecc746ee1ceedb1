#include "sources/text/CTextFileSrc.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/async/LTicks.h"
#include "foundation/core/StrEqual.h"
#include "foundation/streams/CBufferedForkStream.h"
#include "platform/threads/Condition.h"
#include "platform/threads/Mutex.h"
#include "platform/threads/Thread.h"

#include <algorithm>
#include <atomic>
#include <cmath>

// The private twin and the thread that counts it to the end. Only that thread touches the
// twin once it runs; the duration is published through the atomics.
struct CTextFileSrc::DurationCount {
    explicit DurationCount(std::unique_ptr<CTextFileSrc> counted) : twin(std::move(counted)) {}
    ~DurationCount()
    {
        {
            plat::ScopedLock lock(mutex);
            thread.RequestStop();
            wake.Signal();
        }
        thread.Join();
    }

    std::unique_ptr<CTextFileSrc> twin;
    plat::Mutex mutex;
    plat::Condition wake;
    std::atomic<float> seconds{0.0f};
    std::atomic<bool> known{false};
    plat::Thread thread;
};

CTextFileSrc::CTextFileSrc(LHandler* parent, LAsyncQueue* queue, Twin twin)
    : CTextSampleSrc(parent), fQueue(queue), fRefill(this, queue), fTimer(this, queue), fIsTwin(twin == Twin::Yes)
{
}

CTextFileSrc::~CTextFileSrc() { Close(); }

void CTextFileSrc::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fTimer && StrEqual(msg.type, LAsyncTimer::msgExpire)) {
        MakeDataMessage(result);
        return;
    }
    if (msg.subject == &fRefill && StrEqual(msg.type, LAsyncEvent::msgNote)) {
        Refill();
        LMessage::Clear(result);
        return;
    }
    CTextSampleSrc::HandleMessage(result, msg);
}

int32_t CTextFileSrc::Open(const char* path)
{
    Close();
    if (!path)
        return LStream::kOpenFailed;
    auto reader = std::make_unique<CBufferedForkStream>(path, LStream::kReadOnly);
    if (reader->Error() != LStream::kNoError)
        return int32_t(reader->Error());
    {
        LAsyncQueueLock lock(*fQueue);
        fPath = LStringRef(path);
        fReader = std::move(reader);
        Rewind();
        // Type, rate and Fc ratio are known from the start, and the first frame leaves one
        // sample period after Play.
        SkipHeader();
    }
    if (!fIsTwin) {
        auto twinReader = std::make_unique<CBufferedForkStream>(path, LStream::kReadOnly);
        if (twinReader->Error() == LStream::kNoError)
            StartDurationCount(std::move(twinReader));
    }
    return 0;
}

void CTextFileSrc::StartDurationCount(std::unique_ptr<CBufferedForkStream> reader)
{
    auto twin = std::make_unique<CTextFileSrc>(Parent(), fQueue, Twin::Yes);
    twin->fPath = fPath;
    twin->fReader = std::move(reader);
    twin->Rewind();
    auto count = std::make_unique<DurationCount>(std::move(twin));
    DurationCount& counting = *count;
    if (count->thread.Start([&counting] { CountDuration(counting); }))
        fCount = std::move(count);
}

void CTextFileSrc::CountDuration(DurationCount& count)
{
    CTextFileSrc& twin = *count.twin;
    float frame[kMaxChannels];
    while (!count.thread.StopRequested()) {
        int32_t values = 0;
        if (twin.ParseBuffer(frame, kMaxChannels, values) != Parsed::UsedUp || twin.FillBuffer())
            continue;
        count.seconds.store(twin.PositionSeconds(), std::memory_order_release);
        count.known.store(true, std::memory_order_release);
        plat::ScopedLock lock(count.mutex);
        if (!count.thread.StopRequested())
            (void)count.wake.WaitForMs(count.mutex, kLoopPauseMs);
    }
}

void CTextFileSrc::Close()
{
    std::unique_ptr<CBufferedForkStream> reader;
    {
        LAsyncQueueLock lock(*fQueue);
        reader = std::move(fReader);
        fTimer.Stop();
        fPlaying = false;
    }
    fRefill.Cancel();
    reader.reset();
    RestartPosition();
    fCount.reset();
}

void CTextFileSrc::Play()
{
    LAsyncQueueLock lock(*fQueue);
    if (!fReader)
        return;
    fDue = fQueue->NowMs();
    fTimer.Start(1);
    fPlaying = true;
}

void CTextFileSrc::Stop()
{
    {
        LAsyncQueueLock lock(*fQueue);
        fPlaying = false;
        fTimer.Stop();
    }
    fRefill.Cancel();
}

uint64_t CTextFileSrc::ParseOffset() const { return fReader->position - fBufferLength + fBufferPos; }

CTextFileSrc::Parsed CTextFileSrc::ParseBuffer(float frame[], uint32_t max, int32_t& count)
{
    while (fBufferPos < fBufferLength) {
        const int32_t r = ParseChar(fBuffer[fBufferPos++]);
        if (r == kParsedFrame) {
            count = ScaleFrame(frame, max);
            return Parsed::Frame;
        }
        if (r == kParsedEvent)
            return Parsed::Event;
    }
    return Parsed::UsedUp;
}

bool CTextFileSrc::FillBuffer()
{
    uint64_t got = kBufferSize;
    fReader->Read(fBuffer, &got);
    fBufferPos = 0;
    fBufferLength = uint32_t(got);
    return got > 0;
}

int32_t CTextFileSrc::ParseStep(float frame[], uint32_t max)
{
    for (;;) {
        int32_t count = 0;
        const Parsed parsed = ParseBuffer(frame, max, count);
        if (parsed == Parsed::Frame)
            return count;
        if (parsed == Parsed::Event)
            return -1;
        if (ParseOffset() >= fParseLimit || !FillBuffer())
            return 0;
    }
}

void CTextFileSrc::Rewind()
{
    fReader->SetPosition(0);
    Reset();
    fBufferPos = fBufferLength = 0;
    fAccumulator = 0;
    fRepeatsToCount = 0;
}

int32_t CTextFileSrc::Read(float frame[], uint32_t max)
{
    if (!fPlaying || !fReader)
        return 0;
    const uint32_t now = fQueue->NowMs();
    while (LTicks::Diff(now, fDue) > 0) {
        if (fAccumulator >= 1000)
            return ReleaseDueSample(frame, max);
        ++fDue;
        fAccumulator += SampleRate();
    }
    ScheduleNextSample();
    return 0;
}

int32_t CTextFileSrc::ReleaseDueSample(float frame[], uint32_t max)
{
    int32_t count = 0;
    const Parsed parsed = ParseBuffer(frame, max, count);
    if (fBufferPos >= fBufferLength)
        fRefill.Post();
    if (parsed == Parsed::Event) {
        // The sample is still due: whoever stops reading at this event gets another data
        // message at once, so playback never waits for a reader that went away.
        fTimer.Start(0);
        return -1;
    }
    if (parsed == Parsed::UsedUp)
        return 0;
    fAccumulator -= 1000;
    return count;
}

void CTextFileSrc::ScheduleNextSample()
{
    uint64_t delay = 1;
    if (fAccumulator < 1000) {
        const uint64_t rate = SampleRate();
        delay = std::max<uint64_t>(1, (1000 - fAccumulator + rate - 1) / rate);
    }
    fTimer.Start(uint32_t(delay));
}

void CTextFileSrc::Refill()
{
    {
        LAsyncQueueLock lock(*fQueue);
        if (!fReader)
            return;
        // Bytes still unparsed (a seek or an unpaced read filled the buffer meanwhile).
        if (fBufferPos < fBufferLength) {
            fTimer.Start(0);
            return;
        }
    }
    // The parser never touches a used-up buffer, so the file is read without the lock.
    uint64_t got = kBufferSize;
    fReader->Read(fBuffer, &got);
    if (got > 0) {
        LAsyncQueueLock lock(*fQueue);
        fBufferLength = uint32_t(got);
        fBufferPos = 0;
        fTimer.Start(0);
        return;
    }
    if (fActive) {
        RestartLoop();
        return;
    }
    LAsyncQueueLock lock(*fQueue);
    PauseTimer();
}

void CTextFileSrc::RestartLoop()
{
    LAsyncQueueLock lock(*fQueue);
    Rewind();
    SkipHeader();
    fTimer.Stop();
    PauseTimer();
}

void CTextFileSrc::SkipHeader()
{
    // Parse up to the first frame or text, so that the header's settings hold, and go back
    // to just before it: texts at the start are played like the rest. A file without a frame
    // near its start (one endless line) is not read to its end here.
    CSourcePosition beforeFrame;
    float frame[kMaxChannels];
    int32_t r = 0;
    fParseLimit = kHeaderBytes;
    do {
        GetPositionFrames(beforeFrame);
        r = ReadNext(frame, kMaxChannels);
    } while (r < 0 && TakeText().IsEmpty());
    fParseLimit = UINT64_MAX;
    SeekFrames(beforeFrame);
}

void CTextFileSrc::PauseTimer()
{
    fAccumulator = 0;
    fDue = fQueue->NowMs() + kLoopPauseMs;
    fTimer.Start(kLoopPauseMs);
}

int32_t CTextFileSrc::ReadNext(float frame[], uint32_t max)
{
    if (!fReader)
        return 0;
    const uint32_t repeats = OverflowCount();
    if (repeats != 0) {
        SetOverflowCount(repeats - 1);
        if (fRepeatsToCount > 0) {
            --fRepeatsToCount;
            CountSample();
        }
        return ScaleFrame(frame, max);
    }
    fRepeatsToCount = 0;
    return ParseStep(frame, max);
}

void CTextFileSrc::SeekSeconds(bool exact, float seconds)
{
    if (!fReader)
        return;
    Stop();
    if (PositionSeconds() > seconds)
        Rewind();
    float frame[kMaxChannels];
    while (PositionSeconds() < seconds) {
        if (exact)
            SetOverflowCount(0);
        if (ParseStep(frame, kMaxChannels) == 0)
            break;
    }
    fRepeatsToCount = 0;
    if (!exact)
        return;
    const float position = PositionSeconds();
    if (!(position > seconds)) {
        SetOverflowCount(0);
        return;
    }
    const double behind = std::floor((double(position) - double(seconds)) * double(SampleRate()));
    const uint32_t k = behind >= double(UINT32_MAX) ? UINT32_MAX : uint32_t(behind);
    SetSampleCount(SampleCount() > k ? SampleCount() - k : 0);
    SetOverflowCount(k);
    fRepeatsToCount = k;
}

float CTextFileSrc::DurationSeconds() const
{
    if (!fCount)
        return PositionSeconds();
    return DurationKnown() ? fCount->seconds.load(std::memory_order_acquire) : 0.0f;
}

bool CTextFileSrc::DurationKnown() const
{
    return fCount && fCount->known.load(std::memory_order_acquire);
}

void CTextFileSrc::GetPositionFrames(CSourcePosition& position) const
{
    if (!fReader)
        return;
    position.offset = ParseOffset();
    SavePosition(position);
}

void CTextFileSrc::SeekFrames(const CSourcePosition& position)
{
    if (!fReader)
        return;
    // The pending token's bytes lie just before the position: read them back.
    char token[CTextProtocol::kMaxToken];
    uint64_t got = 0;
    const CTextParseState& parse = position.parse;
    if (parse.tokenLength > 0 && parse.tokenLength <= sizeof token && parse.tokenSpan <= position.offset) {
        fReader->SetPosition(position.offset - parse.tokenSpan);
        got = parse.tokenLength;
        fReader->Read(token, &got);
    }
    fReader->SetPosition(position.offset);
    fBufferPos = fBufferLength = 0;
    fRepeatsToCount = 0;
    RestorePosition(position, std::string_view(token, size_t(got)));
}
