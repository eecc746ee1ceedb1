#include "platform/runloop/RunLoop.h"
#include "platform/window/EventQueue.h"
#include "platform/window/WindowTestDriver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace plat;

namespace {

Ref<Event> Make(EventType type, int64_t data = 0)
{
    Ref<Event> event = Event::New(type);
    event->data1 = data;
    return event;
}

} // namespace

TEST(EventQueue, NextMatchingTakesTheFirstEventOfTheMaskAndLeavesOthers)
{
    WindowTestDriver driver;
    EventQueue& queue = EventQueue::Shared();
    queue.Post(Make(EventType::LeftMouseDragged, 1));
    queue.Post(Make(EventType::LeftMouseDown, 2));
    queue.Post(Make(EventType::LeftMouseDragged, 3));
    const uint64_t downMask = EventMask(EventType::LeftMouseDown);
    Ref<Event> peeked = queue.NextMatching(downMask, 0, kModeDefault, false);
    ASSERT_TRUE(peeked);
    EXPECT_EQ(peeked->data1, 2);
    EXPECT_EQ(queue.Count(), 3u);
    EXPECT_FALSE(queue.Current());
    Ref<Event> taken = queue.NextMatching(EventMask(EventType::LeftMouseDragged), 0, kModeDefault, true);
    EXPECT_EQ(taken->data1, 1);
    EXPECT_EQ(queue.Current().Get(), taken.Get());
    EXPECT_FALSE(queue.NextMatching(EventMask(EventType::KeyDown), 0, kModeDefault, true));
    EXPECT_FALSE(queue.NextMatching(0, 0, kModeDefault, true)); // an empty mask matches nothing
    queue.Post(Make(EventType::KeyDown, 9), true);
    EXPECT_EQ(queue.NextMatching(kEventMaskAny, 0, kModeDefault, true)->data1, 9);
}

TEST(EventQueue, AWaitingTakerWakesForAnEventPostedOnAnotherThread)
{
    WindowTestDriver driver;
    std::thread poster([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EventQueue::Shared().Post(Make(EventType::ApplicationDefined, 7));
    });
    const auto start = std::chrono::steady_clock::now();
    Ref<Event> event = EventQueue::Shared().NextMatching(kEventMaskAny, 5000, kModeDefault, true);
    const auto waited = std::chrono::steady_clock::now() - start;
    poster.join();
    ASSERT_TRUE(event);
    EXPECT_EQ(event->data1, 7);
    EXPECT_LT(waited, std::chrono::milliseconds(4000));
}

TEST(EventQueue, AWaitWithoutEventsEndsAfterItsTimeout)
{
    WindowTestDriver driver;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(EventQueue::Shared().NextMatching(kEventMaskAny, 30, kModeDefault, true));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(25));
}
