#include "sources/CSampleSrc.h"

#include "foundation/StrEqual.h"

const char* CSampleSrc::msgData = "CSampleSrc_Data";

void CSampleSrc::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == this && StrEqual(msg.type, msgData)) {
        // Bounded, so that a source that keeps reporting events cannot hold the thread.
        float value;
        for (int i = 0; i < (1 << 20) && Read(&value, 1) != 0; ++i) {
        }
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}

int32_t CSampleSrc::StartRecording(const char*, float)
{
    return 0;
}

void CSampleSrc::SeekSeconds(bool, float) {}
