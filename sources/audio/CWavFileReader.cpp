#include "sources/audio/CWavFileReader.h"

#include "foundation/async/LAsyncSignal.h"
#include "foundation/core/StrEqual.h"
#include "foundation/streams/CForkRefStream.h"
#include "sources/audio/CRiffChunk.h"

#include <algorithm>

namespace {

constexpr int kMaxChunks = 4096;

uint32_t LE16(const uint8_t* b)
{
    return uint32_t(b[0]) | uint32_t(b[1]) << 8;
}

uint32_t LE32(const uint8_t* b)
{
    return LE16(b) | LE16(b + 2) << 16;
}

} // namespace

CWavFileReader::CWavFileReader(LAsyncQueue* queue)
    : LHandler(nullptr), fSignal(std::make_unique<LAsyncSignal>(this, queue)),
      fFile(std::make_unique<CMacAsyncPB>(queue))
{
    format = CSampleFormat(44100, 2, 16, 1, 0);
    fRing.Init(fRingData, kRingLog2);
    fPlayer.SetFill(this, FillEntry);
    fEndSignal.Init(static_cast<CAudioFilePlayer*>(this), CallEndNotice);
}

CWavFileReader::~CWavFileReader()
{
    Close();
    fFile.reset();
    fSignal.reset();
}

float CWavFileReader::PositionSeconds() const
{
    return fOpen && format.rate ? float(double(fPosition.load()) / format.rate) : 0.0f;
}

float CWavFileReader::DurationSeconds() const
{
    return format.rate ? float(double(FramesHeld()) * (1.0 / format.rate)) : 0.0f;
}

uint64_t CWavFileReader::FramesHeld() const
{
    if (!fGrowing.load() || !fOpen || fBytesPerFrame == 0)
        return fFrameCount.load();
    const uint64_t size = fFile->GetSize();
    return size > fDataStart ? (size - fDataStart) / fBytesPerFrame : 0;
}

int CWavFileReader::Open(const std::string& fileSpec)
{
    if (fOpen || fFile->Open(fileSpec, 0) != 0)
        return 1;
    if (!ParseFile()) {
        fFile->Close();
        return 1;
    }
    fFrameCount.store(fDataBytes / fBytesPerFrame);
    fPosition.store(0);
    fDelivering.store(false);
    fCarried = 0;
    fReading = false;
    fRing.Reset();
    fNextRead = fDataStart;
    ++fGeneration;
    (void)fPlayer.Open("", format);   // without an output the file still opens and plays nothing
    fSpec = fileSpec;
    fOpen = true;
    return 0;
}

// Walks the chunks of the RIFF form; both "fmt " and "data" must be there.
bool CWavFileReader::ParseFile()
{
    CForkRefStream stream(fFile.get(), LStream::kReadOnly);
    CRiffChunk riff;
    riff.Open(&stream);
    uint32_t form = 0;
    if (riff.Id() != RiffId("RIFF") || !riff.ReadFourCC(form))
        return false;
    const uint64_t fileSize = fFile->GetSize();
    bool haveFormat = false;
    bool haveData = false;
    fGrowing.store(false);
    for (int i = 0; i < kMaxChunks; ++i) {
        CRiffChunk chunk;
        chunk.OpenChild(riff);
        if (chunk.Id() == 0)
            break;
        if (chunk.Id() == RiffId("data")) {
            fDataStart = chunk.Start();
            fDataBytes = std::min(chunk.End(), fileSize) - std::min(chunk.Start(), fileSize);
            fGrowing.store(chunk.End() > fileSize);   // a recording still being written
            haveData = true;
        } else if (chunk.Id() == RiffId("fmt ")) {
            haveFormat = TakeFormat(chunk) || haveFormat;
        }
        chunk.SkipToNext();
    }
    return haveFormat && haveData && stream.Error() == 0;
}

// Accepts PCM of 1 to 255 channels at a rate above 0 with 8 to 16 bits per sample.
bool CWavFileReader::TakeFormat(CRiffChunk& chunk)
{
    uint8_t fmt[16];
    uint64_t count = sizeof fmt;
    if (!chunk.Read(fmt, count))
        return false;
    const uint32_t tag = LE16(fmt);
    const uint32_t channels = LE16(fmt + 2);
    const uint32_t rate = LE32(fmt + 4);
    const uint32_t bits = LE16(fmt + 14);
    if (tag != 1 || channels == 0 || channels > 255 || rate == 0 || bits < 8 || bits > 16)
        return false;
    format = CSampleFormat(rate, uint8_t(channels), uint8_t(bits), bits >= 9 ? 1 : 0, 0);
    fBytesPerFrame = ((bits + 7) / 8) * channels;
    return true;
}

void CWavFileReader::Close()
{
    Stop();
    fPlayer.Close();
    fFile->Close();
    fOpen = false;
}

// A start counts as delivering: started at the end of a complete file, the reader reports the
// end again.
void CWavFileReader::Start()
{
    fDelivering.store(true);
    fPlayer.Start();
}

// Does not wait for a read in flight: its completion may only be delivered later by the very
// thread that stops. Seeks make such a read stale, and closing the file waits for the worker.
void CWavFileReader::Stop()
{
    fPlayer.Stop();
}

