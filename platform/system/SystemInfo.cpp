#include "platform/system/SystemInfo.h"

#ifndef SONALYX_BUILD_VERSION
#define SONALYX_BUILD_VERSION "0.0.0"
#endif

namespace plat {

namespace {

constexpr uint32_t Selector(char a, char b, char c, char d)
{
    return uint32_t(uint8_t(a)) << 24 | uint32_t(uint8_t(b)) << 16 | uint32_t(uint8_t(c)) << 8 | uint8_t(d);
}

} // namespace

OsVersion ReportedOsVersion()
{
    // The newest system behaviour the program knows of: every version rule the program
    // applies takes its newest branch with this.
    return OsVersion{10, 15, 7};
}

bool QuerySystemValue(uint32_t selector, int64_t& value)
{
    const OsVersion version = ReportedOsVersion();
    switch (selector) {
    case Selector('s', 'y', 's', '1'):
        value = version.major;
        return true;
    case Selector('s', 'y', 's', '2'):
        value = version.minor;
        return true;
    case Selector('s', 'y', 's', '3'):
        value = version.patch;
        return true;
    default:
        return false;
    }
}

std::string ProcessName()
{
    return "Sonalyx";
}

std::string BuildVersion()
{
    return SONALYX_BUILD_VERSION;
}

} // namespace plat
