#include "foundation/core/LString.h"

#include <cstdlib>
#include <cstring>
#include <new>

LString* LString::Make(const char* text, int64_t length)
{
    if (!text)
        return Empty();
    if (length < 0)
        length = static_cast<int64_t>(std::strlen(text));
    if (length == 0 || length >= static_cast<int64_t>(UINT32_MAX))
        return Empty();
    void* block = std::malloc(sizeof(LString) + static_cast<size_t>(length) + 1);
    if (!block)
        return Empty();
    auto* string = new (block) LString(static_cast<uint32_t>(length));
    char* bytes = reinterpret_cast<char*>(string + 1);
    std::memcpy(bytes, text, static_cast<size_t>(length));
    bytes[length] = '\0';
    return string;
}

LString* LString::Empty()
{
    // A function-local static is built exactly once even when threads race to it.
    struct Shared {
        Shared() { string.MakePermanent(); }
        LString string{0};
    };
    static Shared shared;
    return &shared.string;
}

void LString::operator delete(void* block) noexcept
{
    std::free(block);
}
