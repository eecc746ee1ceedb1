// A new user's way through the faders of a show, by a person's hand: rows added and set up,
// their outputs chosen, rows selected and deleted, the MIDI output chosen. Each test is one
// step of that way that once went wrong.
#include "tests/display/ProgramReport.h"

#include <fstream>
#include <functional>
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
    // A document of four channels, whose views want more room than the window first has, and
    // one OSC fader.
    std::string WriteFourChannelsOneFader()
    {
        const std::string path = fHome.Folder() + "/Documents/four.snx";
        std::ofstream out(path);
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<YSNX_FDRS>\n<YSNX_FDRS_fdrs>\n"
               "<YSNX_FADR ftyp=\"9\"/>\n</YSNX_FDRS_fdrs>\n<YSNX_FDRS_chns>\n"
               "<YSNX_CHAN/>\n<YSNX_CHAN/>\n<YSNX_CHAN/>\n<YSNX_CHAN/>\n</YSNX_FDRS_chns>\n</YSNX_FDRS>\n";
        return path;
    }
    // The fader list's scroll bar: the document window's vertical scroller, beside the list.
    std::optional<Shown> FaderListBar()
    {
        const std::optional<ShownWindow> window = FrontWindow();
        const std::optional<Shown> bar = window ? LastControl(*window, "scroller") : std::nullopt;
        return bar && bar->rect.height > bar->rect.width ? bar : std::nullopt;
    }
    // The fader list shows its one row whole: its scroll bar has nothing to scroll, and the
    // row's output list, live once the pointer rests on the row, stands inside the list.
    testing::AssertionResult RowShowsWhole()
    {
        const std::optional<Shown> bar = FaderListBar();
        if (!bar)
            return testing::AssertionFailure() << "no fader list";
        const double top = bar->rect.y + bar->rect.height;
        if (bar->enabled)
            return testing::AssertionFailure() << "the list scrolls in its " << bar->rect.height << " pixels";
        fX.MoveTo({bar->rect.x - 300, top - 8});
        const std::optional<Shown> output = Await(ShownPart::Control, "OSC", 3000);
        if (!output)
            return testing::AssertionFailure() << "the row shows no output list";
        if (output->rect.y < bar->rect.y || output->rect.y + output->rect.height > top)
            return testing::AssertionFailure() << "the output list stands outside the list";
        return testing::AssertionSuccess();
    }
    // The middle of the bar between the views and the fader list, found on the screen.
    std::optional<plat::Point> FaderDividerBar()
    {
        const std::optional<ShownWindow> window = FrontWindow();
        if (!window)
            return std::nullopt;
        // The lower half of the window's left edge, where no control stands.
        const plat::Rect column{window->rect.x + 2, window->rect.y, 1, window->rect.height / 2};
        const plat::Bitmap shown = fX.Grab(column);
        const int row = DividerBarRow(shown);
        return row < 0 ? std::nullopt
                       : std::optional<plat::Point>({column.x + 100, column.y + column.height - row - 0.5});
    }
    // The divider dragged by `by` pixels (up when positive) with the pointer's motion.
    bool DragFaderDivider(double by)
    {
        const std::optional<plat::Point> bar = FaderDividerBar();
        if (!bar)
            return false;
        const plat::Point to{bar->x, bar->y + by};
        fX.Drag(*bar, {{bar->x, bar->y + by / 2}}, to);
        RunUntil([] { return false; }, 300);
        return true;
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

// A document of four channels and an OSC fader, its fader list in view; Small labels set to
// another family in View Fonts and the windows closed: the window widens for the views, and
// the fader list keeps its whole row, its fader in sight; nor does the divider, dragged down as
// far as it goes and back up, leave the list less.
TEST_F(TourFaders, AFontChangeAndADividerDragLeaveTheFaderRowWhole)
{
    ASSERT_NO_FATAL_FAILURE(Start({WriteFourChannelsOneFader()}));
    ASSERT_TRUE(Await(ShownPart::Control, "OSC")) << "the fader did not show";
    ASSERT_TRUE(RowShowsWhole()) << "as opened";
    const double width = FrontWindow()->rect.width;
    const auto front = [&](const std::function<bool(const ShownWindow&)>& holds) {
        return RunUntil([&] {
            const std::optional<ShownWindow> window = FrontWindow();
            return window && holds(*window);
        }, 3000);
    };

    ASSERT_NO_FATAL_FAILURE(OpenFontPanelFor(2));
    // Two rows down the family list from the one in use: "DejaVu Sans", "DejaVu Sans Mono",
    // "DejaVu Serif" where those are installed.
    fX.Tap("Down");
    fX.Tap("Down");
    ASSERT_TRUE(front([&](const ShownWindow& w) { return w.rect.width != width; })) << "the font did not change";
    fX.Tap("Escape");
    ASSERT_TRUE(front([](const ShownWindow& w) { return w.title == "View Fonts"; })) << "the font panel stayed";
    fX.Tap("w", {"Control_L"});
    ASSERT_TRUE(front([](const ShownWindow& w) { return w.title != "View Fonts"; })) << "View Fonts stayed";
    EXPECT_TRUE(RowShowsWhole()) << "after the font change";

    ASSERT_TRUE(DragFaderDivider(-300)) << "no divider under the views";
    EXPECT_TRUE(RowShowsWhole()) << "the divider dragged down";
    ASSERT_TRUE(DragFaderDivider(100)) << "no divider under the views";
    EXPECT_TRUE(RowShowsWhole()) << "the divider dragged back up";
}
