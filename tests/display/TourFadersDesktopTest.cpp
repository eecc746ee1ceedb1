// A new user's way through the faders of a show, by a person's hand: rows added and set up,
// their outputs chosen, rows selected and deleted, the MIDI output chosen. Each test is one
// step of that way that once went wrong.
#include "tests/display/ProgramReport.h"

#include <optional>
#include <string>

namespace {

class TourFaders : public ProgramReport {
protected:
    // A fader added from the Faders menu; its output list, showing "None".
    std::optional<Shown> AddFader()
    {
        Choose("Faders", "Add Fader");
        return Await(ShownPart::Control, "None");
    }
    // Dark pixels of the titles' line under a row's lists: between the row's left edge and its
    // output list, just under the lists, where the titles of the output's settings stand.
    int TitleInk(const Shown& output)
    {
        const std::optional<ShownWindow> window = FrontWindow();
        if (!window)
            return -1;
        const double left = window->rect.x + 10; // inside the row's frame
        const plat::Bitmap shown = fX.Grab(plat::Rect{left, output.rect.y - 20, output.rect.x - left - 10, 15});
        int dark = 0;
        for (int y = 0; y < shown.Height(); ++y) {
            int line = 0;
            for (int x = 0; x < shown.Width(); ++x)
                line += Luma(shown.Pixel(x, y)) < 100;
            if (line < shown.Width() / 2) // a frame's edge is no title
                dark += line;
        }
        return dark;
    }
};

} // namespace

// An output kind with settings titles them under the row ("UDP Port", "OSC Address" for OSC);
// set back to None, the row has no settings and shows no titles. The titles of the former
// kind used to stay, over nothing, and went on to rows added later.
TEST_F(TourFaders, AnOutputSetBackToNoneTakesItsSettingsTitlesAlong)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(AddFader()) << "no new fader with an output list";
    const std::optional<Shown> osc = ChooseInList("None", "OSC");
    ASSERT_TRUE(osc) << "OSC was not chosen";
    int ink = 0;
    ASSERT_TRUE(RunUntil([&] { return (ink = TitleInk(*osc)) > 40; }, 3000)) << "no titles under an OSC row";
    const std::optional<Shown> none = ChooseInList("OSC", "None");
    ASSERT_TRUE(none) << "None was not chosen again";
    EXPECT_TRUE(RunUntil([&] { return (ink = TitleInk(*none)) == 0; }, 3000))
        << ink << " dark pixels of titles under a row without an output";
}

// Rows selected by a click, the Delete key deletes them, as Backspace and Edit > Delete do.
TEST_F(TourFaders, TheDeleteKeyDeletesTheSelectedFader)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(AddFader()) << "no new fader";
    ASSERT_TRUE(ChooseInList("None", "OSC")) << "OSC was not chosen";
    ASSERT_TRUE(AddFader()) << "no second fader";
    // The window grew for the second row: the first one is found again where it stands now.
    const std::optional<Shown> osc = Await(ShownPart::Control, "OSC");
    ASSERT_TRUE(osc);
    // A click in the first row's frame, right of its settings, selects that row alone.
    fX.Click({osc->rect.x - 100, osc->rect.y - 30});
    RunUntil([] { return false; }, 150);
    fX.Tap("Delete");
    EXPECT_TRUE(RunUntil([&] { return !Find(ShownPart::Control, "OSC"); }, 3000)) << "the OSC fader stayed";
    // The other fader moved up into the first row: the pointer over it, it shows its list.
    fX.MoveTo({osc->rect.x - 100, osc->Middle().y});
    EXPECT_TRUE(Await(ShownPart::Control, "None", 3000)) << "the fader that was not selected went too";
}
