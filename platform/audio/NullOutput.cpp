// The output used when there is no sound card: it pulls its blocks at the pace of the clock
// and throws the sound away (handing it to a ManualAudioDriver when one is installed).
#include "platform/audio/AudioBackends.h"
#include "platform/audio/ManualAudioDriver.h"
#include "platform/audio/PacedStream.h"

#include <vector>

namespace plat {

namespace {

class NullOutput final : public OutputBackend, private PacedStream {
public:
    NullOutput(const AudioFormat& format, OutputPull pull)
        : fFormat(format), fPull(std::move(pull)), fBuffer(size_t(kMaxFramesPerSlice) * format.BytesPerFrame())
    {
    }
    ~NullOutput() override { StopPacing(); }

    bool Start() override { return StartPacing(); }
    void Stop() override { StopPacing(); }

private:
    uint32_t Rate() const override { return fFormat.rate; }

    void RunFrames(uint32_t frames) override
    {
        const uint32_t bytesPerFrame = fFormat.BytesPerFrame();
        const uint32_t given = PullBlock(fPull, fBuffer.data(), frames, bytesPerFrame);
        if (ManualAudioDriver* driver = ManualAudioDriver::Current(); driver && given)
            driver->NotePlayed(fBuffer.data(), given, given / bytesPerFrame);
    }

    AudioFormat fFormat;
    OutputPull fPull;
    std::vector<uint8_t> fBuffer;
};

} // namespace

std::unique_ptr<OutputBackend> OpenNullOutput(const AudioFormat& format, OutputPull pull)
{
    if (format.BytesPerFrame() == 0 || format.rate == 0)
        return nullptr;
    return std::make_unique<NullOutput>(format, std::move(pull));
}

} // namespace plat
