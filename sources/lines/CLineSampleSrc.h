#pragma once
#include "foundation/core/LStrStream.h"
#include "sources/text/CTextSampleSrc.h"

#include <cstdint>
#include <string>

class CLogSaverA;
class LAsyncQueue;

// A live link that speaks the line protocol: it parses what the device sends, sends the
// device its requests ("DN", "SR", "FR", "BL"), injects free-text lines ("tx") at line
// boundaries and records the incoming stream to a raw-stream file. The link itself (serial
// port or TCP connection) is the subclass's.
class CLineSampleSrc : public CTextSampleSrc {
public:
    static constexpr uint32_t kReceiveSize = 4096;
    static constexpr uint32_t kTextFileType = 0x54455854; // 'TEXT'
    // Record states.
    enum : uint8_t { kRecordOff = 0, kRecordArmed = 1, kRecording = 2, kRecordStopping = 3 };

    CLineSampleSrc(LHandler* parent, LAsyncQueue* queue);
    // Destroys an attached recorder (which writes what it still holds).
    ~CLineSampleSrc() override;

    int32_t Read(float frame[], uint32_t max) override;
    bool IsRecording() const override { return fRecorder != nullptr; }
    bool CanRecord() const override { return true; }
    const char* RecordExtension() const override { return "tks"; }
    // 0 recording; 1 the file cannot be opened for writing; 2 its header cannot be written
    // (a full disk, for one).
    int32_t StartRecording(const char* path, float seconds) override;
    void StopRecording() override;
    uint32_t RecordFileType() const override { return kTextFileType; }
    void RecordText(const char* text) override;

    // Whether a write of the current or last recording failed.
    bool RecordFailed() const override;
    uint8_t RecordState() const { return fRecordState; }
    uint32_t RequestedRate() const { return fRequestedRate; }
    float RequestedFcRatio() const { return fRequestedFcRatio; }

protected:
    // The link's side of reading and writing.
    virtual bool PortCanRead() const = 0;
    virtual bool PortStartRead(void* buffer, uint32_t length) = 0;
    virtual bool PortCanWrite() const = 0;
    virtual bool PortWrite(const void* data, uint32_t length) = 0;

    // Whether an input byte is there, and taking it; the analyser source translates here.
    virtual bool HasInput();
    virtual uint8_t TakeInput() { return fReceive[fParseIndex++]; }
    // Whether the input is the received bytes unchanged, so that runs of them can be parsed
    // straight from the receive buffer; false for a source that translates.
    virtual bool ReadsRawInput() const { return true; }
    bool HasReceived() const { return fParseIndex < fReceivedCount; }

    // Starts a fresh stream (after the link opened): parser reset, at line start.
    void BeginStream();
    // Asks the link for the next bytes into the receive buffer. Takes the queue lock.
    void StartRead();
    // The link delivered `count` bytes into the receive buffer.
    void SetReceived(uint32_t count);
    // Store a request and send what is pending. Take the queue lock.
    void RequestRate(uint32_t rate);
    void RequestFcRatio(float ratio);
    void RequestBaseline();
    void RequestTypeName();
    // Writes the pending requests in one write when the link can write now. Queue lock held.
    void SendCommands();
    // The requests every newly opened link gets: the Fc ratio, the rate and a baseline.
    void SendOpeningRequests();
    // A completed read becomes "CSampleSrc_Data" for the parent, a completed write sends
    // what is pending; false for any other message.
    bool HandleLinkCompletion(LMessage& result, const LMessage& msg, const char* readType, const char* sentType,
                              uint32_t receivedCount);
    // Detaches and destroys the recorder at once.
    void DropRecorder();

    LAsyncQueue* Queue() const { return fQueue; }

private:
    // Whether the received bytes can be parsed a run at a time: no text waits to be injected
    // and nothing records.
    bool CanParseRun() const { return !fInjecting && fInjection.Length() == 0 && !fRecorder && ReadsRawInput(); }
    int32_t ReadRun(float frame[], uint32_t max);
    void IssueRead();
    uint8_t NextByte();
    void RecordByte(uint8_t c);

    LAsyncQueue* fQueue;
    CLogSaverA* fRecorder = nullptr;
    int32_t fLimitSeconds = -1;
    uint32_t fRecordStart = 0;
    uint8_t fRecordState = kRecordOff;
    bool fAtLineStart = true;
    bool fInjecting = false;
    bool fLastRecordFailed = false;
    LStrStream fInjection;
    uint32_t fInjectionIndex = 0;

    uint32_t fRequestedRate = 120;
    float fRequestedFcRatio = 1.0f / 3.0f;
    uint32_t fParseIndex = 0;
    uint32_t fReceivedCount = 0;
    bool fReadOutstanding = false; // a read was asked of the link and not yet reported
    bool fSrPending = false;
    bool fFrPending = false;
    bool fBlPending = false;
    bool fDnPending = false;
    std::string fCommandData; // the bytes of the write in flight
    uint8_t fReceive[kReceiveSize];
};
