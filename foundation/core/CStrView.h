#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <string_view>

// A text with its length, either held through a string handle or borrowed from a C string.
// Made from a C string it does not copy: the caller keeps that text alive.
class CStrView {
public:
    CStrView() noexcept : text(""), length(0) {}
    // Retains the handle and points into its block.
    CStrView(const LStringRef& string) noexcept;
    // Borrows a NUL-terminated text; null gives the empty text.
    CStrView(const char* cstr) noexcept { InitCStr(cstr); }
    void InitCStr(const char* cstr) noexcept;

    std::string_view View() const noexcept { return {text, length}; }

    LStringRef handle;
    const char* text;
    uint32_t length;
};
