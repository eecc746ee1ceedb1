#include "ui/dialogs/DialogResources.h"
#include "shell/windows/CNativeWindowKind.h"
#include "ui/images/LPngImage.h"

LImageRef LoadDialogIcon()
{
    return LImageRef(new LPngImage({0, "APP"}));
}

LWindowDef ModalWindowDef(uint32_t nativeKind)
{
    LRef kind(new CNativeWindowKind(nativeKind));
    return LWindowDef(LWindowDef::kLayerModal, static_cast<const CNativeWindowKind*>(kind.Get()));
}
