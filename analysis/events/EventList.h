#pragma once
#include <cstdint>

class LHandler;
class LObject;

// The event texts of a document: an 'EVTS' record whose list holds 'EVTX' records (a time in
// seconds and a text) in non-decreasing order of time.
struct EventList {
    static uint32_t Count(const LObject* events);
    static LObject* At(const LObject* events, uint32_t index);
    static float Time(const LObject* events, uint32_t index);
    // The first index whose time is greater than t (the count when there is none).
    static uint32_t InsertIndex(const LObject* events, float t);
    // Moves the event at `index` up or down past the neighbours its time has passed, so that
    // the list is in order again; answers its new index.
    static uint32_t Resort(LObject* events, LHandler* context, uint32_t index);
};

// Hands a text to the document window's live source through the window record: the text is
// stored (and reported), then cleared without a report so that the same text can follow.
void SendDeviceText(LObject* windowRecord, const char* text);
