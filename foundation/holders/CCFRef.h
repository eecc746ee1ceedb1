#pragma once
#include "platform/Shared.h"

// Holder of one shared platform object (null allowed), released when the holder goes.
class CCFRef {
public:
    CCFRef() = default;
    CCFRef(const CCFRef& other) { AssignRetain(other.fObject); }
    CCFRef& operator=(const CCFRef& other) { Assign(other); return *this; }
    ~CCFRef() { Reset(); }

    // Holds other's object too: retains it first, then releases the old one.
    void Assign(const CCFRef& other) { AssignRetain(other.fObject); }
    // Holds an object the caller does not own (it is retained).
    void AssignRetain(const plat::Shared* object);
    // Takes over an object the caller owns (it is not retained).
    void Adopt(const plat::Shared* object);
    // Releases the object and holds null.
    CCFRef& Reset();

    const plat::Shared* Get() const { return fObject; }
    template <class T> const T* As() const { return dynamic_cast<const T*>(fObject); }
    explicit operator bool() const { return fObject != nullptr; }

private:
    const plat::Shared* fObject = nullptr;
};
