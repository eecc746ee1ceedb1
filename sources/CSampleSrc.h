#pragma once
// NOTE: the least of the sample-source base that the sound sources need, until the source
// family's own header lands; its names and defaults are the family's.
#include "foundation/LHandler.h"
#include "foundation/LStringRef.h"

#include <cstdint>

// A saved stream position, filled and read only by the source that made it.
struct CSourcePosition {
    uint64_t offset = 0;
    uint32_t rate = 0;
    float timeOffset = 0;
    uint32_t samples = 0;
};

// A handler that turns what its device or file delivers into frames of up to eight values
// and tells its parent (the document window) with "CSampleSrc_Data" that frames are waiting.
class CSampleSrc : public LHandler {
public:
    static const char* msgData;   // "CSampleSrc_Data"

    explicit CSampleSrc(LHandler* parent) : LHandler(parent) {}
    ~CSampleSrc() override = default;

    // A "CSampleSrc_Data" of its own that nobody consumed: the frames are drained and dropped.
    void HandleMessage(LMessage& result, const LMessage& msg) override;

    // The next frame: its channel count, 0 when none is ready, -1 for an event.
    virtual int32_t Read(float* frame, uint32_t max) = 0;
    virtual bool IsRecording() const { return false; }
    virtual bool CanRecord() const { return false; }
    virtual const char* RecordExtension() const { return ""; }
    virtual int32_t StartRecording(const char* path, float seconds);
    virtual void StopRecording() {}
    virtual uint32_t RecordFileType() const { return 0x20202020; }
    virtual void RecordText(const char*) {}
    virtual uint32_t SampleRate() const = 0;
    virtual float Baseline() const { return -1.0f; }
    virtual float FcRatio() const = 0;
    virtual LStringRef TypeName() const = 0;
    virtual bool IsAudioInput() const { return false; }
    virtual uint32_t TakeOverflowCount() { return 0; }
    virtual LStringRef TakeText() { return LStringRef(); }
    virtual float PositionSeconds() const = 0;
    virtual void SetRate(uint32_t) {}
    virtual void SetFcRatio(float) {}
    virtual void SendBaseline() {}
    virtual bool IsPlaying() const { return false; }
    virtual int32_t Open(const char*) { return 1; }
    virtual void Close() {}
    virtual void Play() {}
    virtual void Stop() {}
    virtual void SetActive(bool) {}
    virtual void SeekSeconds(bool exact, float seconds);
    virtual float DurationSeconds() const { return PositionSeconds(); }
    virtual int32_t ReadNext(float*, uint32_t) { return 0; }
    virtual void GetPositionFrames(CSourcePosition&) const {}
    virtual void SeekFrames(const CSourcePosition&) {}
};
