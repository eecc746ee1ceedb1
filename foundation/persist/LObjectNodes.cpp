// Records saved into and loaded from key/value nodes: each tagged field under its tag's text,
// child records and lists as sub-nodes, lists and text arrays under numbered keys.
#include "foundation/records/LObject.h"
#include "foundation/text/FourCC.h"
#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberFormat.h"
#include "foundation/text/NumberParse.h"
#include "foundation/persist/LKeyValueNode.h"
#include "foundation/persist/PersistLimits.h"

#include <new>
#include <vector>

namespace {

void SaveRecord(LKeyValueNode& node, const LObject* record);
void LoadRecord(LKeyValueNode& node, LObject* record, int depth);

void SaveArray(LKeyValueNode& node, const char* key, const LObject* record, uint8_t field)
{
    const LFieldDesc* fd = record->FieldDesc(field);
    const uint32_t count = record->GetArrayCount(field);
    const void* data = record->GetArrayData(field);
    switch (fd->elemType) {
    case LFieldType::Int32:
    case LFieldType::UInt32: {
        std::vector<int64_t> values(count);
        for (uint32_t i = 0; i < count; ++i) {
            const uint32_t bits = static_cast<const uint32_t*>(data)[i];
            values[i] = fd->elemType == LFieldType::Int32 ? int64_t(int32_t(bits)) : int64_t(bits);
        }
        node.SetInts(key, values.data(), int32_t(count));
        break;
    }
    case LFieldType::Byte:
        node.SetData(key, data, count);
        break;
    case LFieldType::Float: {
        std::vector<double> values(count);
        for (uint32_t i = 0; i < count; ++i)
            values[i] = static_cast<const float*>(data)[i];
        node.SetDoubles(key, values.data(), int32_t(count));
        break;
    }
    case LFieldType::String:
        LObject::WriteNodeStrings(node, key, static_cast<const LStringRef*>(data), count);
        break;
    default:
        break;
    }
}

void SaveList(LKeyValueNode& node, const char* key, const LObject* record, uint8_t field)
{
    node.RemoveKey(key);
    LKeyValueNode list(node, key);
    LStrStream elementKey;
    for (uint32_t k = 0; k < record->GetArrayCount(field); ++k) {
        MakeIndexedKey(elementKey, "a", k);
        LKeyValueNode element(list, elementKey.CStr());
        if (const LObject* child = record->GetChild(field, k))
            SaveRecord(element, child);
    }
}

void SaveField(LKeyValueNode& node, const LObject* record, uint8_t field)
{
    const LFieldDesc* fd = record->FieldDesc(field);
    const LStringRef key = FourCCToString(fd->tag);
    const LFieldSlot& slot = record->GetFieldSlot(field);
    switch (fd->type) {
    case LFieldType::Int32:
        node.SetInt(key.Text(), slot.Int());
        break;
    case LFieldType::UInt32:
    case LFieldType::Byte:
        node.SetInt(key.Text(), fd->type == LFieldType::Byte ? slot.Byte() : slot.UInt());
        break;
    case LFieldType::Float:
        node.SetString(key.Text(), DoubleToStringTrim(fd->precision, slot.Float()).Text());
        break;
    case LFieldType::String:
        node.SetString(key.Text(), slot.String().Text());
        break;
    case LFieldType::Array:
        SaveArray(node, key.Text(), record, field);
        break;
    case LFieldType::Child:
        if (const LObject* child = slot.Child()) {
            LKeyValueNode sub(node, key.Text());
            SaveRecord(sub, child);
        }
        break;
    case LFieldType::List:
        SaveList(node, key.Text(), record, field);
        break;
    }
}

void SaveRecord(LKeyValueNode& node, const LObject* record)
{
    if (!record)
        return;
    for (uint32_t f = 0; f < record->FieldCount(); ++f) {
        const LFieldDesc* fd = record->FieldDesc(uint8_t(f));
        if (fd->IsTagged() && uint8_t(fd->type) <= uint8_t(LFieldType::List))
            SaveField(node, record, uint8_t(f));
    }
}

void LoadTexts(LKeyValueNode& node, const char* key, LObject* record, uint8_t field)
{
    std::vector<LStringRef> texts;
    LKeyValueNode sub(node, key, LKeyValueNode::Existing::Only);
    LStrStream textKey;
    for (LStringRef text;; text = LStringRef()) {
        MakeIndexedKey(textKey, "s", uint32_t(texts.size()));
        if (!sub.GetString(textKey.CStr(), &text))
            break;
        texts.push_back(text);
    }
    LObject::SetArray(record, nullptr, field, texts.data(), uint32_t(texts.size()));
}

void LoadArray(LKeyValueNode& node, const char* key, LObject* record, uint8_t field)
{
    const LFieldType elemType = record->FieldDesc(field)->elemType;
    if (elemType == LFieldType::Int32 || elemType == LFieldType::UInt32) {
        uint32_t count = 0;
        std::unique_ptr<int64_t[]> values;
        if (!LObject::ReadNodeInts(node, key, count, values))
            return;
        std::vector<uint32_t> bits(count);
        for (uint32_t i = 0; i < count; ++i)
            bits[i] = uint32_t(values[i]);
        LObject::SetArray(record, nullptr, field, bits.data(), count);
    } else if (elemType == LFieldType::Byte) {
        uint32_t size = 0;
        if (!node.GetData(key, nullptr, &size))
            return;
        std::vector<uint8_t> bytes(size);
        node.GetData(key, bytes.data(), &size);
        LObject::SetArray(record, nullptr, field, bytes.data(), size);
    } else if (elemType == LFieldType::Float) {
        const int32_t count = node.GetDoubles(key, nullptr, INT32_MAX);
        if (count < 0)
            return;
        std::vector<double> values(static_cast<size_t>(count));
        node.GetDoubles(key, values.data(), count);
        std::vector<float> floats(values.begin(), values.end());
        LObject::SetArray(record, nullptr, field, floats.data(), uint32_t(count));
    } else if (elemType == LFieldType::String) {
        LoadTexts(node, key, record, field);
    }
}

void LoadChild(LKeyValueNode& node, const char* key, LObject* record, uint8_t field, int depth)
{
    LKeyValueNode sub(node, key, LKeyValueNode::Existing::Only);
    if (sub.IsEmpty() || depth >= kMaxRecordDepth)
        return;
    if (LObject* child = record->GetChild(field)) {
        LoadRecord(sub, child, depth + 1);
        return;
    }
    const LFieldDesc* fd = record->FieldDesc(field);
    LObjectPtr fresh = LObject::Create(LClassDesc::Find(fd->ChildCreator(), fd->ChildClass()));
    if (!fresh)
        return;
    LObject* child = fresh.get();
    LObject::ReplaceChild(record, nullptr, field, std::move(fresh));
    if (record->GetChild(field) == child)
        LoadRecord(sub, child, depth + 1);
}

void LoadList(LKeyValueNode& node, const char* key, LObject* record, uint8_t field, int depth)
{
    const LFieldDesc* fd = record->FieldDesc(field);
    const LClassDesc* cls = LClassDesc::Find(fd->ChildCreator(), fd->ChildClass());
    LKeyValueNode sub(node, key, LKeyValueNode::Existing::Only);
    if (!cls || sub.IsEmpty() || depth >= kMaxRecordDepth)
        return;
    for (uint32_t n = record->GetArrayCount(field); n > 0; n--)
        LObject::DeleteChildAt(record, nullptr, field, n - 1);
    LStrStream elementKey;
    for (uint32_t k = 0;; ++k) {
        MakeIndexedKey(elementKey, "a", k);
        LKeyValueNode element(sub, elementKey.CStr(), LKeyValueNode::Existing::Only);
        if (element.IsEmpty())
            break;
        LObjectPtr child = LObject::Create(cls);
        if (!child)
            continue;
        LoadRecord(element, child.get(), depth + 1);
        LObject::InsertChild(record, nullptr, field, record->GetArrayCount(field), std::move(child));
    }
}

void LoadField(LKeyValueNode& node, LObject* record, uint8_t field, int depth)
{
    const LFieldDesc* fd = record->FieldDesc(field);
    const LStringRef key = FourCCToString(fd->tag);
    const LFieldSlot& slot = record->GetFieldSlot(field);
    LStringRef text;
    switch (fd->type) {
    case LFieldType::Int32:
        LObject::SetInt(record, nullptr, field, int32_t(node.GetInt(key.Text(), slot.Int())), LObject::Merge::No);
        break;
    case LFieldType::UInt32:
        LObject::SetUInt(record, nullptr, field, fd->StoredUInt(uint32_t(node.GetInt(key.Text(), slot.UInt()))),
                         LObject::Merge::No);
        break;
    case LFieldType::Byte:
        LObject::SetByte(record, nullptr, field, uint8_t(node.GetInt(key.Text(), slot.Byte())), LObject::Merge::No);
        break;
    case LFieldType::Float:
        if (node.GetString(key.Text(), &text))
            LObject::SetFloat(record, nullptr, field, float(StrToDouble(text.Text())), LObject::Merge::No);
        break;
    case LFieldType::String:
        if (node.GetString(key.Text(), &text))
            LObject::SetString(record, nullptr, field, text, LObject::Merge::No);
        break;
    case LFieldType::Array:
        LoadArray(node, key.Text(), record, field);
        break;
    case LFieldType::Child:
        LoadChild(node, key.Text(), record, field, depth);
        break;
    case LFieldType::List:
        LoadList(node, key.Text(), record, field, depth);
        break;
    }
}

void LoadRecord(LKeyValueNode& node, LObject* record, int depth)
{
    if (!record)
        return;
    for (uint32_t f = 0; f < record->FieldCount(); ++f) {
        const LFieldDesc* fd = record->FieldDesc(uint8_t(f));
        if (fd->IsTagged() && uint8_t(fd->type) <= uint8_t(LFieldType::List))
            LoadField(node, record, uint8_t(f), depth);
    }
}

} // namespace

