// The channel list inside a real document window: layouts, texts, notices and the pixels its
// render pass leaves in the rows' OpenGL areas.
#include "analysis/CBandList.h"
#include "analysis/views/CSnxChList.h"
#include "analysis/views/SNXCHCELL.h"
#include "analysis/views/SNXCHVW.h"
#include "controls/headers/CRespText.h"
#include "controls/lists/CCellIter.h"
#include "platform/Clock.h"
#include "platform/draw/Bitmap.h"
#include "platform/window/DisplayCycle.h"
#include "platform/window/Window.h"
#include "shell/gl/MGLView2.h"
#include "sources/CSourceType.h"
#include "tests/analysis/views/ChannelListKit.h"
#include "tests/support/LayoutReads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

TEST_F(ChannelListTest, EveryLayoutPlacesItsPanesWithoutUnknownNames)
{
    SNXCHCELL& row = Row(0);
    EXPECT_EQ(UndefinedReads(row, "SNXCHCELL", {{"specr", 100}, {"rawsl", 100}}), std::vector<std::string>{});
    EXPECT_EQ(UndefinedReads(row.Spectrum(), "SNXCHSPEC", {{"spechdrw", 30}}), std::vector<std::string>{});
    EXPECT_EQ(UndefinedReads(row.Data(), "SNXCHDATA", {{"rawshdrw", 30}}), std::vector<std::string>{});
    EXPECT_EQ(UndefinedReads(row.Spectrum().GridInfo(), "GRIDINFOF"), std::vector<std::string>{});
    EXPECT_GT(List().Rect().Width(), 0);
    EXPECT_GT(List().CellHeight(), 0);
    const CLRect cell = List().CellRect({0, 0});
    EXPECT_EQ(row.Rect(), cell);
    const CLRect spectrum = row.Spectrum().SpectrumView().Rect();
    EXPECT_GT(spectrum.Width(), 0);
    EXPECT_GT(spectrum.Height(), 0);
    EXPECT_GT(row.Data().WaveView().Rect().Width(), 0);
    EXPECT_LE(row.Spectrum().Rect().right, row.Data().Rect().left) << "spectrum left of the waveform";
    ASSERT_NE(row.Spectrum().SpectrumView().context, nullptr) << "a context of its own, made in the window";
    EXPECT_TRUE(row.Spectrum().SpectrumView().context->HasContext());
}

TEST_F(ChannelListTest, ASineShowsItsPeakAtItsColumn)
{
    const uint32_t n = uint32_t(window->Plan().windowTable.size());
    const uint32_t k = n / 8; // a quarter of the way up to the Nyquist frequency
    SineAndRender(0.5f, k);
    EXPECT_GE(List().RenderPasses(), 1u);
    const int32_t width = int32_t(Spectrum().glRect.Width());
    ASSERT_GT(width, 40);
    EXPECT_NEAR(PeakColumn(Spectrum()), width / 4, width / 32 + 2);

    // Twice the zoom: the same frequency stands twice as far right.
    LObject::SetFloat(record->GetChild(kWindChvw), nullptr, kChvwFqzm, 2.0f, LObject::Merge::No);
    Render();
    EXPECT_NEAR(PeakColumn(Spectrum()), width / 2, width / 16 + 2);

    // A zoom that is not a number reads as 1.
    LObject::SetFloat(record->GetChild(kWindChvw), nullptr, kChvwFqzm, std::nanf(""), LObject::Merge::No);
    Render();
    EXPECT_NEAR(PeakColumn(Spectrum()), width / 4, width / 32 + 2);
}

TEST_F(ChannelListTest, LogFrequencyAndDecibelsChangeThePicture)
{
    const uint32_t n = uint32_t(window->Plan().windowTable.size());
    SineAndRender(0.5f, n / 8);
    const int32_t width = int32_t(Spectrum().glRect.Width());
    const int32_t linear = PeakColumn(Spectrum());
    LObject::SetBool(Common(), nullptr, kComnFqlg, true, LObject::Merge::No);
    Render();
    const int32_t logPeak = PeakColumn(Spectrum());
    // Bin k of N/2 on a log axis: 1 + ln(k / (N/2)) / ln(N/2) of the width.
    const double u = 1.0 + std::log(double(n / 8) / (n / 2)) / std::log(double(n / 2));
    EXPECT_NEAR(logPeak, u * width, width / 16 + 2);
    EXPECT_GT(logPeak, linear);

    // Decibels lift a peak of half full scale well above the middle.
    const int32_t height = int32_t(Spectrum().glRect.Height());
    const int32_t linearTop = Peak(Spectrum()).y;
    EXPECT_GT(linearTop, height / 2);
    LObject::SetBool(Common(), nullptr, kComnDb, true, LObject::Merge::No);
    Render();
    EXPECT_LT(Peak(Spectrum()).y, height / 3);
}

