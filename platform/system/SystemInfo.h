#pragma once
#include <cstdint>
#include <string>

namespace plat {

// The operating-system version the program reports about itself. Code that changes its
// behaviour by system version compares against this, so it reports the newest behaviour
// the program knows.
struct OsVersion {
    uint8_t major = 0;
    uint8_t minor = 0;
    uint8_t patch = 0;
};
OsVersion ReportedOsVersion();

// Answers a system-information question named by a four-character selector. Only the
// questions that have an answer here are answered ('sys1', 'sys2', 'sys3': the parts of the
// reported version); every other selector gives false and leaves `value` alone.
bool QuerySystemValue(uint32_t selector, int64_t& value);

// The process's own name ("Sonalyx") and the version it was built as.
std::string ProcessName();
std::string BuildVersion();

} // namespace plat
