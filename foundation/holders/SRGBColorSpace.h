#pragma once
#include "platform/ColorSpace.h"

// The process's shared sRGB colour space, made on first use. Each call adds one retain,
// which the caller releases. Null only when the first creation failed for lack of memory.
const plat::ColorSpace* GetSRGBColorSpace();