TEST_F(ChannelListTest, TextsFollowTheSourceTypeAndTheDecibelMode)
{
    const CSourceType* type = FindSourceType("Quorvin_H");
    ASSERT_NE(type, nullptr);
    List().SetSourceType(type);
    ASSERT_EQ(List().AxisLabels().size(), 4u);
    const CChAxisLabels& volts = List().AxisLabels()[2];
    EXPECT_EQ(volts.spectrum.step.View(), "500mV/div") << "linear amplitude";
    EXPECT_EQ(volts.waveform.step.View(), "500mV/div");
    EXPECT_EQ(volts.spectrum.top.View(), "5V");
    EXPECT_EQ(volts.spectrum.unit.View(), "V");
    EXPECT_GT(List().RowLayout().spechdrw, 0) << "the header column fits the texts";
    LObject::SetBool(Common(), nullptr, kComnDb, true, LObject::Merge::No);
    EXPECT_EQ(List().AxisLabels()[2].spectrum.step.View(), "5dB/div");
    EXPECT_EQ(List().RowLayout().thirdRow, 1);
    List().SetSourceType(nullptr);
    EXPECT_TRUE(List().AxisLabels().empty());
    EXPECT_FALSE(Row(0).Spectrum().Header().IsShown()) << "no source type: no axis texts";
}

TEST_F(ChannelListTest, AnotherDocumentsWindowRecordChangesNothing)
{
    LObject::SetFloat(record, nullptr, kWindRate, 1000.0f, LObject::Merge::No);
    const std::string label(List().TimeLabel().View());
    const float step = record->GetChild(kWindChvw)->GetFloat(kChvwGridStep);
    LObject* other = prefs.AddDocument();
    LObject::SetFloat(other, nullptr, kWindRate, 10.0f, LObject::Merge::No);
    LObject::SetBool(other, nullptr, kWindTral, true, LObject::Merge::No);
    LObject::SetFloat(other->GetChild(kWindChvw), nullptr, kChvwFqzm, 8.0f, LObject::Merge::No);
    EXPECT_EQ(std::string(List().TimeLabel().View()), label);
    EXPECT_EQ(record->GetChild(kWindChvw)->GetFloat(kChvwGridStep), step) << "the frequency view neither";
    EXPECT_FALSE(window->FrequencyView().ScrollBar().IsShown());
    EXPECT_EQ(List().FreqUnit().View(), "Hz");
    LObject::SetFloat(record, nullptr, kWindRate, 10.0f, LObject::Merge::No);
    EXPECT_NE(std::string(List().TimeLabel().View()), label) << "its own record does";
}

TEST_F(ChannelListTest, EditedCursorFieldsWriteClampedCursors)
{
    List().SetSourceType(FindSourceType("Quorvin_H"));
    SNXCHCELL& row = Row(0);
    CNumVol& amplitude = row.Spectrum().GridInfo().Field(0);
    LObject* chan = window->Document().Root()->GetChild(kFdrsChns, 0);
    const struct {
        double value;
        float cursor;
    } edits[] = {{amplitude.Minimum(), 0.0f}, {amplitude.Maximum(), 1.0f}};
    for (const auto& edit : edits) {
        amplitude.SetValue(edit.value);
        LMessage::Send(LMessage(CNumVol::msgFix, &amplitude, amplitude.Parent()));
        EXPECT_FLOAT_EQ(chan->GetFloat(kChanCrsv), edit.cursor) << edit.value;
    }
}

TEST_F(ChannelListTest, TheBandViewShowsTheSinesBand)
{
    const uint32_t n = uint32_t(window->Plan().windowTable.size());
    CBandList bands;
    bands.SetWidth(100.0f);      // the sine lies in the band 100 .. 200 Hz
    List().SetBandList(&bands);
    SineAndRender(0.5f, n / 8); // 125 Hz at the source's 1000 Hz
    const int32_t width = int32_t(Spectrum().glRect.Width());
    const int32_t x = PeakColumn(Spectrum());
    EXPECT_GE(x, width / 5 - 3) << "the band starts at 100 Hz";
    EXPECT_LE(x, width / 4 + 2);
    List().SetBandList(nullptr);
}

