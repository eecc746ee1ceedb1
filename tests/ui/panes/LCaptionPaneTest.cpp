#include "tests/ui/panes/PaneTestKit.h"
#include "platform/draw/Font.h"
#include "ui/panes/LCaptionPane.h"
#include "ui/panes/LTitlePane.h"
#include "tests/ui/LayoutResources.h"
#include "ui/frames/LFrame.h"

#include <gtest/gtest.h>

#include <tuple>

#include <cmath>

namespace {

// The system font as the text font: DejaVu Sans at 13 points, opened here on its own to check
// the measurements against.
struct CaptionInHost : ::testing::Test {
    ConsumingRecorder top;
    RecordingPane host{&top, nullptr};
    LCaptionPane caption{&host, &host, CTextDrawer::kModeWrapped};
    plat::Font* font = nullptr;

    void SetUp() override
    {
        caption.SetState(kEventHostShow);
        caption.SetRect({0, 0, 100, 40});
        caption.SetFont(LFont(0));
        host.updates.clear();
        std::string error;
        font = plat::Font::Open("DejaVu Sans", 13, false, false, &error);
        ASSERT_NE(font, nullptr) << error;
    }
    void TearDown() override
    {
        if (font)
            font->Release();
    }
    int32_t Ceil(double value) const { return static_cast<int32_t>(std::ceil(value)); }
};

TEST_F(CaptionInHost, WidthsComeFromTheFontAndHeightsByHintAndMode)
{
    caption.SetText(LStringRef("Sample rate"));
    EXPECT_EQ(std::tuple(caption.PrefWidth(nullptr, 0), caption.PrefWidth(nullptr, -13), caption.PrefWidth(nullptr, -11)),
              std::tuple(Ceil(font->Advance("Sample rate")), Ceil(font->Advance("M")), 0));
    EXPECT_EQ(caption.Text(), "Sample rate") << "the reference text is put back";
    caption.SetText(LStringRef("one two three four five six seven eight\nnine"));
    const int32_t line = Ceil(font->LineHeight());
    const int32_t ascender = Ceil(font->Ascender());
    EXPECT_EQ(std::tuple(caption.PrefHeight(nullptr, -1), caption.PrefHeight(nullptr, -12), caption.PrefHeight(nullptr, -10),
                         caption.PrefHeight(nullptr, -11)),
              std::tuple(line, ascender, ascender, 0));
    EXPECT_EQ(caption.PrefHeight(nullptr, 0), 2 * line) << "hint 0 counts the explicit line breaks";
    const int32_t wide = caption.PrefHeight(nullptr, 1000);
    const int32_t narrow = caption.PrefHeight(nullptr, 80);
    EXPECT_EQ(wide, Ceil(2 * font->LineHeight())) << "a wrapped height is rounded up once";
    EXPECT_GT(narrow, wide) << "a narrower width wraps into more lines";

    LCaptionPane single(&host, &host, CTextDrawer::kModeLine);
    single.SetFont(LFont(0));
    single.SetText(LStringRef("a\r\nb\rc"));
    EXPECT_EQ(single.PrefHeight(nullptr, 0), line) << "one-line modes give one line";
    LCaptionPane clipped(&host, &host, CTextDrawer::kModeClipped);
    clipped.SetFont(LFont(0));
    clipped.SetText(LStringRef("a\r\nb\rc"));
    EXPECT_EQ(clipped.PrefHeight(nullptr, 300), 3 * line) << "CR LF counts once";
}

TEST_F(CaptionInHost, ChangesRedrawOnceAndHiddenPanesNotAtAll)
{
    EXPECT_TRUE(caption.SetText(LStringRef("Level")));
    EXPECT_FALSE(caption.SetText(LStringRef("Level")));
    EXPECT_EQ(host.updates.size(), 1u);
    EXPECT_TRUE(host.updates[0].Equals(LRegion(CLRect{0, 0, 100, 40})));
    // Left to right: the first call changes, the second does not.
    EXPECT_EQ((std::pair{caption.SetAlignment(1), caption.SetAlignment(1)}), std::pair(true, false));
    EXPECT_EQ((std::pair{caption.SetColor(LBrush::MakeRGB(1, 2, 3)), caption.SetColor(LBrush::MakeRGB(1, 2, 3))}),
              std::pair(true, false)) << "equal brushes are no change";
    EXPECT_EQ(host.updates.size(), 3u);

    caption.SetState(kEventHide);
    host.updates.clear();
    EXPECT_TRUE(caption.SetText(LStringRef("Hidden")));
    EXPECT_TRUE(host.updates.empty());
    caption.SetState(kEventShow);
    EXPECT_EQ(caption.Text(), "Hidden");
    EXPECT_EQ(host.updates.size(), 1u) << "showing redraws the new text";
}

TEST_F(CaptionInHost, CaptionsLetClicksThroughTitlesTakeThem)
{
    EXPECT_EQ(caption.HitTest({5, 5}), nullptr);
    top.seen.clear();
    {
        LTitlePane title(&host, &host);
        title.SetRect({0, 0, 50, 20});
        EXPECT_EQ(title.HitTest({5, 5}), &title);
        EXPECT_EQ(std::pair(int(title.Alignment()), top.Count(LTitlePane::msgConstructing)), std::pair(int(CTextDrawer::kAlignRight), 1));
    }
    EXPECT_EQ(top.Count(LTitlePane::msgDestructing), 1);
}

TEST_F(CaptionInHost, LayoutPlacesACaptionAtItsMeasuredSize)
{
    LFrame frame(&top, nullptr);
    frame.SetLayout(LayoutResources::MakeList({"", "pp(0, 0, 0, 200, 100)", "pp(1, kStdSpc, kStdSpc, kStdSpc + wp(1), kStdSpc + hp(1, 0-1))"}),
                    LFrame::kFormulaLayout);
    LCaptionPane label(&frame, &frame, CTextDrawer::kModeLine);
    label.SetFont(LFont(0));
    label.SetText(LStringRef("Channels:"));
    frame.SetRect({0, 0, 200, 100});
    EXPECT_EQ(label.Rect(), (CLRect{20, 20, 20 + Ceil(font->Advance("Channels:")), 20 + Ceil(font->LineHeight())}));
}

} // namespace
