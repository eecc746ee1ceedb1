#pragma once
#include "foundation/core/LStringRef.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <new>

class LArray;
class LRefArray;
class LObject;

// The 8-byte storage of one record field: a scalar in its low bits (upper bits zero), a string
// handle, or a pointer to an array, a child record or a child list, as the field type says.
class LFieldSlot {
public:
    uint64_t Bits() const noexcept
    {
        uint64_t bits;
        std::memcpy(&bits, fBytes, sizeof bits);
        return bits;
    }
    void SetBits(uint64_t bits) noexcept { std::memcpy(fBytes, &bits, sizeof bits); }

    int32_t Int() const noexcept { return int32_t(uint32_t(Bits())); }
    uint32_t UInt() const noexcept { return uint32_t(Bits()); }
    uint8_t Byte() const noexcept { return uint8_t(Bits()); }
    float Float() const noexcept { return std::bit_cast<float>(uint32_t(Bits())); }

    LStringRef& String() noexcept { return *std::launder(reinterpret_cast<LStringRef*>(fBytes)); }
    const LStringRef& String() const noexcept
    {
        return *std::launder(reinterpret_cast<const LStringRef*>(fBytes));
    }
    void ConstructString(const LStringRef& text) { new (fBytes) LStringRef(text); }
    void DestroyString() noexcept { String().~LStringRef(); }

    template <class T>
    T* Pointer() const noexcept
    {
        void* p;
        std::memcpy(&p, fBytes, sizeof p);
        return static_cast<T*>(p);
    }
    void SetPointer(void* p) noexcept
    {
        SetBits(0);
        std::memcpy(fBytes, &p, sizeof p);
    }

    LArray* Array() const noexcept { return Pointer<LArray>(); }       // element types 0-3
    LRefArray* Texts() const noexcept { return Pointer<LRefArray>(); }  // element type 4
    LObject* Child() const noexcept { return Pointer<LObject>(); }
    LArray* List() const noexcept { return Pointer<LArray>(); }        // of LObject*

private:
    alignas(8) unsigned char fBytes[8];
};

static_assert(sizeof(LFieldSlot) == 8);