void CWavFileReader::SeekSeconds(float seconds)
{
    Stop();
    if (fOpen)
        Reposition(FramesOfSeconds(format.rate, seconds, true));
    else
        Reposition(fPosition.load());
}

void CWavFileReader::SeekFrames(uint64_t frames)
{
    Stop();
    Reposition(fOpen ? frames : fPosition.load());
}

void CWavFileReader::SeekToEnd()
{
    Stop();
    Reposition(fOpen ? FramesHeld() : fPosition.load());
}

// Clamps to the frames the file holds, empties the ring and makes any read still on its way
// stale.
void CWavFileReader::Reposition(uint64_t frames)
{
    if (fOpen && fBytesPerFrame) {
        const uint64_t size = fFile->GetSize();
        const uint64_t held = size > fDataStart ? (size - fDataStart) / fBytesPerFrame : 0;
        frames = std::min({frames, FramesHeld(), held});
        fPosition.store(frames);
    }
    fRing.Reset();
    fCarried = 0;
    ++fGeneration;
    fNextRead = fDataStart + uint64_t(fBytesPerFrame) * fPosition.load();
}

bool CWavFileReader::ReadFrame(void* consumer, FrameFunction function)
{
    if (!fOpen || fBytesPerFrame == 0 || (!fGrowing.load() && fPosition.load() >= fFrameCount.load()))
        return false;
    uint8_t frame[510];
    uint32_t count = fBytesPerFrame;
    const uint64_t at = fDataStart + uint64_t(fBytesPerFrame) * fPosition.load();
    if (!fFile->ReadAt(at, frame, &count) || count != fBytesPerFrame)
        return false;
    function(consumer, frame, fBytesPerFrame);
    fPosition.fetch_add(1);
    return true;
}

void CWavFileReader::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == fSignal.get() && StrEqual(msg.type, LAsyncSignal::msgX)) {
        RequestRead();
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}

void CWavFileReader::RequestRead()
{
    if (fReading || !fOpen)
        return;
    if (fGrowing.load() && fNextRead >= fFile->GetSize())
        CheckFinished();
    uint64_t free = fRing.Free();
    if (!fGrowing.load()) {
        const uint64_t end = fDataStart + fDataBytes;
        free = std::min(free, end > fNextRead ? end - fNextRead : 0);
    }
    const CRingBuffer::Regions region = fRing.GetWriteRegions(uint32_t(free));
    if (region.firstCount == 0)
        return;
    fReadGeneration = fGeneration;
    fReading = true;
    fFile->QueueRead(region.first, fNextRead, region.firstCount, this, ReadDone, &fRequest);
}

void CWavFileReader::ReadDone(void* context, CMacAsyncPB::Request* request)
{
    auto* self = static_cast<CWavFileReader*>(context);
    self->fReading = false;
    if (!request->done || self->fReadGeneration != self->fGeneration)
        return;
    self->fNextRead += request->transferred;
    self->fRing.AdvanceWrite(uint32_t(request->transferred));
}

// Called once the reader has read all the file holds: the recorder writes the data chunk's
// size when it closes the file, after the last of its frames.
void CWavFileReader::CheckFinished()
{
    uint8_t size[4];
    uint32_t count = sizeof size;
    if (!fFile->ReadAt(fDataStart - sizeof size, size, &count) || count != sizeof size || LE32(size) == 0xFFFFFFFF)
        return;
    const uint64_t fileSize = fFile->GetSize();
    fDataBytes = std::min<uint64_t>(LE32(size), fileSize > fDataStart ? fileSize - fDataStart : 0);
    fFrameCount.store(fDataBytes / fBytesPerFrame);
    fGrowing.store(false);
}

bool CWavFileReader::FillEntry(void* context, CSoundOut* player, CSoundOut::Request& request, uint32_t byteCount)
{
    return static_cast<CWavFileReader*>(context)->Fill(player, request, byteCount);
}

// On the output's thread: hands the ring's bytes over in place (a block that straddles the
// ring's end goes through a bounce buffer) and asks for a refill.
bool CWavFileReader::Fill(CSoundOut* player, CSoundOut::Request& request, uint32_t byteCount)
{
    fRing.AdvanceRead(fCarried);
    fCarried = 0;
    const uint32_t n = std::min(byteCount, fRing.Fill());
    uint32_t length = 0;
    if (n >= fBytesPerFrame && fBytesPerFrame) {
        const CRingBuffer::Regions region = fRing.GetReadRegions(n);
        const uint8_t* data = region.first;
        length = region.firstCount;
        if (length < fBytesPerFrame) {
            length = n - n % fBytesPerFrame;
            fBounce.resize(length);
            fRing.Peek(fBounce.data(), length);
            data = fBounce.data();
        }
        player->Provide(request, data, length);
        if (length && tapFunction)
            tapFunction(tapContext, data, length);
        fCarried = length;
        fPosition.fetch_add(length / fBytesPerFrame);
    }
    // A ring run dry before the last frame of the file is a late read, not the end.
    if (length == 0 && !fGrowing.load() && fPosition.load() >= fFrameCount.load() && fDelivering.exchange(false))
        fEndSignal.Signal();
    if (!fSignal->IsPosted())
        fSignal->Post();
    return length > 0;
}
