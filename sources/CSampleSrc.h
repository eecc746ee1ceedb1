#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LStringRef.h"
#include "sources/CSourcePosition.h"

#include <cstdint>

// A source of frames of up to eight channel values: it owns its device, file or link and
// tells its parent (the document window) that frames wait by sending "CSampleSrc_Data" with
// itself as subject, on the thread of the document's async queue. The parent then pulls
// the frames one by one with Read.
class CSampleSrc : public LHandler {
public:
    static const char* msgData; // "CSampleSrc_Data"
    static constexpr uint32_t kMaxChannels = 8;
    static constexpr uint32_t kNoFileType = 0x20202020; // '    '

    explicit CSampleSrc(LHandler* parent) : LHandler(parent) {}
    ~CSampleSrc() override = default;

    // A "CSampleSrc_Data" about this source that climbed back unconsumed: nobody wants the
    // frames, so they are read and dropped. Everything else goes to the handler default.
    void HandleMessage(LMessage& result, const LMessage& msg) override;

    // Pulls the next frame into frame[0 .. max): the channel count (1 to 8, at most `max`
    // values written), 0 when no frame is ready, -1 when a keyword event came instead (its
    // text through TakeText, lost samples through TakeOverflowCount) or when the source
    // cannot go on at the moment (then with an empty text).
    virtual int32_t Read(float frame[], uint32_t max) = 0;

    virtual bool IsRecording() const { return false; }
    virtual bool CanRecord() const { return false; }
    virtual const char* RecordExtension() const { return ""; }
    // Records what the source receives to a file; seconds < 0 means no limit. 0 on success;
    // a source that cannot record answers 1.
    virtual int32_t StartRecording(const char* path, float seconds);
    virtual void StopRecording() {}
    // Whether writing the current recording failed (what was written before stays).
    virtual bool RecordFailed() const { return false; }
    virtual uint32_t RecordFileType() const { return kNoFileType; }
    // Puts a text event into the stream being recorded.
    virtual void RecordText(const char* text);

    virtual uint32_t SampleRate() const = 0;
    virtual float Baseline() const { return -1.0f; }
    virtual float FcRatio() const = 0;
    // The source-type name last announced.
    virtual LStringRef TypeName() const = 0;
    virtual bool IsAudioInput() const { return false; }
    // Samples reported lost since the last call; clears the count.
    virtual uint32_t TakeOverflowCount() { return 0; }
    // The pending text event; clears it.
    virtual LStringRef TakeText() { return {}; }
    virtual float PositionSeconds() const = 0;

    // Requests to the device.
    virtual void SetRate(uint32_t rate);
    virtual void SetFcRatio(float ratio);
    virtual void SendBaseline() {}

    // Playback of files.
    virtual bool IsPlaying() const { return false; }
    // Opens a file for playback: 0 on success, nonzero failure.
    virtual int32_t Open(const char* path);
    virtual void Close() {}
    virtual void Play() {}
    virtual void Stop() {}
    // The window marks the playback source that is its current source.
    virtual void SetActive(bool active);
    // Moves a file source to a time; a time past the end moves it to the end.
    virtual void SeekSeconds(bool exact, float seconds);
    virtual float DurationSeconds() const { return PositionSeconds(); }
    // The next frame without pacing (conversion and export); results as Read.
    virtual int32_t ReadNext(float frame[], uint32_t max);
    // Saves and restores the exact stream position.
    virtual void GetPositionFrames(CSourcePosition& position) const;
    virtual void SeekFrames(const CSourcePosition& position);

protected:
    // Makes `result` the "CSampleSrc_Data" message of this source for its parent.
    void MakeDataMessage(LMessage& result);
    // Reads and drops frames until the source has none ready or cannot go on.
    void DrainFrames();
};
