#pragma once
#include "foundation/core/LHandler.h"
#include "sources/audio/CSampleFormat.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class LAsyncQueue;
class LAsyncSignal;

namespace plat {
class AudioInput;
class AudioOutput;
struct AudioBlock;
}

// Captures the sound input. The input thread only renders each block into a 32768-byte ring
// and posts a signal; on the queue's thread the unit drains the ring in whole frames to its
// consumer. The unit can also play the input through to the default output, and reads and
// sets the input volume. Without a queue the consumer is called on the input thread at once.
class CAudioUnitIO : public LHandler {
public:
    using Consumer = void (*)(void* context, const uint8_t* bytes, uint32_t count);

    static constexpr uint32_t kRingSize = 32768;

    explicit CAudioUnitIO(LAsyncQueue* queue);
    ~CAudioUnitIO() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;

    virtual bool IsOpen() const { return fOpen; }
    // Opens an input device by name ("" the default input) with the wanted format, switching
    // the device to the named input data source when that is its first one; 0 success, 1
    // failure.
    [[nodiscard]] virtual int Open(const std::string& deviceName, const std::string& dataSource,
        const CSampleFormat& format);
    // Why the last Open failed, naming the device; "" after a successful one.
    const std::string& OpenFailure() const { return fOpenFailure; }
    virtual void Close();
    virtual void Start();
    virtual void Stop();
    // Input volume in percent.
    virtual int32_t GetVolume();
    virtual void SetVolume(int32_t percent);
    virtual void SetPlayThrough(bool on);

    void SetConsumer(void* context, Consumer consumer);
    // The format obtained by Open (the wish until then).
    const CSampleFormat& Format() const { return fFormat; }
    uint32_t BytesPerFrame() const { return fBytesPerFrame; }

    // The input thread's callback for n arrived frames.
    void InputRender(uint32_t frames);

private:
    static void SelectDataSource(const std::string& device, const std::string& name);
    uint32_t FreeRun(uint16_t readIndex) const;
    uint32_t WritableRun();
    void CopyFromSpill(const uint8_t* bytes, uint32_t count);
    void PostToConsumer(const uint8_t* bytes, uint32_t count);
    void DrainToConsumer();
    void UpdatePlayThrough();
    bool PlayThroughRender(plat::AudioBlock& block, uint32_t frames);

    void* fConsumerContext = nullptr;
    Consumer fConsumer = nullptr;
    CSampleFormat fFormat{22050, 1, 16, 1, 0};
    std::unique_ptr<LAsyncSignal> fSignal;
    std::unique_ptr<plat::AudioInput> fInput;
    std::unique_ptr<plat::AudioOutput> fPlayThrough;
    uint32_t fBytesPerFrame = 2;
    int32_t fVolume = 100;
    bool fPlayThroughWanted = false;
    std::atomic<bool> fPlayThroughRunning{false};
    bool fOpen = false;
    std::string fOpenFailure;
    std::vector<uint8_t> fSpill;
    std::vector<uint8_t> fPlayOut;
    std::atomic<uint16_t> fConsumerRead{0};
    std::atomic<uint16_t> fPlayRead{0};
    std::atomic<uint16_t> fWrite{0};
    uint8_t fRing[kRingSize] = {};
};
