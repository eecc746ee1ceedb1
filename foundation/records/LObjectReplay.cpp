// Replay functions of record edits: each reads its undo data in the direction given and
// applies the old (undo) or new (redo) value through the recording operations with a null
// context, so observers hear of it and nothing new is recorded.
#include "foundation/records/LObject.h"

#include "foundation/records/CUndoStrm.h"
#include "foundation/records/LObjRoot.h"

namespace {

constexpr uint32_t kPathMark = 0xFFFFFFFF;

LObject* RootOf(uint64_t id)
{
    return LObjRoot::IsLive(id) ? reinterpret_cast<LObjRoot*>(uintptr_t(id))->Root() : nullptr;
}

// Forwards a path starts with its field and a mark.
LObject* PathForward(CUndoStrm& r, LObject* root, uint8_t& field)
{
    field = r.ReadU8Fwd();
    if (r.ReadU32Fwd() != kPathMark || r.Failed())
        return nullptr;
    return LObject::ReadPathForward(r, root);
}

LFieldType ElementTypeOf(const LObject* record, uint8_t field)
{
    const LFieldDesc* fd = record ? record->FieldDesc(field) : nullptr;
    return fd && fd->type == LFieldType::Array ? fd->elemType : LFieldType(0xFF);
}

bool Redo(int direction)
{
    return direction == CUndoStrm::kRedo;
}

} // namespace

void LObject::ReplaySetValue(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id);
    if (!root || !r)
        return;
    uint8_t field = 0;
    uint64_t value = 0;
    LObject* record = nullptr;
    if (Redo(direction)) {
        r->ReadBytes(nullptr, 8);
        record = PathForward(*r, root, field);
        r->ReadBytes(&value, 8);
    } else {
        r->ReadBack(nullptr, 8);
        record = ReadPathBackward(*r, root, field);
        r->ReadBack(&value, 8);
    }
    if (record && !r->Failed())
        SetValue(record, nullptr, field, value, Merge::No);
}

void LObject::ReplaySetFloat(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id);
    if (!root || !r)
        return;
    uint8_t field = 0;
    float value = 0;
    LObject* record = nullptr;
    if (Redo(direction)) {
        r->ReadBytes(nullptr, 4);
        record = PathForward(*r, root, field);
        r->ReadBytes(&value, 4);
    } else {
        r->ReadBack(nullptr, 4);
        record = ReadPathBackward(*r, root, field);
        r->ReadBack(&value, 4);
    }
    if (record && !r->Failed())
        SetFloat(record, nullptr, field, value, Merge::No);
}

void LObject::ReplaySetString(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id);
    if (!root || !r)
        return;
    uint8_t field = 0;
    LStringRef value;
    LObject* record = nullptr;
    if (Redo(direction)) {
        r->ReadString();
        record = PathForward(*r, root, field);
        value = r->ReadString();
    } else {
        r->ReadBackString();
        record = ReadPathBackward(*r, root, field);
        value = r->ReadBackString();
    }
    if (record && !r->Failed())
        SetString(record, nullptr, field, value, Merge::No);
}

void LObject::ReplaySetArray(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id);
    if (!root || !r)
        return;
    uint8_t field = 0;
    if (Redo(direction)) {
        LObject* record = PathForward(*r, root, field);
        const LFieldType type = ElementTypeOf(record, field);
        if (!record || r->Failed() || uint8_t(type) > 4)
            return;
        ReadArrayForward(*r, nullptr, field, type);
        ReadArrayForward(*r, record, field, type);
    } else {
        LObject* record = ReadPathBackward(*r, root, field);
        const LFieldType type = ElementTypeOf(record, field);
        if (!record || r->Failed() || uint8_t(type) > 4)
            return;
        ReadArrayBackward(*r, nullptr, field, type);
        ReadArrayBackward(*r, record, field, type);
    }
}

void LObject::ReplaySetElement(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id);
    if (!root || !r)
        return;
    uint8_t field = 0;
    LElementValue value;
    LFieldType type;
    uint32_t index = 0;
    LObject* record = nullptr;
    if (Redo(direction)) {
        type = LFieldType(r->ReadU8Fwd());
        LElementValue old;
        if (!ReadElementForward(*r, type, old) || !ReadElementForward(*r, type, value))
            return;
        r->ReadU8Fwd();
        index = r->ReadU32Fwd();
        record = PathForward(*r, root, field);
    } else {
        record = ReadPathBackward(*r, root, field);
        index = r->ReadBackU32();
        type = LFieldType(r->ReadBackU8());
        LElementValue newer;
        if (!ReadElementBackward(*r, type, newer) || !ReadElementBackward(*r, type, value))
            return;
        r->ReadBackU8();
    }
    if (record && !r->Failed() && ElementTypeOf(record, field) == type)
        SetArrayElement(record, nullptr, field, index, value.Pointer(type), Merge::No);
}

