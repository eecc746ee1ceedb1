#pragma once
#include "foundation/records/CUndoStrm.h"
#include "foundation/records/LObject.h"

#include <cstdint>

// Reads the items of an undo record in the replay's direction: forwards from the data start
// for redo, backwards from the data end for undo. Record layouts are built so that a replay
// meets its items in the same logical order both ways.
class CUndoItemReader {
public:
    CUndoItemReader(CUndoStrm& reader, int direction)
        : r(reader), fForward(direction == CUndoStrm::kRedo)
    {
    }

    bool Forward() const { return fForward; }
    uint8_t U8() { return fForward ? r.ReadU8Fwd() : r.ReadBackU8(); }
    uint32_t U32() { return fForward ? r.ReadU32Fwd() : r.ReadBackU32(); }
    uint64_t U64() { return fForward ? r.ReadU64Fwd() : r.ReadBackU64(); }
    void Bytes(void* buffer, uint64_t n) { fForward ? r.ReadBytes(buffer, n) : r.ReadBack(buffer, n); }
    LStringRef Text() { return fForward ? r.ReadString() : r.ReadBackString(); }
    bool Element(LFieldType type, LElementValue& value)
    {
        return fForward ? LObject::ReadElementForward(r, type, value) : LObject::ReadElementBackward(r, type, value);
    }
    bool Snapshot(LObjectPtr& record)
    {
        return fForward ? LObject::ReadSnapshotForward(r, record) : LObject::ReadSnapshotBackward(r, record);
    }
    void Array(LObject* record, uint8_t field, LFieldType type)
    {
        fForward ? LObject::ReadArrayForward(r, record, field, type)
                 : LObject::ReadArrayBackward(r, record, field, type);
    }
    // The edited record and field; null when the path no longer resolves.
    LObject* Path(LObject* root, uint8_t& field)
    {
        if (!fForward)
            return LObject::ReadPathBackward(r, root, field);
        field = r.ReadU8Fwd();
        if (r.ReadU32Fwd() != 0xFFFFFFFF || r.Failed())
            return nullptr;
        return LObject::ReadPathForward(r, root);
    }
    bool Ok() const { return !r.Failed(); }

    CUndoStrm& r;

private:
    bool fForward;
};
