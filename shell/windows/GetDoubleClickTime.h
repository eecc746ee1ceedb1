#pragma once
#include <cstdint>

// The user's double-click interval in milliseconds, held to 200 ... 61000.
uint32_t GetDoubleClickTime();
