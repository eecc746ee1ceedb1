// Replay functions of record edits: each reads its undo data in the direction given and
// applies the old (undo) or new (redo) value through the recording operations with a null
// context, so observers hear of it and nothing new is recorded.
//
// Inverse edits store mirror-image layouts, so undoing one reads its items in the order in
// which redoing the other does: one apply step serves both (insertion and deletion of an
// element or a child), read through a reader that goes the record's way.
#include "foundation/records/LObject.h"

#include "foundation/records/CUndoItemReader.h"
#include "foundation/records/CUndoStrm.h"
#include "foundation/records/LObjRoot.h"

namespace {

LObject* RootOf(uint64_t id, const CUndoStrm* reader)
{
    if (!reader || !LObjRoot::IsLive(id))
        return nullptr;
    return reinterpret_cast<LObjRoot*>(uintptr_t(id))->Root();
}

LFieldType ElementTypeOf(const LObject* record, uint8_t field)
{
    const LFieldDesc* fd = record ? record->FieldDesc(field) : nullptr;
    return fd && fd->type == LFieldType::Array ? fd->elemType : LFieldType(0xFF);
}

// Old value, path, new value of a fixed size: the record when the value was read.
LObject* ReadFixedValue(CUndoItemReader& in, LObject* root, void* value, uint64_t size, uint8_t& field)
{
    in.Bytes(nullptr, size);
    LObject* record = in.Path(root, field);
    in.Bytes(value, size);
    return in.Ok() ? record : nullptr;
}

// Element type, element, element type, index, path: inserts the element.
void ApplyInsertElement(CUndoItemReader& in, LObject* root)
{
    const LFieldType type = LFieldType(in.U8());
    LElementValue value;
    if (!in.Element(type, value))
        return;
    in.U8();
    const uint32_t index = in.U32();
    uint8_t field = 0;
    LObject* record = in.Path(root, field);
    if (record && in.Ok() && ElementTypeOf(record, field) == type)
        (void)LObject::InsertArrayElement(record, nullptr, field, index, value.Pointer(type));
}

// Path, index: deletes the element.
void ApplyDeleteElement(CUndoItemReader& in, LObject* root)
{
    uint8_t field = 0;
    LObject* record = in.Path(root, field);
    const uint32_t index = in.U32();
    if (record && in.Ok())
        LObject::DeleteArrayElement(record, nullptr, field, index);
}

// Snapshot, index, path: inserts the rebuilt child (destroyed when the path fails).
void ApplyInsertChild(CUndoItemReader& in, LObject* root)
{
    LObjectPtr child;
    if (!in.Snapshot(child))
        return;
    const uint32_t index = in.U32();
    uint8_t field = 0;
    LObject* record = in.Path(root, field);
    if (record && in.Ok())
        LObject::InsertChild(record, nullptr, field, index, std::move(child));
}

// Path, index: deletes the child.
void ApplyDeleteChild(CUndoItemReader& in, LObject* root)
{
    uint8_t field = 0;
    LObject* record = in.Path(root, field);
    const uint32_t index = in.U32();
    if (record && in.Ok())
        LObject::DeleteChildAt(record, nullptr, field, index);
}

} // namespace

void LObject::ReplaySetValue(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id, r);
    if (!root)
        return;
    CUndoItemReader in(*r, direction);
    uint64_t value = 0;
    uint8_t field = 0;
    if (LObject* record = ReadFixedValue(in, root, &value, sizeof value, field))
        SetValue(record, nullptr, field, value, Merge::No);
}

void LObject::ReplaySetFloat(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id, r);
    if (!root)
        return;
    CUndoItemReader in(*r, direction);
    float value = 0;
    uint8_t field = 0;
    if (LObject* record = ReadFixedValue(in, root, &value, sizeof value, field))
        SetFloat(record, nullptr, field, value, Merge::No);
}

