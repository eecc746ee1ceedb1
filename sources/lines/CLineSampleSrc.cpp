#include "sources/lines/CLineSampleSrc.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/text/NumberFormat.h"
#include "foundation/core/StrEqual.h"
#include "sources/lines/CLogSaverA.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Texts waiting to be injected are bounded: a flood of texts while no bytes arrive must
// not grow without end.
constexpr uint32_t kMaxInjection = 65536;

bool IsLineEnd(uint8_t c) { return c == '\r' || c == '\n'; }

} // namespace

CLineSampleSrc::CLineSampleSrc(LHandler* parent, LAsyncQueue* queue) : CTextSampleSrc(parent), fQueue(queue) {}

CLineSampleSrc::~CLineSampleSrc() { DropRecorder(); }

void CLineSampleSrc::DropRecorder()
{
    CLogSaverA* recorder;
    {
        LAsyncQueueLock lock(*fQueue);
        recorder = fRecorder;
        fRecorder = nullptr;
        fRecordState = kRecordOff;
        if (recorder)
            fLastRecordFailed = recorder->HasFailed();
    }
    delete recorder;
}

void CLineSampleSrc::BeginStream()
{
    Reset();
    fAtLineStart = true;
    fInjecting = false;
    fParseIndex = fReceivedCount = 0;
    fReadOutstanding = false;
}

bool CLineSampleSrc::HasInput() { return HasReceived(); }

void CLineSampleSrc::StartRead()
{
    LAsyncQueueLock lock(*fQueue);
    // A pull may have asked for bytes before the link reported itself open: what that read
    // brought is the start of the stream and stays to be parsed.
    if (!HasReceived())
        IssueRead();
}

// The receive buffer holds one read at a time: a read finished on the link but not yet
// reported (SetReceived) must not be overwritten by the next one.
void CLineSampleSrc::IssueRead()
{
    if (fReadOutstanding)
        return;
    fParseIndex = fReceivedCount = 0;
    if (!PortCanRead())
        return;
    // Marked first: a link may report the read (SetReceived) before it returns.
    fReadOutstanding = true;
    if (!PortStartRead(fReceive, kReceiveSize))
        fReadOutstanding = false;
}

void CLineSampleSrc::SetReceived(uint32_t count)
{
    fReadOutstanding = false;
    fParseIndex = 0;
    fReceivedCount = count > kReceiveSize ? kReceiveSize : count;
}

int32_t CLineSampleSrc::Read(float frame[], uint32_t max)
{
    LAsyncQueueLock lock(*fQueue);
    for (;;) {
        if (!fInjecting && !HasInput()) {
            IssueRead();
            return 0;
        }
        if (CanParseRun()) {
            const int32_t r = ReadRun(frame, max);
            if (r != 0)
                return r;
            continue;
        }
        if (fRecorder && fRecorder->IsFull())
            return -1; // the recorder must catch up; nothing is consumed
        const uint8_t c = NextByte();
        RecordByte(c);
        const int32_t r = ParseChar(c);
        if (r == kParsedEvent)
            return -1;
        if (r == kParsedFrame)
            return ScaleFrame(frame, max);
    }
}

// The received bytes up to the next frame or event: what Read returns, or 0 when they ran out.
int32_t CLineSampleSrc::ReadRun(float frame[], uint32_t max)
{
    uint32_t used = 0;
    const int32_t r = ParseRun(fReceive + fParseIndex, fReceivedCount - fParseIndex, used);
    fParseIndex += used;
    if (used > 0)
        fAtLineStart = IsLineEnd(fReceive[fParseIndex - 1]);
    if (r == kParsedEvent)
        return -1;
    if (r == kParsedFrame)
        return ScaleFrame(frame, max);
    return 0;
}

uint8_t CLineSampleSrc::NextByte()
{
    if (!fInjecting && fInjection.Length() > 0 && AtLineBoundary()) {
        fInjecting = true;
        fInjectionIndex = 0;
    }
    if (fInjecting) {
        const uint8_t c = uint8_t(fInjection.View()[fInjectionIndex++]);
        if (fInjectionIndex >= fInjection.Length()) {
            fInjection.Clear();
            fInjectionIndex = 0;
            fInjecting = false;
        }
        return c;
    }
    return TakeInput();
}

void CLineSampleSrc::RecordByte(uint8_t c)
{
    if (fRecorder && (fRecordState == kRecording || fRecordState == kRecordStopping)) {
        const bool expired = fLimitSeconds >= 0 &&
                             int64_t(fLimitSeconds) * 1000 <= int64_t(uint32_t(fQueue->NowMs() - fRecordStart));
        if (!expired)
            fRecorder->PutByte(c);
    }
    if (IsLineEnd(c)) {
        fAtLineStart = true;
        if (fRecordState == kRecordStopping)
            fRecordState = kRecordOff;
        else if (fRecordState == kRecordArmed)
            fRecordState = kRecording;
    } else {
        fAtLineStart = false;
    }
}

