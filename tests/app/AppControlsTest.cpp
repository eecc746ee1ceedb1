// The document window's controls under a person's pointer in the running program: the press
// reaches the control through the window, and the program's loop keeps playing meanwhile.
#include "analysis/window/CSourceControls.h"
#include "analysis/window/CSpecWindow.h"
#include "controls/std/CSlider.h"
#include "platform/controls/Button.h"
#include "platform/controls/ControlView.h"
#include "platform/controls/Slider.h"
#include "platform/files/FileSpecText.h"
#include "sources/CSampleSrc.h"
#include "tests/app/AppRunKit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

namespace {

class AppControls : public AppRunTest {
protected:
    void SetUp() override
    {
        AppRunTest::SetUp();
        Start();
    }
    void TearDown() override
    {
        std::remove(fRecordPath.c_str());
        AppRunTest::TearDown();
    }
    // A recording of `seconds` at 10 samples a second: a ramp of raw values.
    std::string WriteRecording(int seconds)
    {
        std::ofstream out(fRecordPath, std::ios::binary);
        out << "dn \rsr 10\r";
        for (int i = 0; i < seconds * 10; ++i)
            out << std::hex << 0x200 + i % 0x100 << "\n";
        return plat::SpecFromPosixPath(fRecordPath);
    }
    // Serves the program's loop until done() holds, for up to 5 s of real time.
    bool RunUntil(const std::function<bool()>& done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            windows.Wait(10);
        }
        return true;
    }

    // The middle of the push button of that title in the key window, found among its views.
    plat::Point ButtonInKeyWindow(const std::string& title) const
    {
        plat::Window* key = windows.KeyWindow();
        const plat::View* found = key ? FindButton(*key->ContentView(), title) : nullptr;
        EXPECT_NE(found, nullptr) << "no button \"" << title << "\" in the key window";
        if (!found)
            return {};
        const plat::Rect frame = found->ConvertRectToWindow(found->Bounds());
        return key->ConvertBaseToScreen(plat::Point{frame.x + frame.width / 2, frame.y + frame.height / 2});
    }
    static const plat::View* FindButton(const plat::View& view, const std::string& title)
    {
        if (const auto* control = dynamic_cast<const plat::ControlView*>(&view))
            if (const auto* button = dynamic_cast<const plat::Button*>(&control->Model()); button && button->Title() == title)
                return &view;
        for (const plat::Ref<plat::View>& sub : view.Subviews())
            if (const plat::View* found = FindButton(*sub, title))
                return found;
        return nullptr;
    }
    // A normal click on a button of a dialog that the next command opens and waits on.
    void PlanClickOnButton(const std::string& title, uint64_t holdMs = plat::WindowTestDriver::kClickHoldMs)
    {
        windows.PlanStep(200, [] {}); // the dialog shows
        windows.PlanClickOn([this, title] { return ButtonInKeyWindow(title); }, holdMs);
    }

    // A document playing a recording of `seconds`, its window in front.
    CSpecWindow& PlayingDocument(int seconds)
    {
        CSpecWindow* document = CApp::Get()->OpenDocument("");
        EXPECT_NE(document, nullptr);
        document->Window()->Native()->MakeKeyAndOrderFront();
        document->RecordLocation().SetPath(LStringRef(WriteRecording(seconds)));
        EXPECT_EQ(document->MakePlaybackSource(), 0);
        document->UsePlaybackSource();
        document->StartPlayback();
        return *document;
    }
    // The middle of a view on the screen.
    static plat::Point Middle(const plat::View& view)
    {
        const plat::Rect frame = view.ConvertRectToWindow(view.Bounds());
        return view.GetWindow()->ConvertBaseToScreen(plat::Point{frame.x + frame.width / 2, frame.y + frame.height / 2});
    }

    std::string fRecordPath = ::testing::TempDir() + "sonalyx person knob.tks";
};

} // namespace

TEST_F(AppControls, ThePlaybackKnobDraggedToTheMiddleStopsPlaybackAndSeeksThereAtTheRelease)
{
    CSpecWindow* document = &PlayingDocument(60);
    CSampleSrc* playback = document->PlaybackSource();
    ASSERT_NE(playback, nullptr);
    ASSERT_TRUE(RunUntil([&] { return playback->PositionSeconds() > 0.2f; })) << "playback did not start";

    CSlider& slider = document->SourceControls().Slider();
    plat::View* view = slider.NativeView();
    ASSERT_NE(view->GetWindow(), nullptr);
    ASSERT_TRUE(RunUntil([&] { return slider.GetMax() == 60; })) << "the slider spans " << slider.GetMax();
    const auto& knob = static_cast<plat::ControlView*>(view)->ModelAs<plat::Slider>();
    const auto screen = [view](double x) {
        const plat::Point local{x, view->Frame().height / 2};
        return view->GetWindow()->ConvertBaseToScreen(view->ConvertToWindow(local));
    };
    bool stoppedWhileDragging = false;
    windows.PlanPress(0, screen(knob.KnobCentre()));
    windows.PlanDragPath(screen(knob.KnobCentre()), {screen(view->Frame().width / 2)});
    windows.PlanStep(0, [&] { stoppedWhileDragging = !playback->IsPlaying() && knob.IsTracking(); });
    windows.PlanRelease(plat::WindowTestDriver::kDragSettleMs, screen(view->Frame().width / 2));
    windows.Play();

    EXPECT_TRUE(stoppedWhileDragging);
    EXPECT_EQ(slider.GetValue(), 30);
    EXPECT_NEAR(playback->PositionSeconds(), 30.0f, 0.2f) << "the release seeks to the middle";
    EXPECT_FALSE(playback->IsPlaying());
}

