#include "analysis/events/EventList.h"
#include "analysis/records/SnxFields.h"
#include "foundation/records/LObject.h"

uint32_t EventList::Count(const LObject* events)
{
    return events ? events->GetArrayCount(kEvtsEvts) : 0;
}

LObject* EventList::At(const LObject* events, uint32_t index)
{
    return events ? events->GetChild(kEvtsEvts, index) : nullptr;
}

float EventList::Time(const LObject* events, uint32_t index)
{
    const LObject* event = At(events, index);
    return event ? event->GetFloat(kEvtxTime) : 0.0f;
}

uint32_t EventList::InsertIndex(const LObject* events, float t)
{
    // Binary search: the times are in order.
    uint32_t low = 0;
    uint32_t high = Count(events);
    while (low < high) {
        const uint32_t mid = low + (high - low) / 2;
        if (Time(events, mid) > t)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

uint32_t EventList::Resort(LObject* events, LHandler* context, uint32_t index)
{
    const uint32_t count = Count(events);
    if (index >= count)
        return index;
    const float t = Time(events, index);
    uint32_t to = index;
    if (index > 0 && t < Time(events, index - 1)) {
        // Up to just after the last earlier event whose time is not greater.
        while (to > 0 && Time(events, to - 1) > t)
            --to;
        LObject::MoveChild(events, context, kEvtsEvts, index, to);
        return to;
    }
    if (index + 1 < count && t > Time(events, index + 1)) {
        // Down to just before the first later event whose time is not smaller.
        to = index + 1;
        while (to < count && Time(events, to) < t)
            ++to;
        LObject::MoveChild(events, context, kEvtsEvts, index, to);
        return to - 1;
    }
    return index;
}

void SendDeviceText(LObject* windowRecord, const char* text)
{
    if (!windowRecord)
        return;
    LObject::SetString(windowRecord, nullptr, kWindDeviceText, LStringRef(text), LObject::Merge::No);
    LObject::StoreDefault(windowRecord, kWindDeviceText);
}
