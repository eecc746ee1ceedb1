#include "analysis/views/CSnxChList.h"
#include "analysis/views/CStatusFrame.h"
#include "platform/window/Window.h"
#include "analysis/window/CPeakDialog.h"
#include "analysis/window/CSourceControls.h"
#include "foundation/text/LStrList.h"
#include "ui/menus/LMenu.h"
#include "ui/menus/LMenuBar.h"
#include "tests/analysis/window/SpecWindowKit.h"
#include "tests/support/LayoutReads.h"
#include "ui/windows/LWindow.h"

#include <gtest/gtest.h>

TEST_F(SpecWindowTest, BuildsFromItsLayoutsWithEveryPaneInsideAndNamesTheDocument)
{
    CSpecWindow& w = Make();
    ASSERT_NE(w.Window(), nullptr);
    EXPECT_EQ(std::string(w.Window()->Native()->Title()), "untitled.snx -Sonalyx");
    EXPECT_TRUE(w.DocumentPath().empty());
    EXPECT_FALSE(w.IsModified());
    EXPECT_TRUE(w.AskSaveChanges()) << "an unmodified document closes without a question";
    const CLRect content = w.Rect();
    EXPECT_GE(content.Width(), 640) << "a window without a saved place takes its layout's size";
    EXPECT_EQ(UndefinedReads(w, CSpecWindow::kResName), std::vector<std::string>{});
    EXPECT_EQ(UndefinedReads(w.SourceControls(), CSourceControls::kResName), std::vector<std::string>{});
    for (const LPane* pane : {static_cast<const LPane*>(&w.SourceControls()), static_cast<const LPane*>(&w.Status()),
                              static_cast<const LPane*>(&w.ChannelList())})
        EXPECT_TRUE(Inside(*pane, content));
    const CLRect strip{0, 0, int32_t(w.SourceControls().Rect().Width()), int32_t(w.SourceControls().Rect().Height())};
    EXPECT_TRUE(Inside(w.SourceControls().Slider(), strip));
    EXPECT_TRUE(Inside(w.SourceControls().TimeCaption(), strip));
    EXPECT_FALSE(w.SourceControls().PlayButton().IsEnabledAndShown()) << "nothing to play yet";

    CPeakDialog peak(&w);
    EXPECT_EQ(UndefinedReads(peak, CPeakDialog::kResName), std::vector<std::string>{});
    EXPECT_TRUE(Inside(peak.High(), peak.Rect()));
}

TEST_F(SpecWindowTest, ParameterCommandsWriteTheirRecords)
{
    CSpecWindow& w = Make();
    struct Case {
        const char* command;
        const char* param;
        uint8_t field;
        int32_t expected;
    };
    const Case cases[] = {
        {"CAppCmd_FFTSize", "1000", kComnFtsx, 10},   // round(log2 1000) = round(9.97)
        {"CAppCmd_FFTSize", "256", kComnFtsx, 8},
        {"CAppCmd_FFTSize", "-5", kComnFtsx, 0},
        {"CAppCmd_WfHamming", "", kComnWnfc, 2},
        {"CAppCmd_AmpDB", "", kComnDb, 1},
        {"CAppCmd_FreqLog", "", kComnFqlg, 1},
        {"CAppCmd_CutDC", "", kComnCtdc, 1},
    };
    for (const Case& c : cases) {
        Command(c.command, c.param);
        EXPECT_EQ(Common()->GetByte(c.field), c.expected) << c.command << " " << c.param;
    }
    EXPECT_TRUE(w.IsModified()) << "settings of the document are undoable edits";
    Command("CAppCmd_FFTSize", "2048"); // a new size rebuilds the plan and the channels
    EXPECT_EQ(w.Plan().windowTable.size(), 2048u);
    EXPECT_EQ(w.Analyser().Channel(0)->FFTSize(), 2048u);
    EXPECT_EQ(View()->GetByte(kWndsDb), 1) << "new windows copy the amplitude mode";

    for (const char* depth : {"0", "1"}) {
        Command("CAppCmd_TrailDepth", depth);
        EXPECT_EQ(prefs.Root()->GetChild(kPrefClrs)->GetUInt(kColsTrdp), 1u) << depth;
    }
    Command("CAppCmd_TrailDepth", "16");
    EXPECT_EQ(prefs.Root()->GetChild(kPrefClrs)->GetUInt(kColsTrdp), 16u);

    const uint32_t channels = w.Document().Root()->GetArrayCount(kFdrsChns);
    Command("CAppCmd_Chans", "0");
    EXPECT_EQ(w.Document().Root()->GetArrayCount(kFdrsChns), channels) << "0 channels changes nothing";
    Command("CAppCmd_Chans", "3");
    EXPECT_EQ(w.Document().Root()->GetArrayCount(kFdrsChns), 3u);
    EXPECT_EQ(w.Analyser().ChannelCount(), 3u);

    Command("CAppCmd_Zm", "4");
    EXPECT_EQ(w.ChannelList().Zoom(), 4u);
    EXPECT_EQ(View()->GetUInt(kWndsZoom), 4u);
}

