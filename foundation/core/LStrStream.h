#pragma once
#include "foundation/core/LByteBuffer.h"

#include <cstdint>
#include <string_view>

// String output stream with which texts are composed. Texts of up to 63 bytes stay in a
// 64-byte inline buffer; longer ones move to a heap block grown to twice the needed size.
// The text is always NUL-terminated. A failed allocation never fails the caller: it sets a
// sticky error flag that only Clear and Reset lower, and the text keeps what came before.
class LStrStream {
public:
    static constexpr uint32_t kInlineCapacity = 64;

    LStrStream() noexcept;
    virtual ~LStrStream() = default;
    LStrStream(const LStrStream&) = delete;
    LStrStream& operator=(const LStrStream&) = delete;

    // The NUL-terminated text (the static empty text when nothing was written).
    virtual const char* CStr() const noexcept;
    // Length 0 and error 0; a heap block is kept for reuse.
    virtual void Clear() noexcept;
    // Length 0 and error 0; the heap block is freed.
    virtual void Reset() noexcept;
    // Appends n bytes.
    virtual void Write(const void* data, uint32_t n) noexcept;

    void Write(std::string_view text) noexcept;
    void PutChar(char c) noexcept;

    uint32_t Length() const noexcept { return fLength; }
    bool Error() const noexcept { return fError != 0; }
    std::string_view View() const noexcept { return {CStr(), fLength}; }
    // Bytes the heap block can hold (0 while there is none).
    uint32_t HeapCapacity() const noexcept { return fHeap.Size(); }

    LStrStream& operator<<(std::string_view text) noexcept { Write(text); return *this; }
    LStrStream& operator<<(char c) noexcept { PutChar(c); return *this; }

private:
    bool IsInline() const noexcept { return fLength < kInlineCapacity; }
    [[nodiscard]] bool MoveToHeap(uint32_t need) noexcept;

    uint8_t fError = 0;
    uint32_t fLength = 0;
    LByteBuffer fHeap;
    char fInline[kInlineCapacity];
};
