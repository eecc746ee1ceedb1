// ALSA capture and playback: one thread per stream moves period-sized blocks between the
// device and the program's callbacks.
#include "platform/audio/AlsaPcm.h"
#include "platform/audio/AudioBackends.h"
#include "platform/audio/AlsaMixer.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

namespace plat {

namespace {

constexpr uint32_t kPeriodFrames = 256;

class AlsaStream {
protected:
    ~AlsaStream() { StopThread(); }

    template <class Body>
    bool StartThread(Body body)
    {
        if (fThread.joinable())
            return true;
        fStop.store(false);
        try {
            fThread = std::thread(body);
        } catch (...) {
            return false;
        }
        return true;
    }

    void StopThread()
    {
        if (!fThread.joinable())
            return;
        fStop.store(true);
        if (fThread.get_id() == std::this_thread::get_id()) {
            fThread.detach();
            return;
        }
        fThread.join();
    }

    bool OpenPcm(const std::string& name, AlsaPcm::Direction direction, AudioFormat& format)
    {
        if (!fPcm.Open(name, direction, format))
            return false;
        fBytesPerFrame = format.BytesPerFrame();
        fBlock.resize(size_t(kPeriodFrames) * fBytesPerFrame);
        return true;
    }

    AlsaPcm fPcm;
    std::atomic<bool> fStop{false};
    std::thread fThread;
    std::vector<uint8_t> fBlock;
    uint32_t fBytesPerFrame = 0;
};

class AlsaInput final : public InputBackend, private AlsaStream {
public:
    AlsaInput(const std::string& name, InputNotify notify) : fName(name), fNotify(std::move(notify)) {}
    ~AlsaInput() override { Stop(); }

    bool Open(AudioFormat& format) { return OpenPcm(fName, AlsaPcm::Direction::Capture, format); }

    bool Start() override
    {
        return StartThread([this] { Run(); });
    }

    void Stop() override { StopThread(); }

    uint32_t Render(void* buffer, uint32_t frames) override
    {
        const uint32_t n = std::min(frames, fBlockFrames);
        std::memcpy(buffer, fBlock.data(), size_t(n) * fBytesPerFrame);
        return n;
    }

    bool GetVolume(float& value) override { return AlsaMixer::GetCaptureVolume(fName, value); }
    bool SetVolume(float value) override { return AlsaMixer::SetCaptureVolume(fName, value); }

private:
    void Run()
    {
        while (!fStop.load()) {
            const long n = fPcm.ReadFrames(fBlock.data(), kPeriodFrames);
            if (n < 0)
                break;
            if (n == 0)
                continue;
            fBlockFrames = uint32_t(n);
            fNotify(fBlockFrames);
            fBlockFrames = 0;
        }
    }

    std::string fName;
    InputNotify fNotify;
    uint32_t fBlockFrames = 0;
};

class AlsaOutput final : public OutputBackend, private AlsaStream {
public:
    AlsaOutput(const std::string& name, OutputPull pull) : fName(name), fPull(std::move(pull)) {}
    ~AlsaOutput() override { Stop(); }

    bool Open(AudioFormat& format) { return OpenPcm(fName, AlsaPcm::Direction::Playback, format); }

    bool Start() override
    {
        return StartThread([this] { Run(); });
    }

    void Stop() override
    {
        StopThread();
        fPcm.Drop();
    }

private:
    void Run()
    {
        while (!fStop.load()) {
            PullBlock(fPull, fBlock.data(), kPeriodFrames, fBytesPerFrame);
            if (fPcm.WriteFrames(fBlock.data(), kPeriodFrames) < 0)
                break;
        }
    }

    std::string fName;
    OutputPull fPull;
};

} // namespace

std::unique_ptr<InputBackend> OpenAlsaInput(const std::string& name, AudioFormat& format, InputNotify notify)
{
    auto input = std::make_unique<AlsaInput>(name, std::move(notify));
    if (!input->Open(format))
        return nullptr;
    return input;
}

std::unique_ptr<OutputBackend> OpenAlsaOutput(const std::string& name, AudioFormat& format, OutputPull pull)
{
    auto output = std::make_unique<AlsaOutput>(name, std::move(pull));
    if (!output->Open(format))
        return nullptr;
    return output;
}

} // namespace plat
