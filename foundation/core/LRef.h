#pragma once
#include "foundation/core/LHandleData.h"

// One-pointer handle to a shared object (null allowed). Assigning retains the new object
// before releasing the old one, so self-assignment is safe.
class LRef {
public:
    LRef() noexcept = default;
    LRef(const LHandleData* object) noexcept : fObject(const_cast<LHandleData*>(object)) { RetainIfAny(fObject); }
    LRef(const LRef& other) noexcept : LRef(other.fObject) {}
    LRef(LRef&& other) noexcept : fObject(other.fObject) { other.fObject = nullptr; }
    ~LRef() { Release(); }

    LRef& operator=(const LRef& other) noexcept { AssignFrom(other); return *this; }
    LRef& operator=(LRef&& other) noexcept;

    // Holds `object` instead of the current one.
    void Assign(const LHandleData* object) noexcept;
    void AssignFrom(const LRef& other) noexcept { Assign(other.fObject); }
    // Lets go of the object; the handle becomes null.
    void Release() noexcept { Assign(nullptr); }

    LHandleData* Get() const noexcept { return fObject; }
    explicit operator bool() const noexcept { return fObject != nullptr; }
    friend bool operator==(const LRef& a, const LRef& b) noexcept { return a.fObject == b.fObject; }

protected:
    static void RetainIfAny(const LHandleData* object) noexcept
    {
        if (object)
            object->Retain();
    }

private:
    LHandleData* fObject = nullptr;
};

// A handle with typed access to an object of class T (an LHandleData).
template <class T>
class LTypedRef : public LRef {
public:
    LTypedRef() noexcept = default;
    LTypedRef(T* object) noexcept : LRef(object) {}
    void Assign(T* object) noexcept { LRef::Assign(object); }
    T* Get() const noexcept { return static_cast<T*>(LRef::Get()); }
    T* operator->() const noexcept { return Get(); }
    T& operator*() const noexcept { return *Get(); }
};
