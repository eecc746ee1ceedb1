// Simulated input devices: "sim:tone" (a 440 Hz sine at half scale on every channel),
// "sim:silence", and "sim:file=PATH" (a sound file played once in real time at its own rate,
// then silence). They deliver in the format asked for and are paced by the clock.
#include "platform/audio/AudioBackends.h"
#include "platform/audio/PacedStream.h"
#include "platform/soundfile/SoundFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <vector>

namespace plat {

namespace {

enum class SimKind { Tone, Silence, File };

constexpr double kToneHz = 440.0;
constexpr double kToneLevel = 16384.0;

class SimInput final : public InputBackend, private PacedStream {
public:
    SimInput(SimKind kind, const AudioFormat& format, InputNotify notify, std::unique_ptr<SoundFile> file)
        : fKind(kind), fFormat(format), fNotify(std::move(notify)), fFile(std::move(file)),
          fBlock(size_t(kMaxFramesPerSlice) * format.BytesPerFrame()), fStereo(size_t(kMaxFramesPerSlice) * 2)
    {
    }
    ~SimInput() override { StopPacing(); }

    bool Start() override { return StartPacing(); }
    void Stop() override { StopPacing(); }

    uint32_t Render(void* buffer, uint32_t frames) override
    {
        const uint32_t n = std::min(frames, fBlockFrames);
        std::memcpy(buffer, fBlock.data(), size_t(n) * fFormat.BytesPerFrame());
        return n;
    }

    bool GetVolume(float& value) override
    {
        std::lock_guard lock(fMutex);
        value = fVolume;
        return true;
    }

    bool SetVolume(float value) override
    {
        std::lock_guard lock(fMutex);
        fVolume = std::clamp(value, 0.0f, 1.0f);
        return true;
    }

private:
    uint32_t Rate() const override { return fFormat.rate; }

    void RunFrames(uint32_t frames) override
    {
        FillStereo(frames);
        float volume;
        {
            std::lock_guard lock(fMutex);
            volume = fVolume;
        }
        const uint32_t bytesPerSample = fFormat.BytesPerSample();
        uint8_t* at = fBlock.data();
        for (uint32_t f = 0; f < frames; ++f) {
            for (uint32_t c = 0; c < fFormat.channels; ++c) {
                const int16_t v = int16_t(std::lround(fStereo[f * 2 + std::min<uint32_t>(c, 1)] * volume));
                EncodeSample(fFormat, at, v);
                at += bytesPerSample;
            }
        }
        fBlockFrames = frames;
        fNotify(frames);
        fBlockFrames = 0;
    }

    void FillStereo(uint32_t frames)
    {
        std::fill(fStereo.begin(), fStereo.begin() + frames * 2, int16_t(0));
        if (fKind == SimKind::Tone) {
            for (uint32_t f = 0; f < frames; ++f) {
                const double phase = 2.0 * M_PI * kToneHz * double(fFramesMade + f) / fFormat.rate;
                fStereo[f * 2] = fStereo[f * 2 + 1] = int16_t(std::lround(kToneLevel * std::sin(phase)));
            }
        } else if (fKind == SimKind::File && fFile) {
            const int64_t got = fFile->Read(fStereo.data(), frames);
            if (got <= 0)
                fFile.reset();   // the file has been played: silence from here on
        }
        fFramesMade += frames;
    }

    SimKind fKind;
    AudioFormat fFormat;
    InputNotify fNotify;
    std::unique_ptr<SoundFile> fFile;
    std::vector<uint8_t> fBlock;
    std::vector<int16_t> fStereo;
    uint32_t fBlockFrames = 0;
    uint64_t fFramesMade = 0;
    std::mutex fMutex;
    float fVolume = 1.0f;
};

} // namespace

std::unique_ptr<InputBackend> OpenSimInput(const std::string& name, AudioFormat& format, InputNotify notify)
{
    AudioFormat obtained = WithDefaults(format);
    std::unique_ptr<InputBackend> input;
    if (name == "sim:tone") {
        input = std::make_unique<SimInput>(SimKind::Tone, obtained, std::move(notify), nullptr);
    } else if (name == "sim:silence") {
        input = std::make_unique<SimInput>(SimKind::Silence, obtained, std::move(notify), nullptr);
    } else if (name.rfind("sim:file=", 0) == 0) {
        auto file = std::make_unique<SoundFile>();
        if (!file->Open(name.substr(9))) {
            NoteOpenFailure(file->OpenFailure());
            return nullptr;
        }
        obtained.rate = file->Rate();
        input = std::make_unique<SimInput>(SimKind::File, obtained, std::move(notify), std::move(file));
    }
    if (input)
        format = obtained;
    return input;
}

} // namespace plat