void CLineSampleSrc::RecordText(const char* cText)
{
    const std::string_view text = cText ? cText : "";
    if (text.empty())
        return;
    LAsyncQueueLock lock(*fQueue);
    if (fInjection.Length() + text.size() + 4 > kMaxInjection)
        return;
    fInjection << "tx ";
    // A line end inside the text would end the line early and let the rest be read as data.
    for (char c : text)
        fInjection.PutChar(IsLineEnd(uint8_t(c)) ? ' ' : c);
    fInjection.PutChar('\r');
}

int32_t CLineSampleSrc::StartRecording(const char* cPath, float seconds)
{
    const std::string_view path = cPath ? cPath : "";
    DropRecorder();
    auto file = std::make_unique<plat::DataFork>();
    if (file->Open(std::string(path), plat::ForkAccess::ReadWrite) != plat::FileResult::Ok)
        return 1;
    LStrStream header;
    header << "dn " << TypeName().View() << '\r';
    const LStringRef ratio = DoubleToStringTrim(4, FcRatio());
    const LStringRef rate = ULongToString(SampleRate());
    header << "fr " << ratio.View() << '\r' << "sr " << rate.View() << '\r';
    if (file->WriteAt(0, header.CStr(), header.Length()) != plat::FileResult::Ok ||
        file->SetSize(header.Length()) != plat::FileResult::Ok) {
        fLastRecordFailed = true;
        return 2;
    }
    auto* recorder = new CLogSaverA(this, fQueue);
    recorder->SetFile(std::move(file));
    LAsyncQueueLock lock(*fQueue);
    // A negative or non-finite limit means none; whole seconds are enough for a recording's length.
    fLimitSeconds = std::isfinite(seconds) && seconds >= 0 ? int32_t(std::min(seconds, 2.0e9f)) : -1;
    fRecordStart = fQueue->NowMs();
    fRecordState = fAtLineStart ? kRecording : kRecordArmed;
    fRecorder = recorder;
    fLastRecordFailed = false;
    RestartPosition();
    return 0;
}

void CLineSampleSrc::StopRecording()
{
    {
        LAsyncQueueLock lock(*fQueue);
        if (fRecordState == kRecording && !fAtLineStart) {
            fRecordState = kRecordStopping; // ends with the line under way
            return;
        }
    }
    DropRecorder();
}

bool CLineSampleSrc::RecordFailed() const
{
    LAsyncQueueLock lock(*fQueue);
    return fRecorder ? fRecorder->HasFailed() : fLastRecordFailed;
}

void CLineSampleSrc::RequestRate(uint32_t rate)
{
    LAsyncQueueLock lock(*fQueue);
    fRequestedRate = rate;
    fSrPending = true;
    SendCommands();
}

void CLineSampleSrc::RequestFcRatio(float ratio)
{
    LAsyncQueueLock lock(*fQueue);
    fRequestedFcRatio = ratio;
    fFrPending = true;
    SendCommands();
}

void CLineSampleSrc::RequestBaseline()
{
    LAsyncQueueLock lock(*fQueue);
    fBlPending = true;
    SendCommands();
}

void CLineSampleSrc::RequestTypeName()
{
    LAsyncQueueLock lock(*fQueue);
    fDnPending = true;
}

void CLineSampleSrc::SendOpeningRequests()
{
    SetFcRatio(fRequestedFcRatio);
    SetRate(fRequestedRate);
    SendBaseline();
}

bool CLineSampleSrc::HandleLinkCompletion(LMessage& result, const LMessage& msg, const char* readType,
                                          const char* sentType, uint32_t receivedCount)
{
    if (StrEqual(msg.type, readType)) {
        SetReceived(receivedCount);
        MakeDataMessage(result);
        return true;
    }
    if (StrEqual(msg.type, sentType)) {
        LAsyncQueueLock lock(*fQueue);
        SendCommands();
        LMessage::Clear(result);
        return true;
    }
    return false;
}

void CLineSampleSrc::SendCommands()
{
    if (!PortCanWrite())
        return;
    LStrStream commands;
    if (fDnPending)
        commands << "DN\n";
    if (fSrPending)
        commands << "SR " << ULongToString(fRequestedRate).View() << '\n';
    if (fFrPending)
        commands << "FR " << DoubleToStringTrim(4, fRequestedFcRatio).View() << '\n';
    if (fBlPending)
        commands << "BL\n";
    if (commands.Length() == 0)
        return;
    fDnPending = fSrPending = fFrPending = fBlPending = false;
    fCommandData.assign(commands.View());
    PortWrite(fCommandData.data(), uint32_t(fCommandData.size()));
}