void LObject::ReplaySetString(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id, r);
    if (!root)
        return;
    CUndoItemReader in(*r, direction);
    uint8_t field = 0;
    in.Text();
    LObject* record = in.Path(root, field);
    const LStringRef value = in.Text();
    if (record && in.Ok())
        SetString(record, nullptr, field, value, Merge::No);
}

void LObject::ReplaySetArray(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id, r);
    if (!root)
        return;
    CUndoItemReader in(*r, direction);
    uint8_t field = 0;
    LObject* record = in.Path(root, field);
    const LFieldType type = ElementTypeOf(record, field);
    if (!record || !in.Ok() || uint8_t(type) > uint8_t(LFieldType::String))
        return;
    in.Array(nullptr, field, type);  // the value being replaced
    in.Array(record, field, type);
}

void LObject::ReplaySetElement(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id, r);
    if (!root)
        return;
    uint8_t field = 0;
    LElementValue value, passed;
    LFieldType type;
    uint32_t index = 0;
    LObject* record = nullptr;
    if (direction == CUndoStrm::kRedo) {
        type = LFieldType(r->ReadU8Fwd());
        if (!ReadElementForward(*r, type, passed) || !ReadElementForward(*r, type, value))
            return;
        r->ReadU8Fwd();
        index = r->ReadU32Fwd();
        record = CUndoItemReader(*r, direction).Path(root, field);
    } else {
        record = ReadPathBackward(*r, root, field);
        index = r->ReadBackU32();
        type = LFieldType(r->ReadBackU8());
        if (!ReadElementBackward(*r, type, passed) || !ReadElementBackward(*r, type, value))
            return;
        r->ReadBackU8();
    }
    if (record && !r->Failed() && ElementTypeOf(record, field) == type)
        SetArrayElement(record, nullptr, field, index, value.Pointer(type), Merge::No);
}

void LObject::ReplayInsertElement(uint64_t id, CUndoStrm* r, int direction)
{
    if (LObject* root = RootOf(id, r)) {
        CUndoItemReader in(*r, direction);
        direction == CUndoStrm::kRedo ? ApplyInsertElement(in, root) : ApplyDeleteElement(in, root);
    }
}

void LObject::ReplayDeleteElement(uint64_t id, CUndoStrm* r, int direction)
{
    if (LObject* root = RootOf(id, r)) {
        CUndoItemReader in(*r, direction);
        direction == CUndoStrm::kRedo ? ApplyDeleteElement(in, root) : ApplyInsertElement(in, root);
    }
}

void LObject::ReplaySetChild(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id, r);
    if (!root)
        return;
    CUndoItemReader in(*r, direction);
    LObjectPtr passed, child;
    uint8_t field = 0;
    if (!in.Snapshot(passed))
        return;
    LObject* record = in.Path(root, field);
    if (record && in.Ok() && in.Snapshot(child))
        ReplaceChild(record, nullptr, field, std::move(child));
}

void LObject::ReplayInsertChild(uint64_t id, CUndoStrm* r, int direction)
{
    if (LObject* root = RootOf(id, r)) {
        CUndoItemReader in(*r, direction);
        direction == CUndoStrm::kRedo ? ApplyInsertChild(in, root) : ApplyDeleteChild(in, root);
    }
}

void LObject::ReplayRemoveChild(uint64_t id, CUndoStrm* r, int direction)
{
    if (LObject* root = RootOf(id, r)) {
        CUndoItemReader in(*r, direction);
        direction == CUndoStrm::kRedo ? ApplyDeleteChild(in, root) : ApplyInsertChild(in, root);
    }
}

void LObject::ReplayMoveChild(uint64_t id, CUndoStrm* r, int direction)
{
    LObject* root = RootOf(id, r);
    if (!root)
        return;
    uint8_t field = 0;
    if (direction == CUndoStrm::kRedo) {
        LObject* record = CUndoItemReader(*r, direction).Path(root, field);
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
    // Put the element back: it now sits just before the old `to` (or at it, moving down).
    if (from < to)
        MoveChild(record, nullptr, field, to - 1, from);
    else
        MoveChild(record, nullptr, field, to, from + 1);
}
