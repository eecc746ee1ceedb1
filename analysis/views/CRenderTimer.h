#pragma once
#include "foundation/core/LHandler.h"
#include "ui/LTimer.h"

#include <cstdint>

// Paces the drawing of a document's views: requests are coalesced into one pass per timer
// expiry, and a pass starts at most once per running mean of the passes' own duration after
// the previous one began. A due pass reaches the owner as "CRenderTimer_Time".
class CRenderTimer : public LHandler {
public:
    static const char* msgTime;   // "CRenderTimer_Time"

    explicit CRenderTimer(LHandler* owner);

    // A pass is wanted; with the timer idle it fires at the next timer pass.
    void Request();
    // Notes the start of a pass and arms the timer at the mean pass time.
    void BeginRender();
    // Folds the pass's duration into the running mean (weight 1/32).
    void EndRender();

    bool IsRequested() const { return fRequested; }
    uint32_t MeanAcc() const { return fMeanAcc; }
    const LTimer& Timer() const { return fTimer; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    LTimer fTimer;
    uint32_t fStartMs = 0;
    uint32_t fMeanAcc = 0;   // 32 times the mean pass time in ms
    bool fRequested = false;
};