TEST_F(ChannelListTest, TheFrequencyViewsLayoutsNameOnlyTheirPanes)
{
    SNXCHVW& view = window->FrequencyView();
    EXPECT_EQ(UndefinedReads(view, "SNXCHFRM", {{"chs", 1}, {"cht", 10}, {"chb", 90}}), std::vector<std::string>{});
    EXPECT_GT(view.AxisPane().Rect().Width(), 0);
    EXPECT_EQ(view.AxisLabel().View(), "") << "no grid, linear frequency";
    LObject::SetBool(record, nullptr, kWindGrid, true, LObject::Merge::No);
    EXPECT_EQ(view.AxisLabel().View(), "50Hz/div") << "NiceStep of 500 Hz";
    LObject::SetBool(Common(), nullptr, kComnFqlg, true, LObject::Merge::No);
    EXPECT_EQ(view.AxisLabel().View(), "Hz");
    EXPECT_FALSE(view.ScrollBar().IsShown()) << "whole range: no scroll bar";
    LObject::SetFloat(record->GetChild(kWindChvw), nullptr, kChvwFqzm, 4.0f, LObject::Merge::No);
    EXPECT_TRUE(view.ScrollBar().IsShown());
    EXPECT_EQ(view.ScrollBar().Maximum(), 30);
    view.ScrollBar().SetValue(15);
    LMessage::Send(LMessage(LScrollBar::msgChange, &view.ScrollBar(), &view));
    EXPECT_FLOAT_EQ(record->GetChild(kWindChvw)->GetFloat(kChvwFqps), 0.375f);
}

TEST_F(ChannelListTest, TheTrailDrawsOlderSpectraBehindTheNewest)
{
    const uint32_t n = uint32_t(window->Plan().windowTable.size());
    SineAndRender(0.5f, n / 8);
    auto drawn = [&] {
        int32_t width = 0, height = 0;
        const std::vector<uint32_t> pixels = Pixels(Spectrum(), width, height);
        return std::count_if(pixels.begin(), pixels.end(), [](uint32_t p) { return p != 0; });
    };
    const auto line = drawn();
    EXPECT_GT(line, 0);
    LObject::SetUInt(prefs.Root()->GetChild(kPrefClrs), nullptr, kColsTrdp, 16, LObject::Merge::No);
    LObject::SetBool(record, nullptr, kWindTral, true, LObject::Merge::No);
    for (int i = 0; i < 4; ++i) {
        clock.AdvanceMs(2000); // past the slice interval: every analysis adds a slice
        SineAndRender(0.5f, n / 8);
    }
    EXPECT_GT(drawn(), 2 * line) << "a lit surface of slices instead of one line";
    EXPECT_TRUE(Row(0).Spectrum().ScaleView().IsShown()) << "the colour scale shows with the trail";
}

