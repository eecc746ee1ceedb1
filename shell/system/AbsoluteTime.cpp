#include "shell/system/AbsoluteTime.h"
#include "platform/system/WallClock.h"

namespace {

// Seconds from 1970-01-01 to 2001-01-01, both at 00:00:00 GMT.
constexpr double kUnixToAbsolute = 978307200.0;

} // namespace

double GetAbsoluteTime()
{
    return plat::CurrentWallClock().NowSeconds() - kUnixToAbsolute;
}

double LocalAbsoluteTime(double t)
{
    return t + double(plat::CurrentWallClock().LocalOffsetSeconds(t + kUnixToAbsolute));
}
