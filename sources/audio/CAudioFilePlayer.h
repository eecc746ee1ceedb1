#pragma once
#include "sources/audio/CSampleFormat.h"

#include <cstdint>
#include <string>

// A player of one sound file: it sounds through the output and hands every block it plays to
// its owner's tap, and tells its owner through the end notice when the data ran out.
class CAudioFilePlayer {
public:
    using TapFunction = void (*)(void* context, const uint8_t* bytes, uint32_t count);
    using EndFunction = void (*)(void* context, int flag);
    using FrameFunction = void (*)(void* consumer, const uint8_t* bytes, uint32_t count);

    virtual ~CAudioFilePlayer() = default;

    virtual uint32_t ClientRate() const = 0;
    virtual uint32_t SampleRate() const = 0;
    virtual float PositionSeconds() const = 0;
    virtual float DurationSeconds() const = 0;
    virtual uint64_t PositionFrames() const = 0;
    virtual const std::string& FileSpec() const = 0;
    // 0 success, 1 failure (also when a file is open).
    [[nodiscard]] virtual int Open(const std::string& fileSpec) = 0;
    virtual void Close() = 0;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    // NaN and negative times count as 0; a time past the end moves to the end.
    virtual void SeekSeconds(float seconds) = 0;
    virtual void SeekToEnd() = 0;
    virtual void SeekFrames(uint64_t frames) = 0;
    // Hands the next frame to function(consumer, ...) without pacing; false at the end.
    [[nodiscard]] virtual bool ReadFrame(void* consumer, FrameFunction function) = 0;

    void SetTap(void* context, TapFunction tap)
    {
        tapContext = context;
        tapFunction = tap;
    }
    void SetEndNotice(void* context, EndFunction end)
    {
        endContext = context;
        endFunction = end;
    }
    const CSampleFormat& Format() const { return format; }

    // Frames a time gives at a rate: NaN, negative and empty times give 0; times past the
    // largest frame number give the largest.
    static uint64_t FramesOfSeconds(double rate, double seconds, bool round);

protected:
    // Calls the owner's end function, when one is set; `player` is the CAudioFilePlayer (the
    // players' main-thread end signals call it).
    static void CallEndNotice(void* player);

    CSampleFormat format;
    void* tapContext = nullptr;
    TapFunction tapFunction = nullptr;
    void* endContext = nullptr;
    EndFunction endFunction = nullptr;
};
