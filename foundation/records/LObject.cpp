#include "foundation/records/LObject.h"

#include "foundation/geometry/CLRect.h"
#include "foundation/core/LArray.h"
#include "foundation/records/LFieldArray.h"
#include "foundation/records/LObjRoot.h"
#include "shell/files/FileUrls.h"

#include <new>

namespace {

bool IsScalar(LFieldType type)
{
    return uint8_t(type) <= uint8_t(LFieldType::Float);
}

} // namespace

void LObjectDeleter::operator()(LObject* record) const noexcept
{
    LObject::Delete(record);
}

const void* LElementValue::Pointer(LFieldType elemType) const noexcept
{
    if (elemType == LFieldType::String)
        return &text;
    return &bits;  // little-endian: the low byte serves byte elements too
}

// ---- creation and destruction ----

LObjectPtr LObject::Create(const LClassDesc* desc)
{
    if (!desc || !desc->IsValid())
        return nullptr;
    const uint32_t count = desc->FieldCount();
    void* block = ::operator new(sizeof(LObject) + sizeof(LFieldSlot) * count, std::nothrow);
    if (!block)
        return nullptr;
    LObjectPtr record(new (block) LObject(desc));
    for (uint32_t f = 0; f < count; f++) {
        record->Slots()[f].SetBits(0);
        if (!record->MakeField(uint8_t(f))) {
            record->DestroyFields(f);
            return nullptr;
        }
    }
    if (desc->Call(LClassOp::Created, record.get()) != 0)
        return nullptr;
    return record;
}

bool LObject::MakeField(uint8_t field)
{
    const LFieldDesc& fd = fClass->Field(field);
    LFieldSlot& slot = Slots()[field];
    switch (fd.type) {
    case LFieldType::String:
        slot.ConstructString(LStringRef(fd.def.text));
        return true;
    case LFieldType::Array: {
        void* array = LFieldArray::Make(fd.elemType);
        slot.SetPointer(array);
        return array != nullptr;
    }
    case LFieldType::Child: {
        if (fd.IsOnDemand())
            return true;
        LObjectPtr child = Create(LClassDesc::Find(fd.ChildCreator(), fd.ChildClass()));
        if (!child)
            return false;
        child->AttachTo(this, field);
        slot.SetPointer(child.release());
        return true;
    }
    case LFieldType::List: {
        LArray* list = new (std::nothrow) LArray(sizeof(LObject*), 0);
        slot.SetPointer(list);
        return list != nullptr;
    }
    default:
        StoreDefault(this, field);
        return true;
    }
}

void LObject::Delete(LObject* record) noexcept
{
    if (!record)
        return;
    record->~LObject();
    ::operator delete(record);
}

LObject::~LObject()
{
    if (fClass)
        DestroyFields(fClass->FieldCount());
}

void LObject::DestroyFields(uint32_t count) noexcept
{
    for (uint32_t f = count; f-- > 0;)
        DestroyField(uint8_t(f));
    fClass = nullptr;
}

void LObject::DestroyField(uint8_t field) noexcept
{
    const LFieldDesc& fd = fClass->Field(field);
    LFieldSlot& slot = Slots()[field];
    switch (fd.type) {
    case LFieldType::String:
        slot.DestroyString();
        break;
    case LFieldType::Array:
        LFieldArray::Destroy(slot.Pointer<void>(), fd.elemType);
        break;
    case LFieldType::Child:
        Delete(slot.Child());
        break;
    case LFieldType::List:
        if (LArray* list = slot.List()) {
            ClearChildList(this, field);
            delete list;
        }
        break;
    default:
        break;
    }
    slot.SetBits(0);
}

void LObject::StoreDefault(LObject* record, uint8_t field)
{
    const LFieldDesc* fd = record ? record->FieldDesc(field) : nullptr;
    if (!fd)
        return;
    LFieldSlot& slot = record->Slots()[field];
    switch (fd->type) {
    case LFieldType::Int32:
    case LFieldType::UInt32:
    case LFieldType::Float:
        slot.SetBits(fd->def.w.lo);
        break;
    case LFieldType::Byte:
        slot.SetBits(uint8_t(fd->def.w.lo));
        break;
    case LFieldType::String:
        slot.String() = LStringRef(fd->def.text);
        break;
    default:
        break;
    }
}

// ---- structure ----

const LFieldDesc* LObject::FieldDesc(uint8_t field) const noexcept
{
    if (!fClass || field >= fClass->FieldCount())
        return nullptr;
    return &fClass->Field(field);
}

const LFieldDesc* LObject::FieldOfType(uint8_t field, LFieldType type) const noexcept
{
    const LFieldDesc* fd = FieldDesc(field);
    return fd && fd->type == type ? fd : nullptr;
}

