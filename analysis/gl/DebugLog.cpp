#include "analysis/gl/DebugLog.h"
#include "foundation/core/LStrStream.h"

#include <atomic>
#include <mutex>

namespace {

std::atomic<uint8_t> gSwitch{0};

struct Log {
    std::mutex mutex;
    LStrStream text;
};

Log& TheLog()
{
    static Log log;
    return log;
}

} // namespace

void DebugLogWrite(std::string_view text)
{
    if (gSwitch.load() != 1)
        return;
    Log& log = TheLog();
    std::lock_guard guard(log.mutex);
    while (!text.empty()) {
        const size_t end = text.find('\n');
        log.text << text.substr(0, end) << '\n';
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
}

void SetDebugLogSwitch(uint8_t value)
{
    gSwitch.store(value);
}

uint8_t DebugLogSwitch()
{
    return gSwitch.load();
}

std::string DebugLogText()
{
    Log& log = TheLog();
    std::lock_guard guard(log.mutex);
    return std::string(log.text.View());
}

void ClearDebugLog()
{
    Log& log = TheLog();
    std::lock_guard guard(log.mutex);
    log.text.Clear();
}
