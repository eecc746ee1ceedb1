// Recording setters of scalar, text and array fields, resets and raw array stores.
#include "foundation/records/LObject.h"

#include "foundation/geometry/CLRect.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/LFieldArray.h"
#include "foundation/records/LMergeKey.h"
#include "foundation/records/LObjectEdit.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

bool IsIntegerType(LFieldType type)
{
    return type == LFieldType::Int32 || type == LFieldType::UInt32 || type == LFieldType::Byte;
}

// The field entry of an array field with a valid element type, else null.
const LFieldDesc* ArrayField(const LObject* record, uint8_t field)
{
    const LFieldDesc* fd = record ? record->FieldDesc(field) : nullptr;
    return fd && fd->type == LFieldType::Array && LFieldArray::IsValidType(fd->elemType) ? fd : nullptr;
}

void WriteElements(CUndoStrm& undo, LFieldType elemType, const void* elements, uint32_t count)
{
    undo.WriteU32(count);
    const uint32_t size = elemType == LFieldType::String ? sizeof(LStringRef) : LFieldArray::ElementSize(elemType);
    for (uint32_t i = 0; i < count; i++)
        LObject::WriteElement(undo, elemType, static_cast<const char*>(elements) + uint64_t(i) * size);
    undo.WriteU32(count);
}

// Records a value edit as old value, path, new value; `write(undo, old)` writes one of the
// values. A merged record passes over the stored old value and path.
template <class WriteValue>
void RecordValueEdit(LObject* record, LHandler* context, LObjRoot* holder, uint8_t field,
                     CUndoStrm::ReplayFn replay, bool changed, LObject::Merge merge, WriteValue&& write)
{
    if (!LObjectEdit::Records(context, holder))
        return;
    CUndoStrm undo(context, LObjectEdit::HolderId(holder), replay, LStringRef(), LObjectEdit::KindFor(changed),
                   LMergeKey::ModeFor(record, field, merge == LObject::Merge::Yes, changed));
    write(undo, true);
    LObject::WritePath(undo, record, field);
    undo.EndSkip();
    write(undo, false);
}

} // namespace

void LObject::SetValue(LObject* record, LHandler* context, uint8_t field, uint64_t value, Merge merge)
{
    const LFieldDesc* fd = record ? record->FieldDesc(field) : nullptr;
    if (!fd || !IsIntegerType(fd->type))
        return;
    value &= fd->type == LFieldType::Byte ? 0xFFu : 0xFFFFFFFFu;
    LFieldSlot& slot = record->Slots()[field];
    const uint64_t old = slot.Bits();
    const bool changed = old != value;
    LObjRoot* holder = record->GetRootHolder();
    RecordValueEdit(record, context, holder, field, ReplaySetValue, changed, merge,
                    [&](CUndoStrm& undo, bool isOld) { undo.WriteU64(isOld ? old : value); });
    if (!changed)
        return;
    slot.SetBits(value);
    NotifyFieldChanged(record, context, holder, field, 0);
}

void LObject::SetInt(LObject* record, LHandler* context, uint8_t field, int32_t value, Merge merge)
{
    SetValue(record, context, field, uint32_t(value), merge);
}

void LObject::SetUInt(LObject* record, LHandler* context, uint8_t field, uint32_t value, Merge merge)
{
    SetValue(record, context, field, value, merge);
}

void LObject::SetByte(LObject* record, LHandler* context, uint8_t field, uint8_t value, Merge merge)
{
    SetValue(record, context, field, value, merge);
}

void LObject::SetBool(LObject* record, LHandler* context, uint8_t field, bool value, Merge merge)
{
    SetValue(record, context, field, value ? 1 : 0, merge);
}

void LObject::SetFloat(LObject* record, LHandler* context, uint8_t field, float value, Merge merge)
{
    if (!record || !record->FieldOfType(field, LFieldType::Float))
        return;
    LFieldSlot& slot = record->Slots()[field];
    const float old = slot.Float();
    const bool changed = !(old == value);  // NaN is always a change
    LObjRoot* holder = record->GetRootHolder();
    RecordValueEdit(record, context, holder, field, ReplaySetFloat, changed, merge,
                    [&](CUndoStrm& undo, bool isOld) { undo.Write(isOld ? &old : &value, sizeof(float)); });
    if (!changed)
        return;
    slot.SetBits(std::bit_cast<uint32_t>(value));
    NotifyFieldChanged(record, context, holder, field, 0);
}

