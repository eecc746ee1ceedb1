#include "foundation/records/LMergeKey.h"

#include "foundation/records/LObject.h"

LMergeKey::Key LMergeKey::sLast;
int32_t LMergeKey::sLastElement = -1;

LMergeKey::Key LMergeKey::Make(const LObject* record, uint8_t field)
{
    return Key{record, record->Class(), field, record->PlaceField(), record->Parent(),
               record->IndexInParent()};
}

CUndoStrm::Mode LMergeKey::ModeFor(const LObject* record, uint8_t field, bool merge, bool changed)
{
    if (!changed) {
        Forget();
        return CUndoStrm::Mode::New;
    }
    const Key key = Make(record, field);
    if (merge && sLast.record && sLast == key)
        return CUndoStrm::Mode::Merge;
    sLast = key;
    return CUndoStrm::Mode::New;
}

void LMergeKey::UseElementIndex(int32_t index)
{
    if (index != sLastElement)
        sLast = Key{};
    sLastElement = index;
}

void LMergeKey::Forget()
{
    sLast = Key{};
}
