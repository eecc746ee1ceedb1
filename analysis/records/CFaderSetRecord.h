#pragma once
#include "foundation/records/LObjRoot.h"

#include <cstdint>

class LHandler;

// The record tree of one document: an 'FDRS' root with its settings, faders and channels.
// The document window owns one. Fader edits here keep each band's and range's low end at
// or below its high end, and record each edit as one undo step.
class CFaderSetRecord : public LObjRoot {
public:
    // A new document with every field at its default (null root when the classes are missing).
    CFaderSetRecord();

    // Sets a fader's band low frequency, first raising the high frequency to it when needed.
    // Successive edits of the same fader and operation merge into one undo step. An index out
    // of range or a value that is not a finite number changes nothing.
    void SetFaderLowFreq(LHandler* context, int32_t index, float value);
    // Sets a fader's band high frequency, first lowering the low frequency to it when needed.
    void SetFaderHighFreq(LHandler* context, int32_t index, float value);
    // Sets a fader's input range low end, first raising the high end to it when needed.
    void SetFaderLowAmp(LHandler* context, int32_t index, float value);
    // Sets a fader's input range high end, first lowering the low end to it when needed.
    void SetFaderHighAmp(LHandler* context, int32_t index, float value);

    // Marks fader `index` as the fader editor's current row and every other fader as not
    // (memory only, not undoable).
    void SetCurrentFader(int32_t index);
    // Appends a new fader with default settings; its index, or -1 when it cannot be made.
    int32_t AppendFader(LHandler* context);
    // Removes every fader (last first) and resets the requested sample rate; used before the
    // document is destroyed.
    void RemoveAllFaders();

    // The fader at `index`, or null.
    LObject* Fader(int32_t index) const;
    int32_t FaderCount() const;
    LObject* Common() const;
};

// Makes the document hold max(n, 1) channel records (at most kMaxChannelRecords), removing
// from the end or appending as one undo step.
void ResizeChannelRecords(LObject* document, LHandler* context, uint32_t n);

// Stores the level factor of the current source type and its display form (scale, decimals
// + 1, unit prefix) in the document's memory-only fields, unless they already hold them.
void SetLevelRecord(LObject* document, float factor);
