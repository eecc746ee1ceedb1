#include "outputs/CSoundOut.h"

#include "platform/audio/AudioDevices.h"

#include <algorithm>

namespace {

bool DeviceExists(const std::string& name)
{
    for (const plat::AudioDeviceInfo& info : plat::ListAudioDevices()) {
        if (info.name == name)
            return true;
    }
    return false;
}

} // namespace

CSoundOut::CSoundOut() = default;

CSoundOut::~CSoundOut()
{
    CSoundOut::Close();
}

bool CSoundOut::IsOpen() const
{
    return fUnit != nullptr;
}

uint32_t CSoundOut::SampleRate() const
{
    return uint32_t(fSampleRate);
}

uint32_t CSoundOut::BufferFrames() const
{
    return fBufferFrames;
}

int CSoundOut::Open(const std::string& deviceName, const CSampleFormat& format)
{
    if (fUnit)
        return 1;
    const std::string device = !deviceName.empty() && DeviceExists(deviceName) ? deviceName : std::string();
    plat::AudioFormat wanted = format.ToPlatform();
    if (wanted.BytesPerFrame() == 0)
        return 1;
    auto unit = std::make_unique<plat::AudioOutput>();
    auto pull = [this](plat::AudioBlock& block, uint32_t frames) { return Render(block, frames); };
    if (!unit->Open(device, wanted, pull) && !(device.empty() ? false : unit->Open("", wanted, pull)))
        return 1;
    fBytesPerFrame = wanted.BytesPerFrame();
    fSampleRate = wanted.rate;
    fBufferFrames = plat::kMaxFramesPerSlice;
    fUnit = std::move(unit);
    return 0;
}

void CSoundOut::Close()
{
    if (!fUnit)
        return;
    fUnit->Close();
    fUnit.reset();
}

void CSoundOut::Start()
{
    if (fUnit)
        (void)fUnit->Start();
}

void CSoundOut::Stop()
{
    if (fUnit)
        fUnit->Stop();
}

void CSoundOut::Provide(Request& request, const void* data, uint32_t& byteCount)
{
    if (!request.block || fBytesPerFrame == 0) {
        byteCount = 0;
        return;
    }
    byteCount = std::min(byteCount, request.frameCount * fBytesPerFrame);
    byteCount -= byteCount % fBytesPerFrame;
    if (byteCount == 0)
        return;
    request.frameCount = byteCount / fBytesPerFrame;
    request.block->data = data;
    request.block->bytes = byteCount;
}

void CSoundOut::SetFill(void* context, FillFunction fill)
{
    fContext = context;
    fFill = fill;
}

// A slice whose fill function gives nothing plays as silence.
bool CSoundOut::Render(plat::AudioBlock& block, uint32_t frames)
{
    if (!fFill)
        return false;
    Request request{frames, &block};
    return fFill(fContext, this, request, frames * fBytesPerFrame);
}
