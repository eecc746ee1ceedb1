#include "foundation/input/LMouse.h"
#include "platform/Clock.h"
#include "platform/system/InputSettings.h"
#include "tests/support/RecordingHandler.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

struct DoubleClickInterval {
    explicit DoubleClickInterval(uint32_t ms) { plat::SetDoubleClickIntervalMs(ms); }
    ~DoubleClickInterval() { plat::SetDoubleClickIntervalMs(500); }
};

} // namespace

TEST(LMouse, DoubleClickNeedsTheCallersCookieAndTheIntervalAcrossTheWrapAndUnconsumedClicksComeBack)
{
    DoubleClickInterval interval(500);
    LMouse mouse;
    uint32_t cookie = 0;
    mouse.RecordClick({10, 10}, 1000);
    EXPECT_FALSE(mouse.IsDoubleClick(cookie));
    EXPECT_EQ(cookie, 1000u);
    mouse.RecordClick({11, 10}, 1100);
    EXPECT_TRUE(mouse.IsDoubleClick(cookie));
    EXPECT_EQ(cookie, 1100u);
    EXPECT_EQ(mouse.prevClickLocation, (CLPoint{10, 10}));

    // The same two clicks seen with a stale cookie (another window took the first).
    uint32_t stale = 1;
    mouse.RecordClick({0, 0}, 2000);
    uint32_t other = mouse.clickStamp;
    EXPECT_FALSE(mouse.IsDoubleClick(other));
    mouse.RecordClick({0, 0}, 2100);
    EXPECT_FALSE(mouse.IsDoubleClick(stale));

    // Too slow, and exactly at the interval.
    for (const auto& [when, twice] : {std::pair(2600u, false), {3099u, true}, {3599u, false}}) {
        mouse.RecordClick({0, 0}, when);
        EXPECT_EQ(mouse.IsDoubleClick(stale), twice) << when;
    }

    cookie = 0;
    mouse.RecordClick({0, 0}, 0xFFFFFFF0u);
    (void)mouse.IsDoubleClick(cookie);
    mouse.RecordClick({0, 0}, 0x40u);
    EXPECT_TRUE(mouse.IsDoubleClick(cookie));

    LMouse pointer;
    RecordingHandler window;
    RecordingHandler pane(&window);
    pointer.pending = 1;
    LMessage::Send(LMessage("LMouse_Click", &pointer, &pane));
    EXPECT_EQ(std::tuple(int(pointer.pending), pane.seen.size(), window.seen.size()), std::tuple(0, size_t(1), size_t(1)));

    RecordingHandler taker(&window, "LMouse_Click");
    pointer.pending = 1;
    LMessage::Send(LMessage("LMouse_Click", &pointer, &taker));
    EXPECT_EQ(std::pair(int(pointer.pending), window.seen.size()), std::pair(1, size_t(1)));
}