void LObject::ReplayInsertElement(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id);
    if (!root || !r)
        return;
    uint8_t field = 0;
    if (Redo(direction)) {
        const LFieldType type = LFieldType(r->ReadU8Fwd());
        LElementValue value;
        if (!ReadElementForward(*r, type, value))
            return;
        r->ReadU8Fwd();
        const uint32_t index = r->ReadU32Fwd();
        LObject* record = PathForward(*r, root, field);
        if (record && !r->Failed() && ElementTypeOf(record, field) == type)
            InsertArrayElement(record, nullptr, field, index, value.Pointer(type));
    } else {
        LObject* record = ReadPathBackward(*r, root, field);
        const uint32_t index = r->ReadBackU32();
        if (record && !r->Failed())
            DeleteArrayElement(record, nullptr, field, index);
    }
}

void LObject::ReplayDeleteElement(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id);
    if (!root || !r)
        return;
    uint8_t field = 0;
    if (Redo(direction)) {
        LObject* record = PathForward(*r, root, field);
        const uint32_t index = r->ReadU32Fwd();
        if (record && !r->Failed())
            DeleteArrayElement(record, nullptr, field, index);
    } else {
        const LFieldType type = LFieldType(r->ReadBackU8());
        LElementValue value;
        if (!ReadElementBackward(*r, type, value))
            return;
        r->ReadBackU8();
        const uint32_t index = r->ReadBackU32();
        LObject* record = ReadPathBackward(*r, root, field);
        if (record && !r->Failed() && ElementTypeOf(record, field) == type)
            InsertArrayElement(record, nullptr, field, index, value.Pointer(type));
    }
}

void LObject::ReplaySetChild(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id);
    if (!root || !r)
        return;
    uint8_t field = 0;
    LObjectPtr passed, child;
    LObject* record = nullptr;
    if (Redo(direction)) {
        if (!ReadSnapshotForward(*r, passed))
            return;
        record = PathForward(*r, root, field);
        if (!record || !ReadSnapshotForward(*r, child))
            return;
    } else {
        if (!ReadSnapshotBackward(*r, passed))
            return;
        record = ReadPathBackward(*r, root, field);
        if (!record || !ReadSnapshotBackward(*r, child))
            return;
    }
    ReplaceChild(record, nullptr, field, std::move(child));
}

void LObject::ReplayInsertChild(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id);
    if (!root || !r)
        return;
    uint8_t field = 0;
    if (Redo(direction)) {
        LObjectPtr child;
        if (!ReadSnapshotForward(*r, child))
            return;
        const uint32_t index = r->ReadU32Fwd();
        LObject* record = PathForward(*r, root, field);
        if (record && !r->Failed())
            InsertChild(record, nullptr, field, index, std::move(child));
    } else {
        LObject* record = ReadPathBackward(*r, root, field);
        const uint32_t index = r->ReadBackU32();
        if (record && !r->Failed())
            DeleteChildAt(record, nullptr, field, index);
    }
}

void LObject::ReplayRemoveChild(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id);
    if (!root || !r)
        return;
    uint8_t field = 0;
    if (Redo(direction)) {
        LObject* record = PathForward(*r, root, field);
        const uint32_t index = r->ReadU32Fwd();
        if (record && !r->Failed())
            DeleteChildAt(record, nullptr, field, index);
    } else {
        LObjectPtr child;
        if (!ReadSnapshotBackward(*r, child))
            return;
        const uint32_t index = r->ReadBackU32();
        LObject* record = ReadPathBackward(*r, root, field);
        if (record && !r->Failed())
            InsertChild(record, nullptr, field, index, std::move(child));
    }
}

void LObject::ReplayMoveChild(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id);
    if (!root || !r)
        return;
    uint8_t field = 0;
    if (Redo(direction)) {
        LObject* record = PathForward(*r, root, field);
        const uint32_t from = r->ReadU32Fwd();
        const uint32_t to = r->ReadU32Fwd();
        if (record && !r->Failed())
            MoveChild(record, nullptr, field, from, to);
        return;
    }
    const uint32_t to = r->ReadBackU32();
    const uint32_t from = r->ReadBackU32();
    LObject* record = ReadPathBackward(*r, root, field);
    if (!record || r->Failed())
        return;
    if (from < to)
        MoveChild(record, nullptr, field, to - 1, from);
    else
        MoveChild(record, nullptr, field, to, from + 1);
}
