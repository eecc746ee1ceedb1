#pragma once
#include "platform/values/Value.h"

#include <map>
#include <string>
#include <string_view>

namespace plat {

// A dictionary of text keys to values, kept in key order (so written files are stable).
class Dict final : public Value {
public:
    static constexpr ValueKind kKind = ValueKind::Dict;
    using Map = std::map<std::string, Ref<Value>, std::less<>>;

    static Ref<Dict> Make();
    ValueKind Kind() const override { return kKind; }
    Ref<Value> DeepCopy() const override;
    bool Equals(const Value& other) const override;

    // The value under the key, or null.
    Value* Get(std::string_view key) const;
    template <class T>
    T* GetAs(std::string_view key) const
    {
        Value* value = Get(key);
        return value ? value->As<T>() : nullptr;
    }
    // Stores the value under the key (a null value removes the key).
    void Set(std::string_view key, Ref<Value> value);
    void Remove(std::string_view key);
    size_t Count() const { return fEntries.size(); }
    const Map& Entries() const { return fEntries; }

private:
    Dict() = default;
    Map fEntries;
};

} // namespace plat
