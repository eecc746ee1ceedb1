#pragma once
#include "platform/audio/AudioOutput.h"
#include "sources/audio/CSampleFormat.h"

#include <cstdint>
#include <memory>
#include <string>

// Plays PCM data that its owner supplies on demand, on an output device chosen by name.
// The owner's fill function runs on the output's thread for every slice.
class CSoundOut {
public:
    // One slice the output asks for: its frame count, and the block it will play.
    struct Request {
        uint32_t frameCount = 0;
        plat::AudioBlock* block = nullptr;
    };
    // Returns true when it handed data over (through Provide, or written into the block).
    using FillFunction = bool (*)(void* context, CSoundOut* player, Request& request, uint32_t byteCount);

    CSoundOut();
    virtual ~CSoundOut();
    CSoundOut(const CSoundOut&) = delete;
    CSoundOut& operator=(const CSoundOut&) = delete;

    virtual bool IsOpen() const;
    virtual uint32_t SampleRate() const;
    virtual uint32_t BufferFrames() const;
    // Opens the named device (any device of the system), or the default output when the name
    // is empty or unknown. 0 success, 1 failure (also when already open).
    [[nodiscard]] virtual int Open(const std::string& deviceName, const CSampleFormat& format);
    virtual void Close();
    virtual void Start();
    virtual void Stop();
    // Hands the caller's bytes to the slice without copying; they must stay valid until the
    // fill function is called again. byteCount is cut to whole frames of the slice.
    virtual void Provide(Request& request, const void* data, uint32_t& byteCount);

    void SetFill(void* context, FillFunction fill);
    uint32_t BytesPerFrame() const { return fBytesPerFrame; }

private:
    bool Render(plat::AudioBlock& block, uint32_t frames);

    void* fContext = nullptr;
    FillFunction fFill = nullptr;
    std::unique_ptr<plat::AudioOutput> fUnit;
    uint32_t fBytesPerFrame = 0;
    uint32_t fBufferFrames = 0;
    double fSampleRate = 0;
};