// Each drawing area's pixels in the window image are its surface's, pixel for pixel: the
// pass reads them back straight into the image, and the colour bar, drawn without a clear
// first, still covers its whole area.
TEST_F(ChannelListTest, TheWindowImageShowsEveryAreaExactlyAsItsSurface)
{
    const uint32_t n = uint32_t(window->Plan().windowTable.size());
    LObject::SetBool(record, nullptr, kWindTral, true, LObject::Merge::No);
    LObject::SetBool(record, nullptr, kWindGrid, true, LObject::Merge::No);
    LObject* chan = window->Document().Root()->GetChild(kFdrsChns, 0);
    for (const uint8_t field : {kChanCrrv, kChanCrrh, kChanCrsv, kChanCrsh})
        LObject::SetFloat(chan, nullptr, field, 0.4f, LObject::Merge::No); // blended cursors in view
    SineAndRender(0.5f, n / 8);
    const CChannelGLView& bar = Row(0).Spectrum().ScaleView();
    ASSERT_TRUE(bar.IsShown());
    plat::Window* host = Spectrum().context->Host();
    ASSERT_NE(host, nullptr);
    if (!host->BackingImage()) {
        host->ContentView()->SetNeedsDisplay();
        ASSERT_TRUE(plat::DisplayCycle::Display(*host));
        SineAndRender(0.5f, n / 8);
    }
    const plat::Bitmap& image = *host->BackingImage();
    const CChannelGLView* wave = &Row(0).Data().WaveView();
    for (const CChannelGLView* area : {&bar, &Spectrum(), wave}) {
        SCOPED_TRACE(area == &bar ? "colour bar" : area == &Spectrum() ? "spectrum" : "waveform");
        ASSERT_TRUE(area->context->View()->IsOpaque());
        const int left = InImage(*area, image).left, top = InImage(*area, image).top;
        int32_t width = 0, height = 0;
        const std::vector<uint32_t> surface = Pixels(*area, width, height);
        ASSERT_GT(width * height, 0);
        int differ = 0;
        int translucent = 0;
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                differ += (image.Pixel(left + x, top + y) & 0xFFFFFF) != surface[size_t(y) * size_t(width) + size_t(x)];
                translucent += (image.Pixel(left + x, top + y) >> 24) != 0xFF;
            }
        EXPECT_EQ(differ, 0);
        EXPECT_EQ(translucent, 0) << "blended grid lines and cursors leave the picture opaque";
        // Whatever the bar left uncovered would keep this colour of an earlier pass.
        if (area == &bar) {
            LObject* colors = prefs.Root()->GetChild(kPrefClrs);
            const float scale = colors->GetFloat(kColsClsc);
            LObject::SetFloat(colors, nullptr, kColsClsc, scale * 0.5f, LObject::Merge::No);
            Render();
            {
                CGLContextLock lock(bar.context);
                glClearColor(1, 0, 1, 1);
                glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            }
            LObject::SetFloat(colors, nullptr, kColsClsc, scale, LObject::Merge::No);
            Render();
            int32_t w = 0, h = 0;
            EXPECT_EQ(Pixels(bar, w, h), surface);
            // Passes that leave the bar as it is keep its pixels in the window.
            Render();
            int same = 0;
            for (int32_t y = 0; y < height; ++y)
                for (int32_t x = 0; x < width; ++x)
                    same += (image.Pixel(left + x, top + y) & 0xFFFFFF) == surface[size_t(y) * size_t(width) + size_t(x)];
            EXPECT_EQ(same, width * height);
        }
    }
}

// Every pass draws every row, however soon after the last one it comes: a change made 2 ms
// after a pass shows with the next pass.
TEST_F(ChannelListTest, EveryPassDrawsTheNewestStateEvenWithinADisplayPeriod)
{
    const uint32_t n = uint32_t(window->Plan().windowTable.size());
    SineAndRender(0.5f, n / 8);
    int32_t width = 0, height = 0;
    const uint8_t blue[] = {0x33, 0x66, 0x99};
    LObject::SetArray(prefs.Root()->GetChild(kPrefClrs), nullptr, kColsCbkg, blue, 3);
    clock.AdvanceMs(2);
    const uint32_t passes = List().RenderPasses();
    List().RequestRender();
    FireDueTimers();
    EXPECT_EQ(List().RenderPasses(), passes + 1);
    EXPECT_EQ(Pixels(Spectrum(), width, height).front(), 0x336699u) << "drawn by the pass itself";
}

// Render passes follow the window's notes of new data: the pass that analyses takes the trail's
// slice and draws it itself, and asks for no further pass, so that while no data arrives the
// timer draws nothing; the next note draws once. The same with the trail on and off.
TEST_F(ChannelListTest, OnlyANoteOfNewDataAsksForAPass)
{
    const uint32_t n = uint32_t(window->Plan().windowTable.size());
    auto note = [&] {
        LMessage::Send(LMessage(LAsyncEvent::msgNote, const_cast<LAsyncEvent*>(&window->Note()),
                                static_cast<LHandler*>(window.get())));
    };
    // The timer's turns over a second without any new data.
    auto idleSecond = [&] {
        for (int turn = 0; turn < 50; ++turn) {
            clock.AdvanceMs(20);
            FireDueTimers();
        }
    };
    for (const bool trail : {false, true}) {
        SCOPED_TRACE(trail ? "trail on" : "trail off");
        LObject::SetUInt(prefs.Root()->GetChild(kPrefClrs), nullptr, kColsTrdp, 16, LObject::Merge::No);
        LObject::SetBool(record, nullptr, kWindTral, trail, LObject::Merge::No);
        SineAndRender(0.5f, n / 8);
        idleSecond(); // whatever the settings asked for is drawn
        const uint32_t settled = List().RenderPasses();
        idleSecond();
        EXPECT_EQ(List().RenderPasses(), settled) << "no pass without a request";
        for (int notes = 1; notes <= 3; ++notes) {
            clock.AdvanceMs(2000); // past the slice interval: the analysis adds a slice
            Sine(0.5f, n / 8);
            note();
            EXPECT_TRUE(window->HasNewData());
            idleSecond();
            EXPECT_FALSE(window->HasNewData()) << "the pass analysed";
            EXPECT_EQ(List().RenderPasses(), settled + uint32_t(notes)) << "one pass per note";
        }
    }
}

