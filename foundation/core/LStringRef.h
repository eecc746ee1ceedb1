#pragma once
#include "foundation/core/LRef.h"
#include "foundation/core/LString.h"

#include <string_view>

// Handle to an LString that is never null: an empty text is the shared empty string.
class LStringRef : public LRef {
public:
    LStringRef() noexcept : LRef(LString::Empty()) {}
    // Copies a NUL-terminated text (null gives the empty string).
    LStringRef(const char* text) : LRef(LString::Make(text)) {}
    // Copies `length` bytes of `text`; a negative length means up to the NUL.
    LStringRef(const char* text, int64_t length) : LRef(LString::Make(text, length)) {}
    explicit LStringRef(std::string_view text)
        : LRef(LString::Make(text.data(), static_cast<int64_t>(text.size()))) {}
    // Holds an existing block; null gives the empty string.
    LStringRef(const LString* string) noexcept : LRef(string ? string : LString::Empty()) {}
    // Copying only: a moved-from handle must still hold a string.
    LStringRef(const LStringRef& other) noexcept = default;
    LStringRef& operator=(const LStringRef& other) noexcept = default;

    void Assign(const LString* string) noexcept { LRef::Assign(string ? string : LString::Empty()); }
    // Lets go of the text; the handle holds the empty string.
    void Release() noexcept { Assign(nullptr); }

    LString* Get() const noexcept { return static_cast<LString*>(LRef::Get()); }
    const char* Text() const noexcept { return Get()->Text(); }
    uint32_t Length() const noexcept { return Get()->Length(); }
    bool IsEmpty() const noexcept { return Get()->IsEmpty(); }
    std::string_view View() const noexcept { return Get()->View(); }

    // Text equality (an empty text equals an empty text).
    static bool Equals(const LStringRef& a, const LStringRef& b) noexcept;
    friend bool operator==(const LStringRef& a, const LStringRef& b) noexcept { return Equals(a, b); }
    friend bool operator==(const LStringRef& a, const char* b) noexcept;
};
