#include "sources/CSampleSrc.h"

#include "tests/support/RecordingHandler.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// A source that answers Read from a script: a positive number is a frame of that many
// values, "T" an event with text, "E" an event without; after the script it answers
// `then` forever.
class ScriptedSource : public CSampleSrc {
public:
    ScriptedSource(LHandler* parent, std::deque<std::string> script, int32_t then)
        : CSampleSrc(parent), fScript(std::move(script)), fThen(then)
    {
    }
    int32_t Read(float frame[], uint32_t max) override
    {
        ++reads;
        if (reads > 10000)
            return 0; // a drain that never stops fails here instead of hanging
        if (fScript.empty())
            return fThen;
        const std::string step = fScript.front();
        fScript.pop_front();
        if (step == "T" || step == "E") {
            fText = LStringRef(step == "T" ? "text" : "");
            return -1;
        }
        const int32_t n = std::stoi(step);
        for (int32_t i = 0; i < n && uint32_t(i) < max; ++i)
            frame[i] = 0.5f;
        return n < int32_t(max) ? n : int32_t(max);
    }
    uint32_t SampleRate() const override { return 1; }
    float FcRatio() const override { return 0.5f; }
    LStringRef TypeName() const override { return {}; }
    LStringRef TakeText() override
    {
        LStringRef text = fText;
        fText.Release();
        return text;
    }
    float PositionSeconds() const override { return 0.0f; }
    void Send() { LMessage::Send(LMessage(msgData, this, Parent() ? Parent() : this)); }

    int reads = 0;

private:
    std::deque<std::string> fScript;
    int32_t fThen;
    LStringRef fText;
};

} // namespace

TEST(CSampleSrc, UnconsumedDataIsDrainedUntilNoFrameIsReadyAndConsumedDataIsLeft)
{
    RecordingHandler window; // consumes nothing
    ScriptedSource source(&window, {"2", "T", "1", "3"}, 0);
    source.Send();
    EXPECT_EQ(source.reads, 5);
    EXPECT_EQ(window.seen, (std::vector<std::string>{"CSampleSrc_Data"}));
    RecordingHandler consumer(nullptr, "CSampleSrc_Data");
    ScriptedSource consumed(&consumer, {"1"}, 0);
    consumed.Send();
    EXPECT_EQ(consumed.reads, 0) << "consumed data is left for the consumer";
}

TEST(CSampleSrc, DrainStopsAtAnEventWithoutTextSoAStalledSourceCannotHang)
{
    ScriptedSource stalled(nullptr, {"1"}, -1); // a full recorder ring answers -1 forever
    stalled.Send();
    EXPECT_EQ(stalled.reads, 2);
    // Its next data message goes on from there.
    ScriptedSource paused(nullptr, {"1", "E", "1", "1"}, 0);
    paused.Send();
    EXPECT_EQ(paused.reads, 2);
    paused.Send();
    EXPECT_EQ(paused.reads, 5);
}
