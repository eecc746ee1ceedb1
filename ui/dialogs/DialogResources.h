#pragma once
#include "ui/LImageRef.h"
#include "ui/windows/LWindowDef.h"

#include <cstdint>

// The program's icon, the 'TPNG' picture "APP" that message boxes and the About box show;
// the shared null image when the resource is missing.
LImageRef LoadDialogIcon();

// The definition of a modal dialog's window (layer 3) of the given native window kind.
LWindowDef ModalWindowDef(uint32_t nativeKind);