void LObject::SetString(LObject* record, LHandler* context, uint8_t field, const LStringRef& value, Merge merge)
{
    if (!record || !record->FieldOfType(field, LFieldType::String))
        return;
    LFieldSlot& slot = record->Slots()[field];
    const LStringRef old = slot.String();
    const bool changed = !StrEqual(old.Text(), value.Text());
    LObjRoot* holder = record->GetRootHolder();
    RecordValueEdit(record, context, holder, field, ReplaySetString, changed, merge,
                    [&](CUndoStrm& undo, bool isOld) { undo.WriteString(isOld ? old : value); });
    if (!changed)
        return;
    slot.String() = value;
    NotifyFieldChanged(record, context, holder, field, 0);
}

void LObject::SetFilePath(LObject* record, LHandler* context, uint8_t field, const LStringRef& path)
{
    SetString(record, context, field, path, Merge::No);
}

void LObject::SetArray(LObject* record, LHandler* context, uint8_t field, const void* elements, uint32_t count)
{
    const LFieldDesc* fd = ArrayField(record, field);
    if (!fd || (count && !elements))
        return;
    LObjRoot* holder = record->GetRootHolder();
    LMergeKey::UseElementIndex(-1);
    if (LObjectEdit::Records(context, holder)) {
        CUndoStrm undo(context, LObjectEdit::HolderId(holder), ReplaySetArray, LStringRef(),
                       CUndoStrm::Kind::NewRecord, CUndoStrm::Mode::New);
        WritePath(undo, record, field);
        WriteArrayField(undo, record, field);
        WriteElements(undo, fd->elemType, elements, count);
        WritePath(undo, record, field);
    }
    LFieldArray::Assign(record->Slots()[field].Pointer<void>(), fd->elemType, elements, count);
    NotifyFieldChanged(record, context, holder, field, -1);
}

void LObject::SetRect(LObject* record, LHandler* context, uint8_t field, const CLRect& rect)
{
    const LFieldDesc* fd = ArrayField(record, field);
    if (!fd || (fd->elemType != LFieldType::Int32 && fd->elemType != LFieldType::UInt32))
        return;
    const int32_t values[] = {rect.left, rect.top, rect.right, rect.bottom};
    SetArray(record, context, field, values, 4);
}

void LObject::SetArrayRaw(LObject* record, uint8_t field, const void* elements, uint32_t count)
{
    const LFieldDesc* fd = ArrayField(record, field);
    if (fd && (elements || !count))
        LFieldArray::Assign(record->Slots()[field].Pointer<void>(), fd->elemType, elements, count);
}

void LObject::SetArrayElement(LObject* record, LHandler* context, uint8_t field, uint32_t index,
                              const void* value, Merge merge)
{
    const LFieldDesc* fd = ArrayField(record, field);
    if (!fd || !value || index >= record->GetArrayCount(field))
        return;
    void* array = record->Slots()[field].Pointer<void>();
    const LFieldType type = fd->elemType;
    const bool changed = !LFieldArray::Equals(array, type, index, value);
    LObjRoot* holder = record->GetRootHolder();
    if (LObjectEdit::Records(context, holder)) {
        LMergeKey::UseElementIndex(int32_t(index));
        CUndoStrm undo(context, LObjectEdit::HolderId(holder), ReplaySetElement, LStringRef(),
                       LObjectEdit::KindFor(changed), LMergeKey::ModeFor(record, field, merge == Merge::Yes, changed));
        LElementValue old;
        LFieldArray::Get(array, type, index, old);
        undo.WriteU8(uint8_t(type));
        WriteElement(undo, type, old.Pointer(type));
        undo.EndSkip();
        WriteElement(undo, type, value);
        undo.WriteU8(uint8_t(type));
        undo.WriteU32(index);
        WritePath(undo, record, field);
    }
    LFieldArray::Set(array, type, index, value);
    if (changed)
        NotifyFieldChanged(record, context, holder, field, int32_t(index));
}