TEST_F(AppControls, ThePlaybackKnobReachedByTabMovesByArrowKeysAndSeeksAtEachKey)
{
    CSpecWindow* document = &PlayingDocument(60);
    CSampleSrc* playback = document->PlaybackSource();
    ASSERT_NE(playback, nullptr);
    CSlider& slider = document->SourceControls().Slider();
    ASSERT_TRUE(RunUntil([&] { return slider.GetMax() == 60 && playback->IsPlaying(); }));
    const plat::Control& knob = *slider.NativeControl();
    for (int tabs = 0; tabs < 30 && !knob.ShowsFocus(); ++tabs)
        windows.TypeKey("\t", 48);
    ASSERT_TRUE(knob.ShowsFocus()) << "Tab never reached the knob";

    struct Step {
        const char* name;
        const char* characters;
        uint16_t keyCode;
        int32_t value; // the knob and the playback position (seconds) after the key
    };
    const Step steps[] = {
        {"End", "\xEF\x9C\xAB", 119, 60},   {"Right at the end", "\xEF\x9C\x83", 124, 60},
        {"Left", "\xEF\x9C\x82", 123, 59},  {"Down", "\xEF\x9C\x81", 125, 58},
        {"Up", "\xEF\x9C\x80", 126, 59},    {"Home", "\xEF\x9C\xA9", 115, 0},
        {"Left at the start", "\xEF\x9C\x82", 123, 0}, {"Right", "\xEF\x9C\x83", 124, 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        windows.TypeKey(step.characters, step.keyCode);
        EXPECT_EQ(slider.GetValue(), step.value);
        EXPECT_FALSE(playback->IsPlaying()) << "a key on the knob stops playback as a drag does";
        EXPECT_NEAR(playback->PositionSeconds(), float(step.value), 0.2f);
        EXPECT_TRUE(knob.ShowsFocus());
    }
}

TEST_F(AppControls, TheSaveChangesAlertAnswersNormalClicksOnItsButtons)
{
    for (uint64_t hold : {uint64_t(5), uint64_t(120), uint64_t(250)}) {
        SCOPED_TRACE(hold);
        CSpecWindow* document = CApp::Get()->OpenDocument("");
        ASSERT_NE(document, nullptr);
        document->SetCutDC(1); // a change to save
        PlanClickOnButton("Cancel", hold);
        LMessage::Send(LMessage(LFrame::msgClose, document, CApp::Get()));
        ASSERT_EQ(CApp::Get()->DocumentCount(), 1u) << "Cancel keeps the document";
        PlanClickOnButton("Don\u2019t Save", hold);
        LMessage::Send(LMessage(LFrame::msgClose, document, CApp::Get()));
        EXPECT_EQ(CApp::Get()->DocumentCount(), 0u) << "Don't Save closes it";
        EXPECT_FALSE(windows.Planned());
    }
}

TEST_F(AppControls, AboutClosesOnANormalClickOnOk)
{
    bool shown = false;
    windows.PlanStep(200, [&] { shown = windows.KeyWindow() && windows.KeyWindow()->Level() > 0; });
    PlanClickOnButton("OK");
    Choose("LStdCmd_About");
    EXPECT_TRUE(shown);
    EXPECT_FALSE(windows.Planned());
    windows.Wait(50);
    EXPECT_EQ(KeyFrameWindow(), nullptr) << "the About box is gone";
}

TEST_F(AppControls, ThePlayButtonStopsAndStartsPlaybackOnNormalClicks)
{
    CSpecWindow& document = PlayingDocument(60);
    CSampleSrc* playback = document.PlaybackSource();
    ASSERT_NE(playback, nullptr);
    ASSERT_TRUE(RunUntil([&] { return playback->IsPlaying(); }));
    const plat::Point play = Middle(*document.SourceControls().PlayButton().NativeView());
    bool playing = true;
    for (uint64_t hold : {uint64_t(5), uint64_t(120), uint64_t(250)}) {
        SCOPED_TRACE(hold);
        windows.Click(play, 0, hold);
        playing = !playing;
        EXPECT_EQ(playback->IsPlaying(), playing);
        windows.Wait(600); // apart, so that the next click is no double click
    }
}
