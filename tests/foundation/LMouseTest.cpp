#include "foundation/LKeyboard.h"
#include "foundation/LLoopWaker.h"
#include "foundation/LMouse.h"
#include "foundation/StrEqual.h"
#include "platform/Clock.h"
#include "platform/InputSettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Records every message offered to it; consumes the types it is told to.
class Recorder : public LHandler {
public:
    explicit Recorder(LHandler* parent = nullptr, std::string consume = {}) : LHandler(parent), fConsume(consume) {}
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        seen.push_back(msg.type);
        if (onMessage)
            onMessage(msg);
        if (!fConsume.empty() && StrEqual(msg.type, fConsume.c_str())) {
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    std::vector<std::string> seen;
    std::function<void(const LMessage&)> onMessage;

private:
    std::string fConsume;
};

class Probe final : public plat::Shared {
public:
    explicit Probe(int* gone) : fGone(gone) {}
    ~Probe() override { ++*fGone; }

private:
    int* fGone;
};

struct DoubleClickInterval {
    explicit DoubleClickInterval(uint32_t ms) { plat::SetDoubleClickIntervalMs(ms); }
    ~DoubleClickInterval() { plat::SetDoubleClickIntervalMs(500); }
};

} // namespace

TEST(LMouse, StartsWithTheClockInStampAndPreviousClick)
{
    plat::ScopedVirtualClock clock(4321);
    LMouse mouse;
    EXPECT_EQ(mouse.prevClickTime, 4321u);
    EXPECT_EQ(mouse.clickStamp, 4321u);
    EXPECT_EQ(mouse.clickTime, 0u);
    EXPECT_EQ(mouse.Capture(), nullptr);
}

TEST(LMouse, DoubleClickNeedsTheCallersCookieAndTheInterval)
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
    mouse.RecordClick({0, 0}, 2600);
    EXPECT_FALSE(mouse.IsDoubleClick(stale));
    mouse.RecordClick({0, 0}, 3099);
    EXPECT_TRUE(mouse.IsDoubleClick(stale));
    mouse.RecordClick({0, 0}, 3599);
    EXPECT_FALSE(mouse.IsDoubleClick(stale));
}

TEST(LMouse, DoubleClickAcrossTheMillisecondWrap)
{
    DoubleClickInterval interval(500);
    LMouse mouse;
    uint32_t cookie = 0;
    mouse.RecordClick({0, 0}, 0xFFFFFFF0u);
    (void)mouse.IsDoubleClick(cookie);
    mouse.RecordClick({0, 0}, 0x40u);
    EXPECT_TRUE(mouse.IsDoubleClick(cookie));
}

TEST(LMouse, UnconsumedPointerMessageComesBackAndClearsPending)
{
    LMouse mouse;
    Recorder window;
    Recorder pane(&window);
    mouse.pending = 1;
    LMessage::Send(LMessage("LMouse_Click", &mouse, &pane));
    EXPECT_EQ(mouse.pending, 0);
    EXPECT_EQ(pane.seen.size(), 1u);
    EXPECT_EQ(window.seen.size(), 1u);

    Recorder taker(&window, "LMouse_Click");
    mouse.pending = 1;
    LMessage::Send(LMessage("LMouse_Click", &mouse, &taker));
    EXPECT_EQ(mouse.pending, 1);
    EXPECT_EQ(window.seen.size(), 1u);
}

TEST(LMouse, WheelSampleAndCapture)
{
    LMouse mouse;
    Recorder pane;
    mouse.SetWheelSample({3, 4}, -2, 7, 0x20000);
    EXPECT_EQ(mouse.location, (CLPoint{3, 4}));
    EXPECT_EQ(mouse.wheelDx, -2);
    EXPECT_EQ(mouse.wheelDy, 7);
    EXPECT_EQ(mouse.modifiers, 0x20000u);
    mouse.SetCapture(&pane);
    EXPECT_EQ(mouse.Capture(), &pane);
    mouse.SetCapture(nullptr);
    EXPECT_EQ(mouse.Capture(), nullptr);
}

TEST(LKeyboard, FillsCharactersFromTheEvent)
{
    int gone = 0;
    {
        LKeyboard keys;
        auto* event = new Probe(&gone);
        keys.SetKey("\x19", "\x19", 48, LKeyboard::kShiftFlag, event);
        event->Release();
        EXPECT_EQ(keys.character, 9);
        EXPECT_EQ(keys.keyCode, 48u);
        EXPECT_EQ(keys.charFlag, 1);
        EXPECT_EQ(gone, 0) << "the keyboard keeps the event";
        keys.SetKey("\x19", "\x19", 48, 0, nullptr);
        EXPECT_EQ(keys.character, 25);
        EXPECT_EQ(gone, 1);
        keys.SetKey("\xC3\xA9t\xC3\xA9", "e", 14, 0, nullptr);
        EXPECT_EQ(keys.character, 0xC3);
        EXPECT_EQ(keys.charCode, 0xE9u);
        EXPECT_EQ(keys.plainCharacter, 'e');
        keys.SetKey("\xF0\x9F\x8E\xB9", "", 0, 0, nullptr);
        EXPECT_EQ(keys.charCode, 0x1F3B9u);
        keys.SetKey("\xEF\x9C\x80", "", 126, 0, nullptr);
        EXPECT_EQ(keys.charCode, 0xF700u);
        keys.SetKey("\xE2\x82", "", 0, 0, nullptr); // cut short
        EXPECT_EQ(keys.charCode, 0xFFFDu);
        keys.SetKey("\xC0\xAF", "", 0, 0, nullptr); // overlong
        EXPECT_EQ(keys.charCode, 0xFFFDu);
        keys.SetKey(nullptr, nullptr, 0, 0, nullptr);
        EXPECT_EQ(keys.character, 0);
        EXPECT_EQ(keys.charCode, 0u);
        auto* last = new Probe(&gone);
        keys.SetKey("a", "a", 0, 0, last);
        last->Release();
    }
    EXPECT_EQ(gone, 2) << "released with the keyboard";
}

TEST(LKeyboard, CharacterFollowsOnlyWhenAHandlerAskedForIt)
{
    LKeyboard keys;
    Recorder window;
    keys.SetKey("a", "a", 0, 0, nullptr);
    keys.DeliverKeyDown(&window);
    EXPECT_EQ(window.seen, (std::vector<std::string>{"LKeyboard_Down"}));

    window.seen.clear();
    window.onMessage = [&](const LMessage& msg) {
        if (StrEqual(msg.type, LKeyboard::msgDown))
            keys.charFlag = 0;
    };
    keys.DeliverKeyDown(&window);
    EXPECT_EQ(window.seen, (std::vector<std::string>{"LKeyboard_Down", "LKeyboard_Char"}));
    EXPECT_EQ(keys.charFlag, 1);
    window.seen.clear();
    keys.DeliverKeyUp(&window);
    EXPECT_EQ(window.seen, (std::vector<std::string>{"LKeyboard_Up"}));
}

TEST(LLoopWaker, IsSetAndWakingDoesNothing)
{
    LLoopWaker waker;
    waker.Wake();
    EXPECT_EQ(waker.flag, 1);
}
