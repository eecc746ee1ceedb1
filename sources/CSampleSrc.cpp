#include "sources/CSampleSrc.h"

#include "foundation/core/StrEqual.h"

const char* CSampleSrc::msgData = "CSampleSrc_Data";

void CSampleSrc::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == this && StrEqual(msg.type, msgData)) {
        DrainFrames();
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}

void CSampleSrc::DrainFrames()
{
    float frame[1];
    for (;;) {
        const int32_t n = Read(frame, 1);
        if (n == 0)
            return;
        // An event without text may mean that the source cannot go on now (a full recorder
        // ring): reading again at once would never end. The source sends its data message
        // again when it can go on.
        if (n < 0 && TakeText().IsEmpty())
            return;
    }
}

void CSampleSrc::MakeDataMessage(LMessage& result) { LMessage::Make(result, msgData, this, Parent()); }

int32_t CSampleSrc::StartRecording(const char*, float) { return 1; }
void CSampleSrc::RecordText(const char*) {}
void CSampleSrc::SetRate(uint32_t) {}
void CSampleSrc::SetFcRatio(float) {}
int32_t CSampleSrc::Open(const char*) { return 1; }
void CSampleSrc::SetActive(bool) {}
void CSampleSrc::SeekSeconds(bool, float) {}
int32_t CSampleSrc::ReadNext(float[], uint32_t) { return 0; }
void CSampleSrc::GetPositionFrames(CSourcePosition&) const {}
void CSampleSrc::SeekFrames(const CSourcePosition&) {}
