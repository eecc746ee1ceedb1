// Undo data of record edits: record paths, array elements and whole arrays.
#include "foundation/records/LObject.h"

#include "foundation/records/CUndoStrm.h"
#include "foundation/records/LFieldArray.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t kPathMark = 0xFFFFFFFF;
// Deeper paths than any tree of the program has mean the data is damaged.
constexpr uint32_t kMaxPathDepth = 256;

// The record one step down: the child of a child field, or element p of a list.
LObject* StepInto(LObject* record, uint8_t field, uint32_t p)
{
    const LFieldDesc* fd = record->FieldDesc(field);
    if (!fd)
        return nullptr;
    if (fd->type == LFieldType::Child)
        return record->GetChild(field);
    if (fd->type == LFieldType::List)
        return record->GetChild(field, p);
    return nullptr;
}

} // namespace

void LObject::WritePath(CUndoStrm& stream, const LObject* record, uint8_t field)
{
    if (!stream.IsRecording())
        return;
    stream.WriteU8(field);
    stream.WriteU32(kPathMark);
    for (const LObject* r = record; r->Parent(); r = r->Parent()) {
        stream.WriteU8(r->PlaceField());
        stream.WriteU32(uint32_t(r->IndexInParent()));
    }
    stream.WriteU8(kNoField);
}

LObject* LObject::ReadPathForward(CUndoStrm& stream, LObject* root)
{
    // The steps are stored from the record up; collect them, then walk down from the root.
    std::vector<std::pair<uint8_t, uint32_t>> steps;
    for (;;) {
        const uint8_t field = stream.ReadU8Fwd();
        if (stream.Failed() || field == kNoField)
            break;
        const uint32_t p = stream.ReadU32Fwd();
        if (steps.size() >= kMaxPathDepth)
            return nullptr;
        steps.emplace_back(field, p);
    }
    if (stream.Failed())
        return nullptr;
    LObject* record = root;
    for (auto it = steps.rbegin(); record && it != steps.rend(); ++it)
        record = StepInto(record, it->first, it->second);
    return record;
}

LObject* LObject::ReadPathBackward(CUndoStrm& stream, LObject* root, uint8_t& field)
{
    if (stream.ReadBackU8() != kNoField)
        return nullptr;
    LObject* record = root;
    uint32_t depth = 0;
    for (uint32_t p = stream.ReadBackU32(); p != kPathMark; p = stream.ReadBackU32()) {
        const uint8_t step = stream.ReadBackU8();
        if (stream.Failed() || !record || ++depth > kMaxPathDepth)
            return nullptr;
        record = StepInto(record, step, p);
    }
    field = stream.ReadBackU8();
    return stream.Failed() ? nullptr : record;
}

// ---- elements and arrays ----

bool LObject::ReadElementForward(CUndoStrm& stream, LFieldType elemType, LElementValue& value)
{
    value.bits = 0;
    switch (elemType) {
    case LFieldType::String:
        value.text = stream.ReadString();
        break;
    case LFieldType::Byte:
        value.bits = stream.ReadU8Fwd();
        break;
    case LFieldType::Int32:
    case LFieldType::UInt32:
    case LFieldType::Float:
        value.bits = stream.ReadU32Fwd();
        break;
    default:
        return false;
    }
    return !stream.Failed();
}

bool LObject::ReadElementBackward(CUndoStrm& stream, LFieldType elemType, LElementValue& value)
{
    value.bits = 0;
    switch (elemType) {
    case LFieldType::String:
        value.text = stream.ReadBackString();
        break;
    case LFieldType::Byte:
        value.bits = stream.ReadBackU8();
        break;
    case LFieldType::Int32:
    case LFieldType::UInt32:
    case LFieldType::Float:
        value.bits = stream.ReadBackU32();
        break;
    default:
        return false;
    }
    return !stream.Failed();
}

void LObject::ReadArrayForward(CUndoStrm& stream, LObject* record, uint8_t field, LFieldType elemType)
{
    const uint32_t n = stream.ReadU32Fwd();
    if (stream.Failed())
        return;
    if (record) {
        while (record->GetArrayCount(field) > n)
            DeleteArrayElement(record, nullptr, field, record->GetArrayCount(field) - 1);
    }
    bool full = false;
    for (uint32_t i = 0; i < n; i++) {
        LElementValue value;
        if (!ReadElementForward(stream, elemType, value))
            return;
        if (!record || full)
            continue;
        if (i < record->GetArrayCount(field))
            SetArrayElement(record, nullptr, field, i, value.Pointer(elemType), Merge::No);
        else
            full = !InsertArrayElement(record, nullptr, field, i, value.Pointer(elemType));
    }
    stream.ReadU32Fwd();
}

void LObject::ReadArrayBackward(CUndoStrm& stream, LObject* record, uint8_t field, LFieldType elemType)
{
    const uint32_t n = stream.ReadBackU32();
    if (stream.Failed())
        return;
    uint32_t kept = 0;
    if (record) {
        while (record->GetArrayCount(field) > n)
            DeleteArrayElement(record, nullptr, field, record->GetArrayCount(field) - 1);
        kept = record->GetArrayCount(field);
    }
    for (uint32_t i = n; i-- > 0;) {
        LElementValue value;
        if (!ReadElementBackward(stream, elemType, value))
            return;
        if (!record)
            continue;
        if (i >= kept)
            (void)InsertArrayElement(record, nullptr, field, kept, value.Pointer(elemType));
        else
            SetArrayElement(record, nullptr, field, i, value.Pointer(elemType), Merge::No);
    }
    stream.ReadBackU32();
}