TEST_F(SpecWindowTest, PeakDialogStoresAnOrderedBandOrTurnsDetectionOff)
{
    CSpecWindow& w = Make();
    Answer("", true);
    app->onModalStep = [this](LModalDialog& dialog) {
        auto& peak = static_cast<CPeakDialog&>(dialog);
        if (app->modalSteps != 1)
            return;
        peak.Low().SetValue(500);
        peak.High().SetValue(100);
        PressReturn();
    };
    Command("CAppCmd_Peak");
    EXPECT_EQ(record->GetByte(kWindPkdt), 1);
    EXPECT_FLOAT_EQ(record->GetFloat(kWindPkfl), 100.0f);
    EXPECT_FLOAT_EQ(record->GetFloat(kWindPkfh), 500.0f);

    Answer("", false);
    Command("CAppCmd_Peak");
    EXPECT_EQ(record->GetByte(kWindPkdt), 0) << "cancel turns peak detection off even when it was on";
    (void)w;
}

TEST_F(SpecWindowTest, TrailUpdateChoicesAreKeptAndMarkedInTheirSubmenu)
{
    CSpecWindow& w = Make();
    LMenuBar bar(app.get(), "APP", nullptr);
    LMenu* updates = bar.FindMenu("TRAILUPDATE");
    ASSERT_NE(updates, nullptr);
    LObject::SetBool(w.WindowRecord(), nullptr, kWindTral, true, LObject::Merge::No); // the trail shows
    struct Case {
        const char* command;
        const char* param;
        const char* marked; // the item's title
    };
    const Case cases[] = {
        {"cTrailSec", "2", "Every 2 Seconds"}, {"cTrailFFT", "4", "Every 4th Spectrum"},
        {"cTrailSec", "1", "Every Second"},    {"cTrailSec", "5", "Every 5 Seconds"},
        {"cTrailFFT", "1", "Every Spectrum"},
    };
    for (const Case& c : cases) {
        Command(c.command, c.param);
        const bool seconds = std::string(c.command) == "cTrailSec";
        const uint32_t value = uint32_t(std::stoul(c.param));
        EXPECT_EQ(w.WindowRecord()->GetByte(kWindTrud), seconds ? 0 : 1) << c.marked;
        EXPECT_EQ(w.WindowRecord()->GetUInt(seconds ? kWindTrus : kWindTruf), value) << c.marked;
        EXPECT_EQ(View()->GetUInt(seconds ? kWndsTrus : kWndsTruf), value) << "new windows copy " << c.marked;
        bar.ResetItems();
        LMessage::Send(LMessage(LMenuBar::msgReady, &bar, &w)); // the menus made ready, as before they open
        std::vector<std::string> marked;
        for (uint32_t i = 0; i < updates->Count(); ++i)
            if (const LMenuItem* item = updates->ItemAt(i); item && item->checked)
                marked.emplace_back(item->title.View());
        EXPECT_EQ(marked, std::vector<std::string>{c.marked});
    }
}