bool LObject::InsertArrayElement(LObject* record, LHandler* context, uint8_t field, uint32_t index,
                                 const void* value)
{
    const LFieldDesc* fd = ArrayField(record, field);
    if (!fd || !value)
        return false;
    const LFieldType type = fd->elemType;
    index = std::min(index, record->GetArrayCount(field));
    LMergeKey::Forget();
    if (!LFieldArray::Insert(record->Slots()[field].Pointer<void>(), type, index, value))
        return false;
    LObjRoot* holder = record->GetRootHolder();
    if (LObjectEdit::Records(context, holder)) {
        CUndoStrm undo = LObjectEdit::Structural(context, holder, ReplayInsertElement);
        undo.WriteU8(uint8_t(type));
        WriteElement(undo, type, value);
        undo.WriteU8(uint8_t(type));
        undo.WriteU32(index);
        WritePath(undo, record, field);
    }
    ReportChange(record, context, holder, LObjOp::Inserted, field, int32_t(index), record->IndexInParent());
    return true;
}

void LObject::DeleteArrayElement(LObject* record, LHandler* context, uint8_t field, uint32_t index)
{
    const LFieldDesc* fd = ArrayField(record, field);
    if (!fd || index >= record->GetArrayCount(field))
        return;
    const LFieldType type = fd->elemType;
    void* array = record->Slots()[field].Pointer<void>();
    LMergeKey::Forget();
    LObjRoot* holder = record->GetRootHolder();
    if (LObjectEdit::Records(context, holder)) {
        LElementValue old;
        LFieldArray::Get(array, type, index, old);
        CUndoStrm undo = LObjectEdit::Structural(context, holder, ReplayDeleteElement);
        WritePath(undo, record, field);
        undo.WriteU32(index);
        undo.WriteU8(uint8_t(type));
        WriteElement(undo, type, old.Pointer(type));
        undo.WriteU8(uint8_t(type));
    }
    LFieldArray::Remove(array, type, index);
    ReportChange(record, context, holder, LObjOp::Deleted, field, int32_t(index), record->IndexInParent());
}

void LObject::ExtendArray(LObject* record, LHandler* context, uint8_t field, const void* value, uint32_t n)
{
    if (!ArrayField(record, field) || !value)
        return;
    auto compound = CUndoStrm::BeginCompound(context, LStringRef());
    while (record->GetArrayCount(field) < n) {
        if (!InsertArrayElement(record, context, field, record->GetArrayCount(field), value))
            break;
    }
}

void LObject::WriteArrayField(CUndoStrm& stream, const LObject* record, uint8_t field)
{
    const LFieldDesc* fd = ArrayField(record, field);
    if (!fd) {
        WriteElements(stream, LFieldType::Int32, nullptr, 0);
        return;
    }
    WriteElements(stream, fd->elemType, record->GetArrayData(field), record->GetArrayCount(field));
}

void LObject::WriteElement(CUndoStrm& stream, LFieldType elemType, const void* value)
{
    switch (elemType) {
    case LFieldType::String:
        stream.WriteString(*static_cast<const LStringRef*>(value));
        break;
    case LFieldType::Byte:
        stream.Write(value, 1);
        break;
    default:
        stream.Write(value, 4);
        break;
    }
}

// ---- resets ----

void LObject::ResetField(LObject* record, uint8_t field)
{
    const LFieldDesc* fd = record ? record->FieldDesc(field) : nullptr;
    if (!fd)
        return;
    switch (fd->type) {
    case LFieldType::Int32:
    case LFieldType::UInt32:
    case LFieldType::Byte:
        SetValue(record, nullptr, field, fd->def.w.lo, Merge::No);
        break;
    case LFieldType::Float:
        SetFloat(record, nullptr, field, fd->DefaultFloat(), Merge::No);
        break;
    case LFieldType::String:
        SetString(record, nullptr, field, LStringRef(fd->def.text), Merge::No);
        break;
    case LFieldType::Array:
        SetArray(record, nullptr, field, nullptr, 0);
        break;
    case LFieldType::Child:
        if (fd->IsOnDemand())
            ReplaceChild(record, nullptr, field, nullptr);
        else
            ResetAll(record->GetChild(field));
        break;
    case LFieldType::List:
        for (uint32_t n = record->GetArrayCount(field); n > 0; n--)
            DeleteChildAt(record, nullptr, field, n - 1);
        break;
    default:
        break;
    }
}

void LObject::ResetAll(LObject* record)
{
    if (!record || !record->fClass)
        return;
    LMergeKey::Forget();
    for (uint32_t f = record->FieldCount(); f-- > 0;) {
        if (record->fClass->Field(uint8_t(f)).IsTagged())
            ResetField(record, uint8_t(f));
    }
    record->fClass->Call(LClassOp::Created, record);
}