// Without the trail nothing writes depth, so the spectrum area's depth buffer is cleared only
// when something may have written it: the trail's passes, or a surface made anew. Whatever the
// trail left is gone with the first pass after it is switched off, and passes without the trail
// keep it clear.
TEST_F(ChannelListTest, TheSpectrumDepthIsClearAfterTheTrailWithoutClearingEveryPass)
{
    const uint32_t n = uint32_t(window->Plan().windowTable.size());
    auto farthest = [&] {
        const int32_t width = int32_t(Spectrum().glRect.Width()), height = int32_t(Spectrum().glRect.Height());
        std::vector<float> depth(size_t(std::max(0, width * height)), -1.0f);
        CGLContextLock lock(Spectrum().context);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        return depth.empty() ? -1.0f : *std::min_element(depth.begin(), depth.end());
    };
    LObject::SetUInt(prefs.Root()->GetChild(kPrefClrs), nullptr, kColsTrdp, 16, LObject::Merge::No);
    LObject::SetBool(record, nullptr, kWindTral, true, LObject::Merge::No);
    for (int i = 0; i < 3; ++i) {
        clock.AdvanceMs(2000);
        SineAndRender(0.5f, n / 8);
    }
    EXPECT_LT(farthest(), 1.0f) << "the trail's strips wrote depth";
    LObject::SetBool(record, nullptr, kWindTral, false, LObject::Merge::No);
    for (int pass = 0; pass < 3; ++pass) {
        SineAndRender(0.5f, n / 8);
        EXPECT_EQ(farthest(), 1.0f) << "pass " << pass;
    }
    // A depth the pass does not expect stays: the buffer is not cleared once known clear.
    {
        CGLContextLock lock(Spectrum().context);
        glClearDepth(0.25);
        glClear(GL_DEPTH_BUFFER_BIT);
        glClearDepth(1.0);
    }
    SineAndRender(0.5f, n / 8);
    EXPECT_NEAR(farthest(), 0.25f, 1e-3f);
}

// Level texts that change after the window was drawn (a document's source starts once its
// window shows; zoom and decibels come from menus) show with the next display, exactly as a
// drawing of the whole window shows them: the text columns may change width with them.
TEST_F(ChannelListTest, LevelTextsChangedAfterADrawingShowWithTheNextDisplay)
{
    const CSourceType* type = FindSourceType("Quorvin_H");
    ASSERT_NE(type, nullptr);
    const struct {
        const char* what;
        const CSourceType* before;
        std::function<void()> change;
    } cases[] = {
        {"the source type arrives", nullptr, [&] { List().SetSourceType(type); }},
        {"zoomed", type, [&] { List().SetZoom(4); }},
        {"decibels", type, [&] { LObject::SetBool(Common(), nullptr, kComnDb, true, LObject::Merge::No); }},
        {"rows zoomed", type, [&] { LObject::SetBool(record, nullptr, kWindZmrw, true, LObject::Merge::No); }},
    };
    plat::Window* host = Spectrum().context->Host();
    ASSERT_NE(host, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        List().SetSourceType(c.before);
        host->ContentView()->SetNeedsDisplay();
        ASSERT_TRUE(plat::DisplayCycle::Display(*host));
        c.change();
        (void)plat::DisplayCycle::Display(*host);
        ASSERT_NE(host->BackingImage(), nullptr);
        const plat::Bitmap shown = *host->BackingImage();
        host->ContentView()->SetNeedsDisplay();
        ASSERT_TRUE(plat::DisplayCycle::Display(*host));
        const plat::Bitmap& whole = *host->BackingImage();
        ASSERT_EQ(shown.Width(), whole.Width());
        ASSERT_EQ(shown.Height(), whole.Height());
        int differ = 0;
        for (int y = 0; y < whole.Height(); ++y)
            for (int x = 0; x < whole.Width(); ++x)
                differ += (shown.Pixel(x, y) & 0xFFFFFF) != (whole.Pixel(x, y) & 0xFFFFFF);
        EXPECT_EQ(differ, 0) << "pixels left from before the texts changed";
        EXPECT_TRUE(Row(0).Spectrum().Header().IsShown());
    }
}

