#include "foundation/persist/CCFDictStore.h"
#include "foundation/core/LStringRef.h"
#include "platform/values/Dict.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

plat::Dict* DictOf(uint64_t handle)
{
    return reinterpret_cast<plat::Dict*>(static_cast<uintptr_t>(handle));
}

uint64_t HandleOf(plat::Dict* dict)
{
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(dict));
}

const char* KeyText(const char* key)
{
    return key ? key : "";
}

} // namespace

CCFDictStore::CCFDictStore(plat::Dict* dictionary, uint32_t mode)
    : LKeyValueNode(HandleOf(dictionary)), fMode(mode)
{
    fDictionary.AssignRetain(dictionary);
}

CCFDictStore::~CCFDictStore() = default;

uint64_t CCFDictStore::OpenOrCreateChild(uint64_t handle, const char* key)
{
    plat::Dict* dict = DictOf(handle);
    if (!IsWritable() || !dict)
        return 0;
    if (plat::Dict* child = dict->GetAs<plat::Dict>(KeyText(key))) {
        child->Retain();
        return HandleOf(child);
    }
    plat::Ref<plat::Dict> child = plat::Dict::Make();
    dict->Set(KeyText(key), child);
    return HandleOf(child.Detach());
}

uint64_t CCFDictStore::OpenChild(uint64_t handle, const char* key)
{
    plat::Dict* dict = DictOf(handle);
    plat::Dict* child = dict ? dict->GetAs<plat::Dict>(KeyText(key)) : nullptr;
    if (!child)
        return 0;
    child->Retain();
    return HandleOf(child);
}

void CCFDictStore::CloseNode(uint64_t handle)
{
    if (plat::Dict* dict = DictOf(handle))
        dict->Release();
}

void CCFDictStore::Remove(uint64_t handle, const char* key)
{
    plat::Dict* dict = DictOf(handle);
    if (IsWritable() && dict)
        dict->Remove(KeyText(key));
}

bool CCFDictStore::GetData(uint64_t handle, const char* key, void* buffer, uint32_t* size)
{
    plat::Dict* dict = DictOf(handle);
    const plat::Data* data = dict ? dict->GetAs<plat::Data>(KeyText(key)) : nullptr;
    if (!data) {
        *size = 0;
        return false;
    }
    const auto& bytes = data->Bytes();
    const uint32_t length = bytes.size() > UINT32_MAX ? UINT32_MAX : uint32_t(bytes.size());
    if (buffer) {
        *size = std::min(*size, length);
        if (*size)
            std::memcpy(buffer, bytes.data(), *size);
    } else {
        *size = length;
    }
    return true;
}

bool CCFDictStore::GetString(uint64_t handle, const char* key, LStringRef* out)
{
    plat::Dict* dict = DictOf(handle);
    const plat::String* text = dict ? dict->GetAs<plat::String>(KeyText(key)) : nullptr;
    if (!text)
        return false;
    *out = LStringRef(std::string_view(text->Text()));
    return true;
}

void CCFDictStore::SetData(uint64_t handle, const char* key, const void* bytes, uint32_t size)
{
    plat::Dict* dict = DictOf(handle);
    if (IsWritable() && dict)
        dict->Set(KeyText(key), plat::Data::Make(bytes, size));
}

void CCFDictStore::SetString(uint64_t handle, const char* key, const char* text)
{
    plat::Dict* dict = DictOf(handle);
    if (IsWritable() && dict)
        dict->Set(KeyText(key), plat::String::Make(text ? text : ""));
}
