#include "sources/audio/CSoundFilePlayer.h"

#include "platform/files/FileSpecText.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

constexpr uint32_t kFrameBytes = 4;   // 16-bit stereo
constexpr auto kReaderPeriod = std::chrono::milliseconds(50);

} // namespace

CSoundFilePlayer::CSoundFilePlayer()
{
    format = CSampleFormat(44100, 2, 16, 1, 0);
    fRing.Init(fRingData, kRingLog2);
    fEndSignal.Init(static_cast<CAudioFilePlayer*>(this), CallEndNotice);
}

CSoundFilePlayer::~CSoundFilePlayer()
{
    Close();
}

float CSoundFilePlayer::PositionSeconds() const
{
    return fOpen.load() && format.rate ? float(double(fPosition.load()) / format.rate) : 0.0f;
}

float CSoundFilePlayer::DurationSeconds() const
{
    return format.rate ? float(double(fFrameCount) * (1.0 / format.rate)) : 0.0f;
}

int CSoundFilePlayer::Open(const std::string& fileSpec)
{
    if (fOpen.load())
        return 1;
    const std::string path = plat::PosixPathFromSpec(fileSpec);
    if (path.empty() || !fFile.Open(path))
        return 1;
    fClientRate = fFile.Rate();
    fRateRatio = 1.0f;
    plat::AudioFormat client{fClientRate, 2, 16, true, false};
    if (!fUnit.Open("", client, [this](plat::AudioBlock& block, uint32_t frames) { return Render(block, frames); })) {
        fFile.Close();
        return 1;
    }
    fFrameCount = uint64_t(std::max<int64_t>(0, fFile.FrameCount()));
    format = CSampleFormat(fClientRate, 2, 16, 1, 0);
    ResetRing();
    fPosition.store(0);
    fRunning.store(false);
    fDelivering.store(false);
    fSpec = fileSpec;
    fOpen.store(true);
    if (!fReader.Start(this, ReaderEntry)) {
        Close();
        return 1;
    }
    return 0;
}

// The reader is joined before the file goes, so it never reads a closed file.
void CSoundFilePlayer::Close()
{
    Stop();
    if (!fOpen.exchange(false))
        return;
    WakeReader();
    fReader.Stop();
    fUnit.Close();
    fFile.Close();
}

// A start counts as delivering: started at the end of the file, the player reports the end
// again.
void CSoundFilePlayer::Start()
{
    if (!fUnit.IsOpen())
        return;
    fDelivering.store(true);
    fRunning.store(true);
    WakeReader();
    (void)fUnit.Start();
}

void CSoundFilePlayer::Stop()
{
    fRunning.store(false);
    fUnit.Stop();
}

void CSoundFilePlayer::SeekSeconds(float seconds)
{
    SeekFrames(FramesOfSeconds(format.rate, seconds, false));
}

void CSoundFilePlayer::SeekFrames(uint64_t frames)
{
    Stop();
    std::lock_guard lock(fFileMutex);
    if (fOpen.load()) {
        const uint64_t position = std::min(fFrameCount, frames);
        fPosition.store(position);
        (void)fFile.Seek(int64_t(double(position) / fRateRatio));
    }
    ResetRing();
}

void CSoundFilePlayer::SeekToEnd()
{
    SeekFrames(fFrameCount);
}

bool CSoundFilePlayer::ReadFrame(void* consumer, FrameFunction function)
{
    if (!fOpen.load())
        return false;
    uint8_t frame[kFrameBytes];
    if (fRing.Fill() >= fCarried + kFrameBytes) {
        fRing.AdvanceRead(fCarried);
        fCarried = 0;
        fRing.Peek(frame, kFrameBytes);
        fRing.AdvanceRead(kFrameBytes);
        if (tapFunction)
            tapFunction(tapContext, frame, kFrameBytes);
    } else {
        std::lock_guard lock(fFileMutex);
        int16_t stereo[2];
        if (fFile.Read(stereo, 1) != 1)
            return false;
        std::memcpy(frame, stereo, kFrameBytes);
    }
    function(consumer, frame, kFrameBytes);
    fPosition.fetch_add(1);
    return true;
}

void CSoundFilePlayer::ResetRing()
{
    fReaderAtEnd.store(false);
    fRing.Reset();
    fCarried = 0;
}

void CSoundFilePlayer::WakeReader()
{
    {
        std::lock_guard lock(fFileMutex);
        fWakeRequested = true;
    }
    fWake.notify_all();
}

void CSoundFilePlayer::ReaderEntry(void* self)
{
    static_cast<CSoundFilePlayer*>(self)->ReaderThread();
}

void CSoundFilePlayer::ReaderThread()
{
    std::unique_lock lock(fFileMutex);
    while (fOpen.load()) {
        if (fRunning.load()) {
            const uint32_t free = fRing.Free();
            const CRingBuffer::Regions region = fRing.GetWriteRegions(free);
            const uint32_t frames = region.firstCount / kFrameBytes;
            if (frames > 0) {
                const int64_t got = fFile.Read(reinterpret_cast<int16_t*>(region.first), frames);
                if (got < 0)
                    return;
                if (got < int64_t(frames))
                    fReaderAtEnd.store(true);   // a short read is the end of the file
                fRing.AdvanceWrite(uint32_t(got) * kFrameBytes);
            }
        }
        fWake.wait_for(lock, kReaderPeriod, [this] { return fWakeRequested; });
        fWakeRequested = false;
    }
}

bool CSoundFilePlayer::Render(plat::AudioBlock& block, uint32_t frames)
{
    fRing.AdvanceRead(fCarried);
    fCarried = 0;
    const uint32_t m = std::min(fRing.Fill(), frames * kFrameBytes);
    const CRingBuffer::Regions region = fRing.GetReadRegions(m - m % kFrameBytes);
    if (region.firstCount >= kFrameBytes) {
        const uint32_t length = region.firstCount - region.firstCount % kFrameBytes;
        if (tapFunction)
            tapFunction(tapContext, region.first, length);
        fPosition.fetch_add(length / kFrameBytes);
        fCarried = length;
        block.data = region.first;
        block.bytes = length;
        fDelivering.store(true);
        return true;
    }
    // A ring run dry while the file still has data is a late reader, not the end.
    if (fReaderAtEnd.load() && fDelivering.exchange(false))
        fEndSignal.Signal();
    return false;
}
