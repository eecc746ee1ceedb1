#include "sources/audio/CSoundInSrc.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "foundation/files/CMacAsyncPB.h"
#include "platform/files/FileSpecText.h"
#include "platform/files/FileSystem.h"
#include "sources/audio/CWavSaverA.h"

#include <algorithm>
#include <cmath>
#include <limits>

CSoundInSrc::CSoundInSrc(LHandler* parent, LAsyncQueue* queue)
    : CSampleSrc(parent), fQueue(queue), fHolder(queue), fRingData(std::make_unique<uint8_t[]>(size_t(1) << kRingLog2))
{
    fRing.Init(fRingData.get(), kRingLog2);
    ConvertPCM(fChannel0, 1, 1, 16, 2, 0);
    ConvertPCM(fChannel1, 1, 1, 16, 2, 1);
}

CSoundInSrc::~CSoundInSrc()
{
    StopRecording();
    Close();
}

int32_t CSoundInSrc::Open()
{
    if (const int error = fHolder.Open("", "", fFormat))
        return error;
    // The frames are read in the layout the unit really delivers.
    fFormat = fHolder.Format();
    ConvertPCM(fChannel0, fFormat.bigEndian ? 0 : 1, fFormat.isSigned, fFormat.bits, fFormat.channels, 0);
    ConvertPCM(fChannel1, fFormat.bigEndian ? 0 : 1, fFormat.isSigned, fFormat.bits, fFormat.channels, 1);
    fHolder.SetConsumer(this, OnAudioData);
    fHolder.Start();
    return 0;
}

void CSoundInSrc::Close()
{
    fHolder.Close();
}

void CSoundInSrc::OnAudioData(void* context, const uint8_t* data, uint32_t count)
{
    static_cast<CSoundInSrc*>(context)->TakeAudio(data, count);
}

// Copies the whole frames that fit; the rest is lost.
void CSoundInSrc::TakeAudio(const uint8_t* data, uint32_t count)
{
    const uint32_t frameBytes = fChannel0.frameBytes;
    const uint32_t room = std::min(fRing.Free(), count);
    const uint32_t whole = room - room % frameBytes;
    if (whole)
        fRing.Write(data, whole);
    LMessage::Send(LMessage(msgData, this, Parent()));
}

int32_t CSoundInSrc::Read(float* frame, uint32_t max)
{
    const uint32_t frameBytes = fChannel0.frameBytes;
    if (fRing.Fill() < frameBytes) {
        if (fWriter)
            fWriter->Pump();
        return 0;
    }
    const bool recording = fWriter && fFramesRecorded < fFrameLimit;
    if (recording && fWriter->IsWriting() && fWriter->IsFull()) {
        fWriter->Pump();
        return 0;   // the frame waits for the next call
    }
    uint8_t bytes[32];
    fRing.Peek(bytes, frameBytes);
    fRing.AdvanceRead(frameBytes);
    const int32_t value0 = fChannel0.Get(bytes);
    const int32_t value1 = fChannel1.Get(bytes);
    if (recording) {
        fWriter->PutFrame(value0, value1);
        ++fFramesRecorded;
    }
    if (max == 0)
        return 0;
    frame[0] = float(value0) / 32768.0f;
    if (max == 1)
        return 1;
    frame[1] = float(value1) / 32768.0f;
    return 2;
}

int32_t CSoundInSrc::StartRecording(const char* path, float seconds)
{
    StopRecording();
    // A new recording makes its file; an existing one is truncated by the writer.
    const std::string posix = plat::PosixPathFromSpec(path ? path : "");
    if (posix.empty())
        return 1;
    const plat::FileResult made = plat::CreateFileExclusive(posix);
    if (made != plat::FileResult::Ok && made != plat::FileResult::Exists)
        return made == plat::FileResult::NotFound ? 1 : 2;
    auto file = std::make_unique<CMacAsyncPB>(fQueue);
    if (const uint32_t error = file->Open(path, CMacAsyncPB::kWritePermission))
        return int32_t(error);
    auto writer = std::make_unique<CWavSaverA>(this, std::move(file), fFormat);
    if (!writer->IsWriting())
        return 2;   // the header could not be written: no recording, and the caller is told
    const double limit = std::isnan(seconds) || seconds < 0 ? -1.0 : double(seconds) * fFormat.rate;
    LAsyncQueueLock lock(*fQueue);
    fFrameLimit = limit < 0 || limit >= 4294967295.0 ? std::numeric_limits<uint32_t>::max() : uint32_t(limit);
    fFramesRecorded = 0;
    fStartMs = fQueue->NowMs();
    fWriter = std::move(writer);
    return 0;
}

// Detached under the lock, destroyed (completing the file) outside it, so that a Read on the
// queue's thread never meets a writer being destroyed.
void CSoundInSrc::StopRecording()
{
    std::unique_ptr<CWavSaverA> writer;
    {
        LAsyncQueueLock lock(*fQueue);
        writer = std::move(fWriter);
        if (writer)
            writer->Detach();
    }
    writer.reset();
}

bool CSoundInSrc::RecordFailed() const
{
    LAsyncQueueLock lock(*fQueue);
    return fWriter && fWriter->HasFailed();
}

float CSoundInSrc::PositionSeconds() const
{
    return fWriter && fFormat.rate ? float(fFramesRecorded) / float(fFormat.rate) : 0.0f;
}

void CSoundInSrc::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (fWriter && msg.subject == fWriter.get() && StrEqual(msg.type, CWavSaverA::msgReady)) {
        LMessage::Clear(result);
        return;
    }
    CSampleSrc::HandleMessage(result, msg);
}
