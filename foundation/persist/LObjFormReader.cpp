#include "foundation/persist/LObjFormReader.h"
#include "foundation/text/NumberParse.h"
#include "foundation/persist/PersistLimits.h"
#include "foundation/persist/RecordCodes.h"
#include "foundation/records/LFieldArray.h"

#include <bitset>
#include <cstring>

namespace {

using Seen = std::bitset<256>;

// The first field with the tag, when it has the given type; else -1.
int FieldWithTag(const LObject* record, uint32_t tag, LFieldType type)
{
    for (uint32_t f = 0; f < record->FieldCount(); ++f) {
        const LFieldDesc* fd = record->FieldDesc(uint8_t(f));
        if (fd->tag == tag)
            return fd->type == type ? int(f) : -1;
    }
    return -1;
}

// A new record of the chunk's class read from the chunk; `made` says whether a class was found.
bool MakeRecord(CIffChunk& chunk, uint32_t cls, int depth, LObjectPtr& record, bool& made)
{
    made = false;
    const LClassDesc* desc = LClassDesc::Find(chunk.type, cls);
    if (!desc)
        return true;
    made = true;
    record = LObject::Create(desc);
    return record && LObjFormReader::ReadFields(chunk, record.get(), depth);
}

void ReadPrimitives(CIffChunk& chunk, LObject* record, Seen& seen)
{
    const auto no = LObject::Merge::No;
    for (uint32_t f = 0; f < record->FieldCount(); ++f) {
        const uint8_t field = uint8_t(f);
        const LFieldDesc* fd = record->FieldDesc(field);
        if (!fd->IsTagged())
            continue;
        if (!IsPrimitiveField(fd->type))
            return;
        uint32_t value = 0;
        LStringRef text;
        if (fd->type == LFieldType::Byte ? !chunk.ReadU8(&value)
            : fd->type <= LFieldType::UInt32 ? !chunk.ReadU32(&value)
                                              : !chunk.ReadString(&text))
            return;
        switch (fd->type) {
        case LFieldType::Int32: LObject::SetInt(record, nullptr, field, int32_t(value), no); break;
        case LFieldType::UInt32: LObject::SetUInt(record, nullptr, field, fd->StoredUInt(value), no); break;
        case LFieldType::Byte: LObject::SetByte(record, nullptr, field, uint8_t(value), no); break;
        case LFieldType::Float: LObject::SetFloat(record, nullptr, field, float(StrToDouble(text.Text())), no); break;
        default: LObject::SetString(record, nullptr, field, text, no); break;
        }
        seen.set(field);
    }
}

bool ReadElement(CIffChunk& chunk, LFieldType elemType, LElementValue& value)
{
    value.bits = 0;
    switch (elemType) {
    case LFieldType::Int32:
    case LFieldType::UInt32:
        return chunk.ReadU32(&value.bits);
    case LFieldType::Byte:
        return chunk.ReadU8(&value.bits);
    case LFieldType::Float: {
        LStringRef text;
        if (!chunk.ReadString(&text))
            return false;
        const float f = float(StrToDouble(text.Text()));
        std::memcpy(&value.bits, &f, sizeof f);
        return true;
    }
    default:
        return chunk.ReadString(&value.text);
    }
}

void ReadArray(CIffChunk& chunk, LObject* record, uint8_t field)
{
    const LFieldType elemType = record->FieldDesc(field)->elemType;
    if (uint8_t(elemType) > uint8_t(LFieldType::String))
        return;
    void* array = record->GetFieldSlot(field).Pointer<void>();
    bool changed = false;
    uint32_t k = 0;
    for (LElementValue value; ReadElement(chunk, elemType, value); ++k) {
        const void* element = value.Pointer(elemType);
        if (k < LFieldArray::Count(array, elemType)) {
            if (!LFieldArray::Equals(array, elemType, k, element)) {
                LFieldArray::Set(array, elemType, k, element);
                changed = true;
            }
        } else if (LFieldArray::Insert(array, elemType, k, element)) {
            changed = true;
        } else {
            break;
        }
    }
    for (uint32_t n = LFieldArray::Count(array, elemType); n > k; --n) {
        LFieldArray::Remove(array, elemType, n - 1);
        changed = true;
    }
    if (changed)
        LObject::NotifyFieldChanged(record, nullptr, record->GetRootHolder(), field, -1);
}

bool ReadChild(CIffChunk& chunk, LObject* record, uint8_t field, int depth)
{
    const LFieldDesc* fd = record->FieldDesc(field);
    CIffChunk inner;
    inner.OpenSub(chunk);
    uint32_t cls = 0;
    bool ok = true;
    if (inner.type == 0 || !inner.ReadU32(&cls)) {
        if (fd->IsOnDemand())
            LObject::ReplaceChild(record, nullptr, field, nullptr);
    } else if (LObject* existing = record->GetChild(field); existing && existing->Is(inner.type, cls)) {
        ok = LObjFormReader::ReadFields(inner, existing, depth);
    } else if ((fd->flags & kFieldClassByName) || (inner.type == fd->ChildCreator() && cls == fd->ChildClass())) {
        LObjectPtr fresh;
        bool made = false;
        ok = MakeRecord(inner, cls, depth, fresh, made);
        if (ok && made)
            LObject::ReplaceChild(record, nullptr, field, std::move(fresh));
        else if (ok && fd->IsOnDemand())
            LObject::ReplaceChild(record, nullptr, field, nullptr);
    }
    inner.Close();
    return ok;
}

bool ReadList(CIffChunk& chunk, LObject* record, uint8_t field, int depth)
{
    const uint32_t n = record->GetArrayCount(field);
    uint32_t i = 0;
    bool ok = true;
    for (;;) {
        CIffChunk inner;
        inner.OpenSub(chunk);
        uint32_t cls = 0;
        if (inner.type == 0 || !inner.ReadU32(&cls)) {
            inner.Close();
            break;
        }
        LObject* existing = i < n ? record->GetChild(field, i) : nullptr;
        if (existing && existing->Is(inner.type, cls)) {
            ok = LObjFormReader::ReadFields(inner, existing, depth);
            i++;
        } else {
            LObjectPtr fresh;
            bool made = false;
            ok = MakeRecord(inner, cls, depth, fresh, made);
            if (ok && made) {
                if (i < record->GetArrayCount(field))
                    LObject::DeleteChildAt(record, nullptr, field, i);
                ok = LObject::InsertChild(record, nullptr, field, i, std::move(fresh));
                i++;
            }
        }
        inner.Close();
        if (!ok)
            return false;
    }
    for (uint32_t count = record->GetArrayCount(field); count > i; --count)
        LObject::DeleteChildAt(record, nullptr, field, count - 1);
    return true;
}

// One nested chunk of a record; false when the whole read fails.
bool ReadFieldChunk(CIffChunk& sub, LObject* record, Seen& seen, int depth)
{
    if (sub.type == RecordCodes::kPrimitives) {
        ReadPrimitives(sub, record, seen);
        return true;
    }
    const bool known = sub.type == RecordCodes::kChild || sub.type == RecordCodes::kList ||
                       sub.type == RecordCodes::kArray;
    uint32_t tag = 0;
    if (!known || !sub.ReadU32(&tag))
        return true;
    const LFieldType type = sub.type == RecordCodes::kChild ? LFieldType::Child
                            : sub.type == RecordCodes::kList ? LFieldType::List
                                                             : LFieldType::Array;
    const int field = FieldWithTag(record, tag, type);
    if (field < 0)
        return true;
    bool ok = true;
    if (type == LFieldType::Child)
        ok = ReadChild(sub, record, uint8_t(field), depth + 1);
    else if (type == LFieldType::List)
        ok = ReadList(sub, record, uint8_t(field), depth + 1);
    else
        ReadArray(sub, record, uint8_t(field));
    if (ok)
        seen.set(size_t(field));
    return ok;
}

} // namespace

