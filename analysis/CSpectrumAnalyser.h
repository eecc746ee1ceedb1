#pragma once
#include "analysis/CEventLineRing.h"
#include "analysis/CSpectrumChan.h"
#include "analysis/records/SnxFields.h"

#include <cstdint>
#include <memory>
#include <vector>

class LAsyncQueue;
class LObject;
struct LObjChange;

// The analysis state of one document window: the event-line ring plus one channel per
// analysed signal channel, all with the same FFT size and ring length.
class CSpectrumAnalyser : public CEventLineRing {
public:
    // More channels than this are never set up: sources deliver at most four values a frame,
    // and a damaged document must not make the window allocate without bound.
    static constexpr uint32_t kMaxChannels = kMaxChannelRecords;
    // Every ring holds at least 2^13 samples, whatever the FFT size.
    static constexpr uint32_t kRingOrder = 13;

    // Discards every channel and event line, then makes min(count, kMaxChannels) channels of
    // 2^order points. False on the first failure; the channels made so far stay.
    [[nodiscard]] bool Setup(uint32_t count, uint32_t order, uint32_t ringOrder);

    // Observer of the document tree (context: the analyser). A change of the FFT order or of
    // the channel list sets the analyser up again from the document, under the queue's lock.
    static void OnDocumentChange(void* context, LObjChange& notice);
    // Sets up one channel per channel record of the document, at the document's FFT order
    // (kept within 1 .. CFFT::kMaxOrder).
    [[nodiscard]] bool SetupFromDocument(const LObject* document);
    // The lock taken around set-ups: the dispatch queue whose thread pushes samples (none in tests).
    void SetQueue(LAsyncQueue* queue) { fQueue = queue; }

    uint32_t ChannelCount() const { return static_cast<uint32_t>(channels.size()); }
    CSpectrumChan* Channel(uint32_t i) const { return i < channels.size() ? channels[i].get() : nullptr; }

    std::vector<std::unique_ptr<CSpectrumChan>> channels;

private:
    LAsyncQueue* fQueue = nullptr;
};
