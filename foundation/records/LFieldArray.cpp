#include "foundation/records/LFieldArray.h"

#include "foundation/core/LArray.h"
#include "foundation/records/LRefArray.h"

#include <cstring>
#include <new>

namespace {

LArray* Scalars(void* array)
{
    return static_cast<LArray*>(array);
}

const LArray* Scalars(const void* array)
{
    return static_cast<const LArray*>(array);
}

LRefArray* Texts(void* array)
{
    return static_cast<LRefArray*>(array);
}

const LRefArray* Texts(const void* array)
{
    return static_cast<const LRefArray*>(array);
}

const LStringRef& TextOf(const void* value)
{
    return *static_cast<const LStringRef*>(value);
}

} // namespace

void* LFieldArray::Make(LFieldType elemType)
{
    if (!IsValidType(elemType))
        return nullptr;
    if (elemType == LFieldType::String)
        return new (std::nothrow) LRefArray(0);
    return new (std::nothrow) LArray(ElementSize(elemType), 0);
}

void LFieldArray::Destroy(void* array, LFieldType elemType) noexcept
{
    if (!array)
        return;
    if (elemType == LFieldType::String)
        delete Texts(array);
    else
        delete Scalars(array);
}

uint32_t LFieldArray::Count(const void* array, LFieldType elemType) noexcept
{
    if (!array || !IsValidType(elemType))
        return 0;
    return elemType == LFieldType::String ? Texts(array)->Count() : Scalars(array)->Count();
}

const void* LFieldArray::Data(const void* array, LFieldType elemType) noexcept
{
    if (!array || !IsValidType(elemType))
        return nullptr;
    return elemType == LFieldType::String ? static_cast<const void*>(Texts(array)->Data())
                                          : Scalars(array)->Data();
}

void LFieldArray::Get(const void* array, LFieldType elemType, uint32_t index, LElementValue& value)
{
    value.bits = 0;
    if (elemType == LFieldType::String) {
        value.text = Texts(array)->At(index);
        return;
    }
    std::memcpy(&value.bits, Scalars(array)->At(index), ElementSize(elemType));
}

bool LFieldArray::Equals(const void* array, LFieldType elemType, uint32_t index, const void* value) noexcept
{
    switch (elemType) {
    case LFieldType::String:
        return LStringRef::Equals(Texts(array)->At(index), TextOf(value));
    case LFieldType::Float:
        return *static_cast<const float*>(Scalars(array)->At(index)) == *static_cast<const float*>(value);
    default:
        return std::memcmp(Scalars(array)->At(index), value, ElementSize(elemType)) == 0;
    }
}

void LFieldArray::Set(void* array, LFieldType elemType, uint32_t index, const void* value)
{
    if (elemType == LFieldType::String)
        Texts(array)->Set(index, TextOf(value));
    else
        std::memcpy(Scalars(array)->At(index), value, ElementSize(elemType));
}

bool LFieldArray::Insert(void* array, LFieldType elemType, uint32_t index, const void* value)
{
    if (!array || !IsValidType(elemType))
        return false;
    if (elemType == LFieldType::String)
        return Texts(array)->Insert(index, TextOf(value));
    return Scalars(array)->InsertAt(index, value);
}

void LFieldArray::Remove(void* array, LFieldType elemType, uint32_t index)
{
    if (!array || index >= Count(array, elemType))
        return;
    if (elemType == LFieldType::String)
        Texts(array)->Remove(index);
    else
        Scalars(array)->RemoveAt(index, 1);
}

void LFieldArray::Assign(void* array, LFieldType elemType, const void* elements, uint32_t count)
{
    if (!array || !IsValidType(elemType))
        return;
    if (elemType != LFieldType::String) {
        if (!Scalars(array)->SetAll(elements, count))
            return;  // no memory: the array keeps its contents
        return;
    }
    const auto* texts = static_cast<const LStringRef*>(elements);
    LRefArray& target = *Texts(array);
    while (target.Count() > count)
        target.Remove(target.Count() - 1);
    for (uint32_t i = 0; i < count; i++) {
        if (i < target.Count())
            target.Set(i, texts[i]);
        else if (!target.Insert(i, texts[i]))
            return;
    }
}
