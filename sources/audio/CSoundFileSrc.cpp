#include "sources/audio/CSoundFileSrc.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "platform/files/DataFork.h"
#include "platform/files/FileSpecText.h"
#include "sources/audio/CRiffChunk.h"
#include "sources/audio/CSoundFilePlayer.h"
#include "sources/audio/CWavFileReader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kPairBytes = 4;   // two signed 16-bit values

// A WAV file whose RIFF size still holds FF FF FF FF: a recording of ours in progress.
bool IsRecordingInProgress(const std::string& path)
{
    plat::DataFork fork;
    if (fork.Open(path, plat::ForkAccess::Read) != plat::FileResult::Ok)
        return false;
    uint8_t head[16];
    size_t count = sizeof head;
    if (fork.ReadAt(0, head, count) != plat::FileResult::Ok || count != sizeof head)
        return false;
    return std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 4, "\xFF\xFF\xFF\xFF", 4) == 0
        && std::memcmp(head + 8, "WAVE", 4) == 0;
}

} // namespace

CSoundFileSrc::CSoundFileSrc(LHandler* parent, LAsyncQueue* queue)
    : CSampleSrc(parent), fQueue(queue), fBlockTimer(this, queue), fDataSignal(this, queue), fEndTimer(this),
      fRingData(std::make_unique<uint8_t[]>(size_t(1) << kRingLog2))
{
    fRing.Init(fRingData.get(), kRingLog2);
    DefaultPCM(fChannel0);
    DefaultPCM(fChannel1);
}

CSoundFileSrc::~CSoundFileSrc()
{
    Close();
}

int32_t CSoundFileSrc::Open(const char* path)
{
    if (fPlayer || !path)
        return 1;
    const std::string posix = plat::PosixPathFromSpec(path);
    fUsesWavReader = !posix.empty() && IsRecordingInProgress(posix);
    std::unique_ptr<CAudioFilePlayer> player;
    if (fUsesWavReader)
        player = std::make_unique<CWavFileReader>(fQueue);
    else
        player = std::make_unique<CSoundFilePlayer>();
    if (player->Open(path) != 0)
        return 1;
    const CSampleFormat& f = player->Format();
    ConvertPCM(fChannel0, f.bigEndian ? 0 : 1, f.isSigned, f.bits, f.channels, 0);
    ConvertPCM(fChannel1, f.bigEndian ? 0 : 1, f.isSigned, f.bits, f.channels, 1);
    fBlockFrames = uint32_t(double(player->SampleRate()) * 0.025);
    player->SetTap(this, Tap);
    player->SetEndNotice(this, EndNotice);
    fRing.Reset();
    fFramesInRing.store(0);
    fAllowance = 0;
    fPlayer = std::move(player);
    return 0;
}

void CSoundFileSrc::Close()
{
    if (!fPlayer)
        return;
    Stop();
    fEndTimer.Stop();
    fPlayer->Close();
    fPlayer.reset();
}

void CSoundFileSrc::Play()
{
    if (!fPlayer)
        return;
    fPlaying.store(true);
    fPlayer->Start();
}

void CSoundFileSrc::Stop()
{
    if (fPlayer) {
        fPlayer->Stop();
        fPlaying.store(false);
    }
    LAsyncQueueLock lock(*fQueue);
    fBlockTimer.Stop();
}

void CSoundFileSrc::SeekSeconds(bool, float seconds)
{
    Stop();
    if (!fPlayer)
        return;
    fPlayer->SeekSeconds(seconds);
    // The output has stopped: nothing writes the ring while it is emptied.
    fRing.DropPending();
    fFramesInRing.store(0);
    fAllowance = 0;
}

uint32_t CSoundFileSrc::SampleRate() const
{
    return fPlayer ? fPlayer->SampleRate() : 1;
}

float CSoundFileSrc::PositionSeconds() const
{
    return fPlayer ? fPlayer->PositionSeconds() : 0.0f;
}

float CSoundFileSrc::DurationSeconds() const
{
    return fPlayer ? fPlayer->DurationSeconds() : 0.0f;
}

void CSoundFileSrc::GetPositionFrames(CSourcePosition& position) const
{
    if (fPlayer)
        position.offset = fPlayer->PositionFrames();
}

