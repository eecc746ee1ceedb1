#include "controls/drag/MDragSrc.h"
#include "platform/window/WindowDelegate.h"

uint32_t MDragSrc::OperationMask(bool local) const
{
    if (local)
        return plat::kDragCopy | plat::kDragLink | plat::kDragGeneric | plat::kDragMove;
    return mLocalOnly ? plat::kDragNone : plat::kDragCopy;
}