LObjFormReader::LObjFormReader(const void* data, uint32_t size) : fStream(data, size)
{
    fContainer.Open(&fStream);
    if (fContainer.type != 0) {
        fCreator = fContainer.type;
        if (!fContainer.ReadU32(&fClass))
            fClass = 0;
    }
}

LObjectPtr LObjFormReader::ReadObject()
{
    CIffChunk chunk;
    chunk.OpenSub(fContainer);
    uint32_t cls = 0;
    LObjectPtr record;
    if (chunk.type != 0 && chunk.ReadU32(&cls)) {
        bool made = false;
        if (!MakeRecord(chunk, cls, 0, record, made))
            record.reset();
    }
    chunk.Close();
    return record;
}

bool LObjFormReader::ReadFields(CIffChunk& chunk, LObject* record, int depth)
{
    if (depth >= kMaxRecordDepth)
        return false;
    Seen seen;
    for (;;) {
        CIffChunk sub;
        sub.OpenSub(chunk);
        if (sub.type == 0)
            break;
        const bool ok = ReadFieldChunk(sub, record, seen, depth);
        sub.Close();
        if (!ok)
            return false;
    }
    for (uint32_t f = record->FieldCount(); f-- > 0;) {
        if (record->FieldDesc(uint8_t(f))->IsTagged() && !seen.test(f))
            LObject::ResetField(record, uint8_t(f));
    }
    return true;
}
