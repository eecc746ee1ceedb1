#include "shell/windows/GetDoubleClickTime.h"
#include "platform/system/InputSettings.h"

#include <algorithm>

uint32_t GetDoubleClickTime()
{
    return std::clamp<uint32_t>(plat::DoubleClickIntervalMs(), 200, 61000);
}