void LObject::SaveToNode(LKeyValueNode& node, const LObject* record)
{
    SaveRecord(node, record);
}

void LObject::LoadFromNode(LKeyValueNode& node, LObject* record)
{
    LoadRecord(node, record, 0);
}

void LObject::LoadFromNodeRef(LKeyValueNode& node, LObject* record)
{
    ResetAll(record);
    LoadRecord(node, record, 0);
}

void LObject::WriteNodeStrings(LKeyValueNode& node, const char* key, const LStringRef* texts, uint32_t n)
{
    node.RemoveKey(key);
    LKeyValueNode sub(node, key);
    LStrStream textKey;
    for (uint32_t i = 0; i < n; ++i) {
        MakeIndexedKey(textKey, "s", i);
        sub.SetString(textKey.CStr(), texts[i].Text());
    }
}

bool LObject::ReadNodeInts(LKeyValueNode& node, const char* key, uint32_t& count, std::unique_ptr<int64_t[]>& buffer)
{
    count = 0;
    buffer.reset();
    const int32_t n = node.GetInts(key, nullptr, INT32_MAX);
    if (n < 0)
        return false;
    if (n == 0)
        return true;
    buffer.reset(new (std::nothrow) int64_t[size_t(n)]);
    if (!buffer)
        return true;
    count = uint32_t(node.GetInts(key, buffer.get(), n));
    return true;
}
