#pragma once
#include "foundation/records/CUndoStrm.h"

#include <cstdint>

class LObject;
class LClassDesc;

// The last recorded edit of any tree (process-wide, main thread only): a run of edits of the
// same field of the same record may fold into one undo step.
class LMergeKey {
public:
    // The undo mode of a value edit: Merge when asked and this edit hits the same field of
    // the same record as the last one; otherwise this edit becomes the last one (New).
    // An edit that changes nothing leaves no record at top level, so it must not become the
    // last edit either: a later edit would fold into some other record of the same kind.
    static CUndoStrm::Mode ModeFor(const LObject* record, uint8_t field, bool merge, bool changed);
    // Element edits: a different element index than last time forgets the last edit.
    static void UseElementIndex(int32_t index);
    // Nothing merges across a structural edit.
    static void Forget();

private:
    struct Key {
        const LObject* record = nullptr;
        const LClassDesc* cls = nullptr;
        uint8_t field = 0;
        uint8_t placeField = 0;
        const LObject* parent = nullptr;
        int32_t indexInParent = 0;
        bool operator==(const Key&) const = default;
    };
    static Key Make(const LObject* record, uint8_t field);

    static Key sLast;
    static int32_t sLastElement;
};
