#pragma once
#include "platform/Shared.h"
#include "platform/values/ValueRef.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

enum class ValueKind : uint8_t { Dict, Array, String, Number, Bool, Data, Date };

// A property value: dictionary, array, text, number, truth value, byte block or date. Values are
// shared by reference count; containers may be changed in place by whoever holds them, so a
// caller that must change a value it did not make takes a deep copy first.
class Value : public Shared {
public:
    virtual ValueKind Kind() const = 0;
    // An independent copy: containers are copied with everything below them.
    virtual Ref<Value> DeepCopy() const = 0;
    // Same kind and same contents (containers compared element by element).
    virtual bool Equals(const Value& other) const = 0;

    // The value as the given class when it is of that kind, else null.
    template <class T>
    T* As() { return Kind() == T::kKind ? static_cast<T*>(this) : nullptr; }
    template <class T>
    const T* As() const { return Kind() == T::kKind ? static_cast<const T*>(this) : nullptr; }
};

// UTF-8 text.
class String final : public Value {
public:
    static constexpr ValueKind kKind = ValueKind::String;
    static Ref<String> Make(std::string_view text);
    ValueKind Kind() const override { return kKind; }
    Ref<Value> DeepCopy() const override;
    bool Equals(const Value& other) const override;
    const std::string& Text() const { return fText; }

private:
    explicit String(std::string_view text) : fText(text) {}
    std::string fText;
};

// A number: a 64-bit integer or a double, as it was made.
class Number final : public Value {
public:
    static constexpr ValueKind kKind = ValueKind::Number;
    static Ref<Number> MakeInt(int64_t value);
    static Ref<Number> MakeReal(double value);
    ValueKind Kind() const override { return kKind; }
    Ref<Value> DeepCopy() const override;
    bool Equals(const Value& other) const override;
    bool IsReal() const { return fIsReal; }
    // The value as an integer (a real is truncated toward zero and clamped).
    int64_t Int() const;
    double Real() const { return fIsReal ? fReal : double(fInt); }

private:
    Number(bool isReal, int64_t i, double d) : fIsReal(isReal), fInt(i), fReal(d) {}
    bool fIsReal;
    int64_t fInt;
    double fReal;
};

class Bool final : public Value {
public:
    static constexpr ValueKind kKind = ValueKind::Bool;
    static Ref<Bool> Make(bool value);
    ValueKind Kind() const override { return kKind; }
    Ref<Value> DeepCopy() const override;
    bool Equals(const Value& other) const override;
    bool IsTrue() const { return fValue; }

private:
    explicit Bool(bool value) : fValue(value) {}
    bool fValue;
};

// A block of bytes.
class Data final : public Value {
public:
    static constexpr ValueKind kKind = ValueKind::Data;
    static Ref<Data> Make(const void* bytes, size_t size);
    ValueKind Kind() const override { return kKind; }
    Ref<Value> DeepCopy() const override;
    bool Equals(const Value& other) const override;
    const std::vector<uint8_t>& Bytes() const { return fBytes; }
    std::vector<uint8_t>& Bytes() { return fBytes; }

private:
    Data(const void* bytes, size_t size);
    std::vector<uint8_t> fBytes;
};

// A moment in time, as whole seconds since 1970-01-01 00:00:00 UTC.
class Date final : public Value {
public:
    static constexpr ValueKind kKind = ValueKind::Date;
    static Ref<Date> Make(int64_t unixSeconds);
    ValueKind Kind() const override { return kKind; }
    Ref<Value> DeepCopy() const override;
    bool Equals(const Value& other) const override;
    int64_t UnixSeconds() const { return fSeconds; }

private:
    explicit Date(int64_t seconds) : fSeconds(seconds) {}
    int64_t fSeconds;
};

} // namespace plat
