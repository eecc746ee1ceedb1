// The colour window over the preferences' colour record, with a document's views drawing in it.
#include "analysis/views/CColorSetDlg.h"
#include "analysis/render/CColorScheme.h"
#include "platform/window/PanelTestDriver.h"
#include "tests/analysis/views/ChannelListKit.h"

#include <gtest/gtest.h>

namespace {

class ColorWindowTest : public ChannelListTest {
protected:
    ColorWindowTest() : dialog(app.get(), prefs.Root()->GetChild(kPrefClrs)) {}
    LObject* Colors() const { return prefs.Root()->GetChild(kPrefClrs); }
    void MoveSlider(int k, int32_t value)
    {
        dialog.Slider(k).SetValue(value);
        LMessage::Send(LMessage(CSlider::msgChange, &dialog.Slider(k), &dialog));
    }
    void MovePad(int32_t x, int32_t y)
    {
        dialog.Pad().SetPointClamped(x, y);
        LMessage::Send(LMessage(CPadPane::msgChange, &dialog.Pad(), &dialog));
    }

    CColorSetDlg dialog;
};

bool Inside(const CLRect& r, const CLRect& outer)
{
    return r.left >= outer.left && r.top >= outer.top && r.right <= outer.right && r.bottom <= outer.bottom;
}

} // namespace

TEST_F(ColorWindowTest, BuiltFromItsLayoutWithEveryControlInside)
{
    EXPECT_FALSE(dialog.IsShown() && dialog.HasFlags(kPaneHostShown)) << "made hidden";
    const CLRect inside{0, 0, int32_t(dialog.Rect().Width()), int32_t(dialog.Rect().Height())};
    for (int k = 0; k < CColorSetDlg::kColorButtons; ++k)
        EXPECT_TRUE(Inside(dialog.ColorButton(k).Rect(), inside)) << k;
    for (int k = 0; k < 4; ++k) {
        const CLRect r = dialog.Slider(k).Rect();
        EXPECT_TRUE(Inside(r, inside)) << k << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom
                                       << " in " << inside.right << "x" << inside.bottom;
    }
    EXPECT_TRUE(Inside(dialog.Pad().Rect(), inside));
    EXPECT_GT(dialog.Pad().Rect().Width(), 20);
}

TEST_F(ColorWindowTest, SlidersWriteTheirFieldsAndUndoTakesThemBack)
{
    EXPECT_EQ(dialog.Slider(0).GetValue(), 192) << "the record's default";
    EXPECT_EQ(dialog.Slider(2).GetValue(), CColorSetDlg::ScaleSlider(1.0f));
    const struct {
        int slider;
        int32_t value;
        uint8_t field;
        float stored;
    } moves[] = {
        {0, 10, kColsCrop, 10}, {1, 255, kColsEvop, 255}, {2, 100, kColsClsc, 2.0f}, {2, 0, kColsClsc, 0.0f},
        {3, 25, kColsPrsp, 2.5f},
    };
    for (const auto& move : moves) {
        MoveSlider(move.slider, move.value);
        const float stored = move.field == kColsClsc || move.field == kColsPrsp ? Colors()->GetFloat(move.field)
                                                                                 : float(Colors()->GetByte(move.field));
        EXPECT_FLOAT_EQ(stored, move.stored) << move.slider << " " << move.value;
    }
    EXPECT_EQ(CColorSetDlg::ScaleSlider(2.0f), 100);
    EXPECT_EQ(CColorSetDlg::ScaleSlider(-1.0f), 0) << "no square root of a negative";
    // A floating window's edits go to the front document, whose undo takes them back.
    Command("LStdCmd_Undo");
    EXPECT_FLOAT_EQ(Colors()->GetFloat(kColsPrsp), 1.0f);
}

