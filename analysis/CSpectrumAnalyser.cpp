#include "analysis/CSpectrumAnalyser.h"

#include "analysis/CFFT.h"
#include "analysis/records/CSnxSchema.h"
#include "foundation/async/LAsyncQueue.h"
#include "foundation/records/LObjChange.h"

#include <algorithm>

bool CSpectrumAnalyser::Setup(uint32_t count, uint32_t order, uint32_t ringOrder)
{
    while (!channels.empty())
        channels.pop_back();
    if (!Alloc(order, ringOrder))
        return false;
    count = std::min(count, kMaxChannels);
    channels.reserve(kMaxChannels);
    for (uint32_t c = 0; c < count; ++c) {
        auto chan = std::make_unique<CSpectrumChan>();
        if (!chan->Alloc(order, ringOrder))
            return false;
        channels.push_back(std::move(chan));
    }
    return true;
}

bool CSpectrumAnalyser::SetupFromDocument(const LObject* document)
{
    if (!document)
        return false;
    const LObject* common = document->GetChild(kFdrsComn);
    const int order = common ? common->GetByte(kComnFtsx) : 0;
    return Setup(document->GetArrayCount(kFdrsChns), CFFT::ClampOrder(order), kRingOrder);
}

void CSpectrumAnalyser::OnDocumentChange(void* context, LObjChange& notice)
{
    auto* analyser = static_cast<CSpectrumAnalyser*>(context);
    const LObject* record = notice.record;
    if (!analyser || !record)
        return;
    const LObject* document = nullptr;
    if (record->Is(CSnxSchema::kCreator, CSnxSchema::kDocClass) && notice.field == kFdrsChns)
        document = record;
    else if (record->Is(CSnxSchema::kCreator, CSnxSchema::kCommonClass) && notice.field == kComnFtsx)
        document = record->Parent();
    if (!document)
        return;
    if (analyser->fQueue) {
        LAsyncQueueLock lock(*analyser->fQueue);
        (void)analyser->SetupFromDocument(document);
    } else {
        (void)analyser->SetupFromDocument(document);
    }
}
