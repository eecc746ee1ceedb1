#pragma once
#include "foundation/core/LHandleData.h"

#include <cstdint>
#include <string_view>

// Immutable shared text: one allocation holding the header, the bytes and a terminating NUL.
// Texts are held through LStringRef handles; the text never changes after it is made.
class LString final : public LHandleData {
public:
    // A new block with count 0 holding `length` bytes of `text` and a NUL. A negative length
    // means up to the text's NUL. A null text, a length of 0, a length that does not fit
    // 32 bits or a failed allocation give the shared empty string instead.
    static LString* Make(const char* text, int64_t length = -1);
    // The shared empty string, built on first use and never freed.
    static LString* Empty();

    const char* Text() const noexcept { return fLength ? reinterpret_cast<const char*>(this + 1) : ""; }
    uint32_t Length() const noexcept { return fLength; }
    bool IsEmpty() const noexcept { return fLength == 0; }
    std::string_view View() const noexcept { return {Text(), fLength}; }

    // Blocks come from malloc (header and text together).
    static void operator delete(void* block) noexcept;

private:
    explicit LString(uint32_t length) noexcept : fLength(length) {}

    uint32_t fLength;
};