TEST_F(ColorWindowTest, RecordChangesMoveTheControlsAndRepaintTheViews)
{
    Render();
    const uint32_t passes = List().RenderPasses();
    LObject::SetFloat(Colors(), nullptr, kColsClsc, 2.0f, LObject::Merge::No);
    EXPECT_EQ(dialog.Slider(2).GetValue(), 100) << "the window follows the record";
    EXPECT_TRUE(List().Timer().IsRequested()) << "every open view asks for a pass";
    Render();
    EXPECT_GT(List().RenderPasses(), passes);
}

TEST_F(ColorWindowTest, PickedColoursReachTheRecordAndTheViewsBackground)
{
    plat::PanelTestDriver panels;
    panels.ScriptColorPanel([](plat::ColorPanel& panel) {
        panel.UserPicks({0.0, 0.0, 1.0});
        return panel.UserCloses();
    });
    LMessage::Send(LMessage(CColorBtn::msgSelected, &dialog.ColorButton(0), &dialog));
    EXPECT_EQ(CColorScheme::GetColor(Colors(), kColsCbkg), 0xFF0000u) << "blue in the top byte";
    EXPECT_EQ(dialog.ColorButton(0).Blue(), 255);
    Render();
    int32_t width = 0, height = 0;
    const std::vector<uint32_t> pixels = Pixels(Spectrum(), width, height);
    ASSERT_FALSE(pixels.empty());
    EXPECT_EQ(pixels[0], 0x0000FFu) << "the spectrum view is cleared to the new background";
}

TEST_F(ColorWindowTest, ThePadWritesOnlyWhatMoved)
{
    const int32_t w = int32_t(dialog.Pad().Rect().Width()), h = int32_t(dialog.Pad().Rect().Height());
    EXPECT_EQ(dialog.Pad().Point(), (CLPoint{CColorSetDlg::PadX(0.1f, w), CColorSetDlg::PadY(0.2f, h)}));
    const CLPoint at = dialog.Pad().Point();
    MovePad(at.x + 10, at.y);
    EXPECT_FLOAT_EQ(Colors()->GetFloat(kColsTrdh), float((at.x + 10) * 4.0 / w));
    EXPECT_FLOAT_EQ(Colors()->GetFloat(kColsTrdv), 0.2f) << "untouched, not rounded through the pad";
    float value = 5.0f;
    EXPECT_FALSE(CColorSetDlg::ShearX(3, 0, value));
    EXPECT_FALSE(CColorSetDlg::ShearY(3, 0, value));
    EXPECT_EQ(value, 5.0f) << "a pad under one pixel writes nothing";
    EXPECT_TRUE(CColorSetDlg::ShearY(0, 100, value));
    EXPECT_FLOAT_EQ(value, 1.0f);
}

// Colours tried in the panel show at once; Cancel takes them all back and leaves undo nothing
// to bring them back with, OK keeps the last as one step.
TEST_F(ColorWindowTest, CancelTakesBackTheTriedColoursAndOkKeepsTheLastAsOneStep)
{
    plat::PanelTestDriver panels;
    const uint32_t start = CColorScheme::GetColor(Colors(), kColsCgrd);
    for (const int answer : {0, 1}) {
        uint32_t whilePicking = 0;
        panels.ScriptColorPanel([&](plat::ColorPanel& panel) {
            panel.UserPicks({1.0, 0.0, 0.0});
            panel.UserPicks({0.0, 1.0, 0.0});
            whilePicking = CColorScheme::GetColor(Colors(), kColsCgrd);
            return answer;
        });
        LMessage::Send(LMessage(CColorBtn::msgSelected, &dialog.ColorButton(1), &dialog));
        EXPECT_EQ(whilePicking, 0x00FF00u) << answer;
        EXPECT_EQ(CColorScheme::GetColor(Colors(), kColsCgrd), answer ? 0x00FF00u : start) << answer;
        EXPECT_EQ(dialog.ColorButton(1).Green(), answer ? 255 : int(start >> 8 & 0xFF)) << answer;
        Command("LStdCmd_Undo");
        EXPECT_EQ(CColorScheme::GetColor(Colors(), kColsCgrd), start) << answer;
    }
}
