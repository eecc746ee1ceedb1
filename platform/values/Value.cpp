#include "platform/values/Value.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace plat {

Ref<String> String::Make(std::string_view text)
{
    return Ref<String>::Adopt(new String(text));
}

Ref<Value> String::DeepCopy() const
{
    return Make(fText);
}

bool String::Equals(const Value& other) const
{
    const String* s = other.As<String>();
    return s && s->fText == fText;
}

Ref<Number> Number::MakeInt(int64_t value)
{
    return Ref<Number>::Adopt(new Number(false, value, 0.0));
}

Ref<Number> Number::MakeReal(double value)
{
    return Ref<Number>::Adopt(new Number(true, 0, value));
}

int64_t Number::Int() const
{
    if (!fIsReal)
        return fInt;
    if (std::isnan(fReal))
        return 0;
    // 2^63 as a double: values at or beyond it do not fit.
    constexpr double kLimit = 9223372036854775808.0;
    if (fReal >= kLimit)
        return std::numeric_limits<int64_t>::max();
    if (fReal < -kLimit)
        return std::numeric_limits<int64_t>::min();
    return int64_t(fReal);
}

Ref<Value> Number::DeepCopy() const
{
    return fIsReal ? Ref<Value>(MakeReal(fReal)) : Ref<Value>(MakeInt(fInt));
}

bool Number::Equals(const Value& other) const
{
    const Number* n = other.As<Number>();
    if (!n || n->fIsReal != fIsReal)
        return false;
    return fIsReal ? n->fReal == fReal : n->fInt == fInt;
}

Ref<Bool> Bool::Make(bool value)
{
    return Ref<Bool>::Adopt(new Bool(value));
}

Ref<Value> Bool::DeepCopy() const
{
    return Make(fValue);
}

bool Bool::Equals(const Value& other) const
{
    const Bool* b = other.As<Bool>();
    return b && b->fValue == fValue;
}

Data::Data(const void* bytes, size_t size)
{
    if (bytes && size)
        fBytes.assign(static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + size);
}

Ref<Data> Data::Make(const void* bytes, size_t size)
{
    return Ref<Data>::Adopt(new Data(bytes, size));
}

Ref<Value> Data::DeepCopy() const
{
    return Make(fBytes.data(), fBytes.size());
}

bool Data::Equals(const Value& other) const
{
    const Data* d = other.As<Data>();
    return d && d->fBytes == fBytes;
}

Ref<Date> Date::Make(int64_t unixSeconds)
{
    return Ref<Date>::Adopt(new Date(unixSeconds));
}

Ref<Value> Date::DeepCopy() const
{
    return Make(fSeconds);
}

bool Date::Equals(const Value& other) const
{
    const Date* d = other.As<Date>();
    return d && d->fSeconds == fSeconds;
}

} // namespace plat
