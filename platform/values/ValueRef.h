#pragma once
#include "platform/Shared.h"

#include <utility>

namespace plat {

// Owning handle of one shared platform object (null allowed): retains what it is given,
// releases it when it goes. Adopt takes over an object whose count the caller already holds.
template <class T>
class Ref {
public:
    Ref() = default;
    Ref(T* object) : fObject(object)
    {
        if (fObject)
            fObject->Retain();
    }
    Ref(const Ref& other) : Ref(other.fObject) {}
    Ref(Ref&& other) noexcept : fObject(std::exchange(other.fObject, nullptr)) {}
    template <class U>
    Ref(const Ref<U>& other) : Ref(static_cast<T*>(other.Get()))
    {
    }
    ~Ref() { Reset(); }

    Ref& operator=(const Ref& other)
    {
        Ref copy(other);
        std::swap(fObject, copy.fObject);
        return *this;
    }
    Ref& operator=(Ref&& other) noexcept
    {
        Ref taken(std::move(other));
        std::swap(fObject, taken.fObject);
        return *this;
    }

    // Takes over an object made for the caller (count already held).
    static Ref Adopt(T* object)
    {
        Ref ref;
        ref.fObject = object;
        return ref;
    }
    // Gives up ownership without releasing.
    T* Detach() { return std::exchange(fObject, nullptr); }
    void Reset()
    {
        if (T* old = std::exchange(fObject, nullptr))
            old->Release();
    }

    T* Get() const { return fObject; }
    T* operator->() const { return fObject; }
    T& operator*() const { return *fObject; }
    explicit operator bool() const { return fObject != nullptr; }

private:
    T* fObject = nullptr;
};

} // namespace plat
