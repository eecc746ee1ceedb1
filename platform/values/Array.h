#pragma once
#include "platform/values/Value.h"

#include <vector>

namespace plat {

// An ordered list of values (never null elements).
class Array final : public Value {
public:
    static constexpr ValueKind kKind = ValueKind::Array;

    static Ref<Array> Make();
    ValueKind Kind() const override { return kKind; }
    Ref<Value> DeepCopy() const override;
    bool Equals(const Value& other) const override;

    size_t Count() const { return fItems.size(); }
    // Element `index`, or null past the end.
    Value* At(size_t index) const { return index < fItems.size() ? fItems[index].Get() : nullptr; }
    // Appends the value; a null value is not stored.
    void Append(Ref<Value> value);
    void RemoveAt(size_t index);

private:
    Array() = default;
    std::vector<Ref<Value>> fItems;
};

} // namespace plat
