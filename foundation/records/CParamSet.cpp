#include "foundation/records/CParamSet.h"

#include "foundation/text/NumberFormat.h"
#include "foundation/text/NumberParse.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/CUndoStrm.h"
#include "foundation/records/LObject.h"

namespace {

using S = CParamSchema;

bool IsSet(const LObject* set)
{
    return set && set->Is(S::kCreator, S::kSetClass);
}

LObject* ParamAt(const LObject* set, int32_t index)
{
    return index < 0 ? nullptr : set->GetChild(S::kParams, uint32_t(index));
}

// A detached parameter with its name and value, or null without memory.
LObjectPtr MakeParam(const char* name, const LStringRef& value)
{
    LObjectPtr param = LObject::Create(S::ParamClass());
    if (!param)
        return nullptr;
    LObject::SetString(param.get(), nullptr, S::kName, name, LObject::Merge::No);
    LObject::SetString(param.get(), nullptr, S::kValue, value, LObject::Merge::No);
    return param;
}

} // namespace

int32_t CParamSet::Find(const LObject* set, const char* name, LStringRef* value)
{
    if (!IsSet(set))
        return -1;
    const uint32_t count = set->GetArrayCount(S::kParams);
    for (uint32_t i = 0; i < count; i++) {
        const LObject* param = set->GetChild(S::kParams, i);
        if (param && StrEqual(param->GetString(S::kName).Text(), name)) {
            if (value)
                *value = param->GetString(S::kValue);
            return int32_t(i);
        }
    }
    return -1;
}

void CParamSet::SetValue(LObject* set, LHandler* context, const char* name, const LStringRef& value)
{
    const int32_t index = Find(set, name, nullptr);
    if (index < 0) {
        if (value.IsEmpty() || !IsSet(set))
            return;
        if (LObjectPtr param = MakeParam(name, value))
            (void)LObject::InsertChild(set, context, S::kParams, set->GetArrayCount(S::kParams), std::move(param));
        return;
    }
    if (value.IsEmpty()) {
        LObject::DeleteChildAt(set, context, S::kParams, uint32_t(index));
        return;
    }
    LObject* param = ParamAt(set, index);
    // Typing into a parameter merges into one undo step.
    if (!param->GetChild(S::kSubSet)) {
        LObject::SetString(param, context, S::kValue, value, LObject::Merge::Yes);
        return;
    }
    auto compound = CUndoStrm::BeginCompound(context, LStringRef());
    LObject::ReplaceChild(param, context, S::kSubSet, nullptr);
    LObject::SetString(param, context, S::kValue, value, LObject::Merge::Yes);
}

LObject* CParamSet::GetSubSet(const LObject* set, const char* name)
{
    const int32_t index = Find(set, name, nullptr);
    return index < 0 ? nullptr : ParamAt(set, index)->GetChild(S::kSubSet);
}

LObject* CParamSet::MakeSubSet(LObject* set, LHandler* context, const char* name)
{
    if (!IsSet(set))
        return nullptr;
    std::unique_ptr<CUndoStrm> compound;
    int32_t index = Find(set, name, nullptr);
    if (index < 0) {
        LObjectPtr param = MakeParam(name, LStringRef());
        if (!param)
            return nullptr;
        compound = CUndoStrm::BeginCompound(context, LStringRef());
        index = int32_t(set->GetArrayCount(S::kParams));
        if (!LObject::InsertChild(set, context, S::kParams, uint32_t(index), std::move(param)))
            return nullptr;
    }
    LObject* param = ParamAt(set, index);
    if (!param->GetChild(S::kSubSet)) {
        LObjectPtr subSet = LObject::Create(S::SetClass());
        if (!subSet)
            return nullptr;
        if (!compound)
            compound = CUndoStrm::BeginCompound(context, LStringRef());
        LObject::SetString(param, context, S::kValue, LStringRef(), LObject::Merge::No);
        LObject::ReplaceChild(param, context, S::kSubSet, std::move(subSet));
    }
    return param->GetChild(S::kSubSet);
}

int32_t CParamSet::GetFloat(const LObject* set, const char* name, float& value)
{
    LStringRef text;
    const int32_t index = Find(set, name, &text);
    if (index >= 0)
        value = float(StrToDouble(text.Text()));
    return index;
}

void CParamSet::SetFloat(LObject* set, LHandler* context, const char* name, int32_t decimals, double value)
{
    SetValue(set, context, name, DoubleToStringTrim(decimals, value));
}
