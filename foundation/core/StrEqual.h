#pragma once
#include <cstdint>

// Text equality in which a null pointer equals the empty text (two nulls are equal).
// This is the type test of every message handler.
bool StrEqual(const char* a, const char* b) noexcept;

// Length of a NUL-terminated text; 0 for a null pointer.
uint32_t SafeStrlen(const char* text) noexcept;
