#pragma once
#include "foundation/text/LResourceSource.h"

#include <cstdint>
#include <span>

// Looks up a resource of a type in the current resource file only: by name when the
// reference has one (at most its first 255 bytes count), else by id. `data` points into the
// open file and stays valid while that file is open; false, with `data` empty, when there is none.
[[nodiscard]] bool GetResourceByRef(uint32_t type, const LResRef& ref, std::span<const uint8_t>& data);