// The frequency axis stands over the spectrum area as the window is drawn: the lowest text
// starts at the area's left edge, and the cursor at a typed frequency stands under that
// frequency's text, however the area moved before the drawing.
TEST_F(ChannelListTest, TheFrequencyAxisStandsOverTheSpectrumAreaAsDrawn)
{
    const struct {
        const char* what;
        std::function<void()> change;
    } cases[] = {
        {"first shown with a source", [] {}},
        {"channels, FFT size, zoom and trail changed before the first data",
         [&] {
             window.reset();
             Make();
             for (const auto& [command, param] : {std::pair{"CAppCmd_Chans", "4"}, {"CAppCmd_FFTSize", "2048"},
                                                  {"CAppCmd_Zm", "4"}, {"CAppCmd_ShowTrail", ""}})
                 Command(command, param);
             ShowWithSource();
         }},
        {"another view font in a window larger than its layout",
         [&] {
             window->PlaceWindow({40, 40, 1240, 840}, nullptr);
             UseViewFont(kViewFont, "DejaVu Sans", 16.0f);
         }},
        {"the divider dragged",
         [&] {
             CPaneDivider& divider = window->FrequencyView().Divider();
             divider.MoveDivider(0, divider.DividerPos(0) - 100);
             LMessage::Send(LMessage(CPaneDivider::msgChange, &divider, divider.Parent()));
         }},
    };
    const float typed = 200.0f; // Hz: the third text at the source's 1000 Hz
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.change();
        CNumVol& field = Row(0).Spectrum().GridInfo().Field(1);
        field.SetValue(typed);
        LMessage::Send(LMessage(CNumVol::msgFix, &field, field.Parent()));
        LObject::SetFloat(window->Document().Root()->GetChild(kFdrsChns, 0), nullptr, kChanCrsv, -1.0f,
                          LObject::Merge::No); // only the frequency cursor in the view
        const plat::Bitmap& image = DrawnWindow();
        const CLRect area = InImage(Spectrum(), image);
        // The axis pane's band across the whole width of its host, in the image.
        const LPane& axis = window->FrequencyView().AxisPane();
        const CLPoint shift{area.left - Spectrum().OriginIn(nullptr).x, area.top - Spectrum().OriginIn(nullptr).y};
        const int32_t top = axis.OriginIn(nullptr).y + shift.y, left = axis.Host()->OriginIn(nullptr).x + shift.x;
        const auto texts = InkSpans(image, {left, top, left + int32_t(axis.Host()->Rect().Width()),
                                            top + int32_t(axis.Rect().Height())});
        ASSERT_GE(texts.size(), 3u);
        const int32_t cursor = area.left + PeakColumn(Spectrum()); // its line is the highest ink
        const float u = typed / (window->WindowRecord()->GetFloat(kWindRate) * 0.5f);
        EXPECT_NEAR(texts[0].left, area.left, 2) << "0Hz starts where the spectrum starts";
        EXPECT_NEAR(cursor, area.left + u * float(area.Width()), 2);
        EXPECT_NEAR((texts[2].left + texts[2].right) / 2, cursor, 2) << "the text of the typed frequency";
    }
}

// The time axis' caption names the waveform grid step of the span the axis shows, whichever
// change reaches the window first (at 1000 Hz, 256 samples are 0.256 s).
TEST_F(ChannelListTest, TheTimeAxisCaptionNamesTheStepOfTheSpanShown)
{
    const struct {
        const char* what;
        std::function<void()> change;
        const char* span;
        const char* step;
    } cases[] = {
        {"the grid shown before the source starts",
         [&] {
             window.reset();
             Make();
             Command("CAppCmd_ShowGrid");
             ShowWithSource();
         },
         "256", "50mS/div"},
        {"the FFT size changed", [&] { Command("CAppCmd_FFTSize", "2048"); }, "2.05", "200mS/div"},
        {"the rate changed", [&] { LObject::SetFloat(record, nullptr, kWindRate, 4000.0f, LObject::Merge::No); },
         "512", "50mS/div"},
        {"the grid hidden", [&] { Command("CAppCmd_ShowGrid"); }, "512", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.change();
        (void)DrawnWindow();
        EXPECT_EQ(window->FrequencyView().TimeHeader().Item(2)->Text().View(), std::string_view(c.span));
        EXPECT_EQ(window->FrequencyView().TimeCaption().Text().View(), std::string_view(c.step));
        window->PlaceWindow({40, 40, 1040, 740}, nullptr);
        EXPECT_EQ(window->FrequencyView().TimeCaption().Text().View(), std::string_view(c.step)) << "after a resize";
    }
}
