#include "platform/values/Array.h"

namespace plat {

Ref<Array> Array::Make()
{
    return Ref<Array>::Adopt(new Array());
}

Ref<Value> Array::DeepCopy() const
{
    Ref<Array> copy = Make();
    copy->fItems.reserve(fItems.size());
    for (const Ref<Value>& item : fItems)
        copy->fItems.push_back(item->DeepCopy());
    return copy;
}

bool Array::Equals(const Value& other) const
{
    const Array* a = other.As<Array>();
    if (!a || a->fItems.size() != fItems.size())
        return false;
    for (size_t i = 0; i < fItems.size(); ++i) {
        if (!fItems[i]->Equals(*a->fItems[i]))
            return false;
    }
    return true;
}

void Array::Append(Ref<Value> value)
{
    if (value)
        fItems.push_back(std::move(value));
}

void Array::RemoveAt(size_t index)
{
    if (index < fItems.size())
        fItems.erase(fItems.begin() + std::ptrdiff_t(index));
}

} // namespace plat
