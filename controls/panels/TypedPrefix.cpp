#include "controls/panels/TypedPrefix.h"
#include "foundation/async/LTicks.h"
#include "platform/TextEncoding.h"

namespace {

// Letters typed within this time make one name to look for.
constexpr uint32_t kTypingPauseMs = 1000;
constexpr size_t kMaxTyped = 64;

} // namespace

const std::string& TypedPrefix::Add(char32_t character)
{
    const uint32_t now = LTicks::Now();
    if (now - fAt > kTypingPauseMs || fText.size() >= kMaxTyped)
        fText.clear();
    fAt = now;
    plat::AppendUtf8(fText, character);
    return fText;
}
