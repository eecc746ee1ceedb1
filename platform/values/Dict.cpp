#include "platform/values/Dict.h"

namespace plat {

Ref<Dict> Dict::Make()
{
    return Ref<Dict>::Adopt(new Dict());
}

Ref<Value> Dict::DeepCopy() const
{
    Ref<Dict> copy = Make();
    for (const auto& [key, value] : fEntries)
        copy->fEntries.emplace(key, value->DeepCopy());
    return copy;
}

bool Dict::Equals(const Value& other) const
{
    const Dict* d = other.As<Dict>();
    if (!d || d->fEntries.size() != fEntries.size())
        return false;
    auto a = fEntries.begin();
    for (auto b = d->fEntries.begin(); b != d->fEntries.end(); ++a, ++b) {
        if (a->first != b->first || !a->second->Equals(*b->second))
            return false;
    }
    return true;
}

Value* Dict::Get(std::string_view key) const
{
    auto found = fEntries.find(key);
    return found == fEntries.end() ? nullptr : found->second.Get();
}

void Dict::Set(std::string_view key, Ref<Value> value)
{
    if (!value) {
        Remove(key);
        return;
    }
    auto found = fEntries.find(key);
    if (found != fEntries.end())
        found->second = std::move(value);
    else
        fEntries.emplace(std::string(key), std::move(value));
}

void Dict::Remove(std::string_view key)
{
    auto found = fEntries.find(key);
    if (found != fEntries.end())
        fEntries.erase(found);
}

} // namespace plat