int32_t LObject::IndexInParent() const noexcept
{
    if (!fParent)
        return 0;
    const uint8_t field = uint8_t(fPlace);
    const LFieldDesc* fd = fParent->FieldDesc(field);
    if (!fd)
        return -1;
    if (fd->type == LFieldType::Child)
        return fParent->Slots()[field].Child() == this ? 0 : -1;
    if (fd->type == LFieldType::List)
        return fListIndex;
    return -1;
}

LObjRoot* LObject::GetRootHolder() const noexcept
{
    const LObject* top = this;
    while (top->fParent)
        top = top->fParent;
    return reinterpret_cast<LObjRoot*>(top->fPlace);
}

void LObject::MakeRootOf(LObjRoot* holder) noexcept
{
    fParent = nullptr;
    fPlace = reinterpret_cast<uintptr_t>(holder);
    fListIndex = -1;
}

// ---- reading ----

int32_t LObject::GetInt(uint8_t field) const noexcept
{
    const LFieldDesc* fd = FieldDesc(field);
    return fd && IsScalar(fd->type) && fd->type != LFieldType::Float ? Slots()[field].Int() : 0;
}

uint32_t LObject::GetUInt(uint8_t field) const noexcept
{
    return uint32_t(GetInt(field));
}

uint8_t LObject::GetByte(uint8_t field) const noexcept
{
    return uint8_t(GetInt(field));
}

float LObject::GetFloat(uint8_t field) const noexcept
{
    return FieldOfType(field, LFieldType::Float) ? Slots()[field].Float() : 0.0f;
}

LStringRef LObject::GetString(uint8_t field) const noexcept
{
    return FieldOfType(field, LFieldType::String) ? Slots()[field].String() : LStringRef();
}

uint32_t LObject::GetArrayCount(uint8_t field) const noexcept
{
    const LFieldDesc* fd = FieldDesc(field);
    if (!fd)
        return 0;
    if (fd->type == LFieldType::Array)
        return LFieldArray::Count(Slots()[field].Pointer<void>(), fd->elemType);
    if (fd->type == LFieldType::List) {
        const LArray* list = Slots()[field].List();
        return list ? list->Count() : 0;
    }
    return 0;
}

const void* LObject::GetArrayData(uint8_t field) const noexcept
{
    const LFieldDesc* fd = FieldOfType(field, LFieldType::Array);
    return fd ? LFieldArray::Data(Slots()[field].Pointer<void>(), fd->elemType) : nullptr;
}

int32_t LObject::GetArrayInt(uint8_t field, uint32_t index) const noexcept
{
    const LFieldDesc* fd = FieldOfType(field, LFieldType::Array);
    if (!fd || index >= GetArrayCount(field) || fd->elemType == LFieldType::String ||
        fd->elemType == LFieldType::Float)
        return 0;
    LElementValue v;
    LFieldArray::Get(Slots()[field].Pointer<void>(), fd->elemType, index, v);
    return int32_t(v.bits);
}

float LObject::GetArrayFloat(uint8_t field, uint32_t index) const noexcept
{
    const LFieldDesc* fd = FieldOfType(field, LFieldType::Array);
    if (!fd || fd->elemType != LFieldType::Float || index >= GetArrayCount(field))
        return 0.0f;
    return static_cast<const float*>(GetArrayData(field))[index];
}

LStringRef LObject::GetArrayString(uint8_t field, uint32_t index) const noexcept
{
    const LFieldDesc* fd = FieldOfType(field, LFieldType::Array);
    if (!fd || fd->elemType != LFieldType::String || index >= GetArrayCount(field))
        return LStringRef();
    return static_cast<const LStringRef*>(GetArrayData(field))[index];
}

LStringRef LObject::GetFileSpec(uint8_t field) const
{
    LStringRef fileSpec;
    const LStringRef text = GetString(field);
    if (text.IsEmpty() || !FileSpecFromUrl(text.View(), fileSpec, false))
        return LStringRef();
    return fileSpec;
}

CLRect LObject::GetRect(uint8_t field) const noexcept
{
    const LFieldDesc* fd = FieldOfType(field, LFieldType::Array);
    if (!fd || GetArrayCount(field) < 4 ||
        (fd->elemType != LFieldType::Int32 && fd->elemType != LFieldType::UInt32))
        return CLRect{};
    const auto* v = static_cast<const int32_t*>(GetArrayData(field));
    return CLRect{v[0], v[1], v[2], v[3]};
}

LObject* LObject::GetChild(uint8_t field, uint32_t index) const noexcept
{
    const LFieldDesc* fd = FieldDesc(field);
    if (!fd)
        return nullptr;
    if (fd->type == LFieldType::Child)
        return Slots()[field].Child();
    if (fd->type != LFieldType::List)
        return nullptr;
    const LArray* list = Slots()[field].List();
    if (!list || index >= list->Count())
        return nullptr;
    return static_cast<LObject* const*>(list->Data())[index];
}
