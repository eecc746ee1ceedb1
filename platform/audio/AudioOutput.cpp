#include "platform/audio/AudioOutput.h"

#include "platform/audio/ManualAudioDriver.h"

#include <algorithm>
#include <cstring>

namespace plat {

uint32_t PullBlock(const OutputPull& pull, uint8_t* buffer, uint32_t frames, uint32_t bytesPerFrame)
{
    const uint32_t asked = frames * bytesPerFrame;
    std::memset(buffer, 0, asked);
    AudioBlock block{buffer, asked};
    if (!pull || !pull(block, frames) || !block.data)
        return 0;
    const uint32_t given = std::min(block.bytes, asked);
    if (block.data != buffer && given)
        std::memmove(buffer, block.data, given);
    return given;
}

AudioOutput::AudioOutput() = default;

AudioOutput::~AudioOutput()
{
    Close();
}

bool AudioOutput::Open(const std::string& name, AudioFormat& format, OutputPull pull)
{
    if (fBackend)
        return false;
    if (format.rate == 0)
        format.rate = 44100;
    AudioFormat obtained = format;
    fNull = false;
    if (name.empty() && !ManualAudioDriver::Current())
        fBackend = OpenAlsaOutput("default", obtained, pull);
    else if (!name.empty())
        fBackend = OpenAlsaOutput(name, obtained, pull);
    if (!fBackend && name.empty()) {
        obtained = format;
        fBackend = OpenNullOutput(obtained, pull);
        fNull = true;
    }
    if (!fBackend)
        return false;
    fFormat = obtained;
    format = obtained;
    return true;
}

void AudioOutput::Close()
{
    if (!fBackend)
        return;
    fBackend->Stop();
    fBackend.reset();
}

bool AudioOutput::Start()
{
    return fBackend && fBackend->Start();
}

void AudioOutput::Stop()
{
    if (fBackend)
        fBackend->Stop();
}

} // namespace plat