void CSoundFileSrc::SeekFrames(const CSourcePosition& position)
{
    if (fPlayer)
        fPlayer->SeekFrames(position.offset);
}

void CSoundFileSrc::Tap(void* context, const uint8_t* bytes, uint32_t count)
{
    static_cast<CSoundFileSrc*>(context)->TakeBlock(bytes, count);
}

// On the output's thread: converts the whole frames that fit into pairs of 16-bit values.
void CSoundFileSrc::TakeBlock(const uint8_t* bytes, uint32_t count)
{
    fFramesInRing.store(fRing.Fill() / kPairBytes);
    const uint32_t frameBytes = fChannel0.frameBytes;
    const uint32_t frames = std::min(count / frameBytes, fRing.Free() / kPairBytes);
    for (uint32_t i = 0; i < frames; ++i) {
        const uint8_t* frame = bytes + size_t(i) * frameBytes;
        const auto v0 = int16_t(fChannel0.Get(frame));
        const auto v1 = int16_t(fChannel1.Get(frame));
        uint8_t pair[kPairBytes];
        std::memcpy(pair, &v0, 2);
        std::memcpy(pair + 2, &v1, 2);
        fRing.Write(pair, kPairBytes);
    }
    if (!fDataSignal.IsPosted())
        fDataSignal.Post();
}

void CSoundFileSrc::EndNotice(void* context, int flag)
{
    auto* self = static_cast<CSoundFileSrc*>(context);
    if (flag == 0 && self->fActive && self->fPlaying.load())
        self->fEndTimer.Start(kLoopDelayMs);
}

void CSoundFileSrc::SendData()
{
    LMessage::Send(LMessage(msgData, this, Parent()));
}

void CSoundFileSrc::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fDataSignal && StrEqual(msg.type, LAsyncSignal::msgX)) {
        fAllowance = fBlockFrames + fFramesInRing.load();
        fBlockTimer.Start(kBlockMs);
        LMessage::Clear(result);
        SendData();
        return;
    }
    if (msg.subject == &fBlockTimer && StrEqual(msg.type, LAsyncTimer::msgExpire)) {
        fAllowance += fBlockFrames;
        fBlockTimer.Start(kBlockMs);
        LMessage::Clear(result);
        SendData();
        return;
    }
    if (msg.subject == &fEndTimer && StrEqual(msg.type, LTimer::msgExpire)) {
        if (fPlaying.load()) {
            SeekSeconds(false, 0.0f);
            Play();
        }
        LMessage::Clear(result);
        return;
    }
    CSampleSrc::HandleMessage(result, msg);
}

int32_t CSoundFileSrc::Deliver(const uint8_t* pair, float* frame, uint32_t max) const
{
    int16_t values[2];
    std::memcpy(values, pair, kPairBytes);
    const uint32_t n = std::min<uint32_t>(max, 2);
    for (uint32_t i = 0; i < n; ++i)
        frame[i] = float(values[i]) / 32768.0f;
    return int32_t(n);
}

int32_t CSoundFileSrc::Read(float* frame, uint32_t max)
{
    if (fRing.Fill() < kPairBytes || fAllowance == 0)
        return 0;
    uint8_t pair[kPairBytes];
    fRing.Peek(pair, kPairBytes);
    fRing.AdvanceRead(kPairBytes);
    --fAllowance;
    return Deliver(pair, frame, max);
}

int32_t CSoundFileSrc::ReadNext(float* frame, uint32_t max)
{
    if (!fPlayer)
        return 0;
    struct Target {
        const CSoundFileSrc* self;
        float* frame;
        uint32_t max;
        int32_t n;
    } target{this, frame, max, 0};
    const bool got = fPlayer->ReadFrame(&target, [](void* consumer, const uint8_t* bytes, uint32_t) {
        auto* t = static_cast<Target*>(consumer);
        uint8_t pair[kPairBytes];
        const auto v0 = int16_t(t->self->fChannel0.Get(bytes));
        const auto v1 = int16_t(t->self->fChannel1.Get(bytes));
        std::memcpy(pair, &v0, 2);
        std::memcpy(pair + 2, &v1, 2);
        t->n = t->self->Deliver(pair, t->frame, t->max);
    });
    return got ? target.n : 0;
}
