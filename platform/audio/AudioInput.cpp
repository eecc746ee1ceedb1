#include "platform/audio/AudioInput.h"

#include "platform/audio/AlsaMixer.h"
#include "platform/audio/AudioBackends.h"
#include "platform/audio/ManualAudioDriver.h"

#include <cstdlib>
#include <mutex>
#include <utility>

namespace plat {

namespace {

std::mutex gDefaultMutex;
std::string gDefaultName;
thread_local std::string tOpenFailure;

} // namespace

void NoteOpenFailure(std::string reason)
{
    tOpenFailure = std::move(reason);
}

std::string TakeOpenFailure()
{
    return std::exchange(tOpenFailure, std::string());
}

AudioInput::AudioInput() = default;

AudioInput::~AudioInput()
{
    Close();
}

std::string AudioInput::DefaultName()
{
    if (ManualAudioDriver* driver = ManualAudioDriver::Current())
        return driver->DefaultInput();
    {
        std::lock_guard lock(gDefaultMutex);
        if (!gDefaultName.empty())
            return gDefaultName;
    }
    // The user may name the input, a simulated one among them ("sim:file=PATH").
    if (const char* named = std::getenv(kSoundInputVariable); named && *named)
        return named;
    return "default";
}

std::vector<std::string> AudioInput::DataSources(const std::string& deviceName)
{
    if (deviceName.rfind("sim:", 0) == 0)
        return {};
    return AlsaMixer::CaptureSources(deviceName);
}

bool AudioInput::SelectDataSource(const std::string& deviceName, const std::string& source)
{
    return deviceName.rfind("sim:", 0) != 0 && AlsaMixer::SelectCaptureSource(deviceName, source);
}

void AudioInput::SetDefaultName(const std::string& name)
{
    std::lock_guard lock(gDefaultMutex);
    gDefaultName = name;
}

bool AudioInput::Open(const std::string& name, AudioFormat& format)
{
    if (fBackend)
        return true;
    fOpenFailure.clear();
    (void)TakeOpenFailure();
    const std::string device = name.empty() ? DefaultName() : name;
    AudioFormat obtained = format;
    auto notify = [this](uint32_t frames) {
        if (fCallback)
            fCallback(frames);
    };
    if (device.rfind("sim:", 0) == 0)
        fBackend = OpenSimInput(device, obtained, notify);
    else
        fBackend = OpenAlsaInput(device, obtained, notify);
    if (!fBackend) {
        const std::string reason = TakeOpenFailure();
        fOpenFailure = "\"" + device + "\": " + (reason.empty() ? "the device cannot be opened" : reason);
        return false;
    }
    fFormat = obtained;
    format = obtained;
    return true;
}

void AudioInput::Close()
{
    if (!fBackend)
        return;
    fBackend->Stop();
    fBackend.reset();
}

bool AudioInput::Start()
{
    return fBackend && fBackend->Start();
}

void AudioInput::Stop()
{
    if (fBackend)
        fBackend->Stop();
}

uint32_t AudioInput::Render(void* buffer, uint32_t frames)
{
    return fBackend ? fBackend->Render(buffer, frames) : 0;
}

bool AudioInput::GetVolume(float& value)
{
    return fBackend && fBackend->GetVolume(value);
}

bool AudioInput::SetVolume(float value)
{
    return fBackend && fBackend->SetVolume(value);
}

} // namespace plat
