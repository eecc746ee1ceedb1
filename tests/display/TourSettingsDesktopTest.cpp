// A new user's way through the program's settings windows, by a person's hand: the colour
// window and its colour panel, the MIDI output dialog and the consoles. Each test is one step
// of that way that once went wrong.
#include "tests/display/ProgramReport.h"

#include <fstream>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

class TourSettings : public ProgramReport {
protected:
    // The screen pixel `down` pixels below the top of the area and `right` from its left.
    uint32_t PixelIn(const plat::Rect& area, int right, int down)
    {
        const plat::Bitmap shown = fX.Grab({area.x + right, area.y + area.height - down - 1, 1, 1});
        return shown.Width() == 1 ? shown.Pixel(0, 0) & 0xFFFFFF : 0xFFFFFFFF;
    }
    // The middle of the first swatch of the colour window: the first run of at least 24 black
    // pixels on a line of its upper rows (the background's swatch is black to begin with).
    std::optional<plat::Point> BackgroundSwatch(const plat::Rect& window)
    {
        const plat::Bitmap shown = fX.Grab(window);
        for (int y = 4; y < 60 && y < shown.Height(); ++y)
            for (int x = 0, run = 0; x < shown.Width() / 2; ++x) {
                run = (shown.Pixel(x, y) & 0xFFFFFF) == 0 ? run + 1 : 0;
                if (run == 24)
                    return plat::Point{window.x + x - 12, window.y + window.height - y - 6};
            }
        return std::nullopt;
    }
    // Opens the colour panel from the background's swatch, types the colour into its hex field
    // and moves on with Tab, so that the colour is tried in the views.
    void TryBackground(const std::string& hex)
    {
        std::optional<ShownWindow> colours;
        ASSERT_TRUE(RunUntil([&] {
            colours = FrontWindow();
            return colours && colours->title == "Colours";
        })) << "the colour window did not open";
        std::optional<plat::Point> swatch;
        ASSERT_TRUE(RunUntil([&] { return (swatch = BackgroundSwatch(colours->rect)).has_value(); }))
            << "the colour window shows no black swatch";
        fX.Click(*swatch);
        ASSERT_TRUE(Await(ShownPart::Field, "#000000")) << "the colour panel did not open";
        ASSERT_TRUE(RunUntil([&] {
            const std::optional<Shown> field = Find(ShownPart::Field, "#000000");
            return field && field->focused;
        })) << "the hex field is not being edited";
        fX.Type(hex);
        fX.Tap("Tab");
    }
};

} // namespace

// A colour tried in the colour panel shows in the views at once; Cancel takes it back and OK
// keeps it. Cancel used to keep the colour last tried.
TEST_F(TourSettings, TheColourPanelsCancelTakesBackTheTriedColour)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::optional<ShownWindow> document = FrontWindow();
    ASSERT_TRUE(document);
    // A point of the waveform's area, clear of its lines, the colour window and the panel.
    const auto background = [&] { return PixelIn(document->rect, 780, 250); };
    // The window is reported before its first picture is on the screen.
    ASSERT_TRUE(RunUntil([&] { return background() == 0x000000u; }))
        << "the waveform's background is not black to begin with: " << std::hex << background();
    for (const bool keep : {false, true}) {
        ASSERT_NO_FATAL_FAILURE(Choose("Sonalyx", "Colours…"));
        ASSERT_NO_FATAL_FAILURE(TryBackground("#204060"));
        EXPECT_TRUE(RunUntil([&] { return background() == 0x204060u; }))
            << "the tried colour does not show: " << std::hex << background();
        ClickButton(keep ? "OK" : "Cancel");
        const uint32_t expected = keep ? 0x204060u : 0x000000u;
        EXPECT_TRUE(RunUntil([&] { return !Find(ShownPart::Field, "#204060") && background() == expected; }))
            << (keep ? "OK" : "Cancel") << " left the background " << std::hex << background();
    }
}

// The MIDI output dialog names its list: "Destination:" stands left of it. The caption was
// made without a font and measured no width, so the list stood alone; and without
// destinations the list stood empty.
TEST_F(TourSettings, TheMidiOutputDialogNamesItsList)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Choose("Sonalyx", "MIDI Output…"));
    ASSERT_TRUE(Await(ShownPart::Control, "Cancel")) << "the dialog did not open";
    const std::optional<ShownWindow> dialog = FrontWindow();
    ASSERT_TRUE(dialog);
    const std::optional<Shown> list = LastControl(*dialog, "popup");
    ASSERT_TRUE(list) << "the dialog shows no list";
    // The inked columns between the dialog's left edge and the list, on the list's line.
    const plat::Rect strip{dialog->rect.x, list->rect.y, list->rect.x - dialog->rect.x, list->rect.height};
    int first = -1, last = -1;
    RunUntil([&] {
        const plat::Bitmap shown = fX.Grab(strip);
        first = last = -1;
        for (int x = 0; x < shown.Width(); ++x)
            for (int y = 0; y < shown.Height(); ++y)
                if (Luma(shown.Pixel(x, y)) < 100) {
                    first = first < 0 ? x : first;
                    last = x;
                }
        return last - first > 50;
    }, 3000);
    EXPECT_GT(last - first, 50) << "no title left of the list: ink over columns " << first << " to " << last;
    // Without a MIDI destination on the system the list says so rather than standing empty.
    if (!list->enabled) {
        EXPECT_EQ(list->title, "No MIDI destinations found");
    }
    ClickButton("Cancel");
    EXPECT_TRUE(RunUntil([&] { return !Find(ShownPart::Control, "Cancel"); })) << "the dialog stayed";
}

// The consoles, the colour window and the event texts float above the document; they open
// clear of its menu bar and of its source buttons, so that every menu can still be chosen and
// a recording started with all of them open. They used to open over the bar's titles, and the
// event texts, made to be sent while recording, over Source… and Rec.
TEST_F(TourSettings, FloatingWindowsLeaveTheMenuBarAndTheSourceButtonsFree)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    for (const auto& [menu, item, title] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"Faders", "DMX Console", "DMX Console"},
             {"Faders", "MIDI Console", "MIDI Console"},
             {"Sonalyx", "Colours…", "Colours"},
             {"Faders", "Event Texts", "Event Texts"}}) {
        ASSERT_NO_FATAL_FAILURE(Choose(menu, item));
        ASSERT_TRUE(RunUntil([&, &title = title] { return FrontWindow() && FrontWindow()->title == title; }))
            << title << " did not open";
    }
    for (const auto& [menu, item] : std::vector<std::pair<std::string, std::string>>{
             {"File", "Data Server…"}, {"View", "Peaks…"}, {"Faders", "Add Fader"}}) {
        const std::optional<Shown> title = Await(ShownPart::BarTitle, menu);
        ASSERT_TRUE(title);
        fX.Click(title->Middle());
        EXPECT_TRUE(Await(ShownPart::Row, item, 2000)) << "a click on " << menu << " opened no menu";
        fX.Tap("Escape");
        ASSERT_TRUE(RunUntil([&, &item = item] { return !Find(ShownPart::Row, item); })) << "the menu stayed open";
    }
    ClickButton("Source…");
    EXPECT_TRUE(Await(ShownPart::Control, "Cancel", 3000)) << "a click on Source… opened no chooser";
}

// In the DMX console a thin line stands between every two channels. The channels drawn from
// the list's pattern lost theirs: the slider drawn before it left the cell's clip offset, and
// the line was found outside it. Only the channels that had been touched showed one.
TEST_F(TourSettings, EveryChannelOfTheDmxConsoleIsSeparatedFromTheNext)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Choose("Faders", "DMX Console"));
    std::optional<ShownWindow> console;
    ASSERT_TRUE(RunUntil([&] {
        console = FrontWindow();
        return console && console->title == "DMX Console";
    })) << "the console did not open";
    // The lines are the columns of mid grey over the middle third of the channels' height.
    int lines = 0, channels = 0;
    RunUntil([&] {
        const plat::Bitmap shown = fX.Grab(console->rect);
        channels = shown.Width() / 40; // each channel is about 39 pixels wide
        lines = 0;
        for (int x = 0; x < shown.Width(); ++x) {
            bool line = true;
            for (int y = shown.Height() / 3; y < shown.Height() * 2 / 3 && line; ++y)
                line = (shown.Pixel(x, y) & 0xFFFFFF) == 0x808080;
            lines += line;
        }
        return channels > 10 && lines >= channels - 1;
    }, 3000);
    EXPECT_GE(lines, channels - 1) << "lines between " << channels << " channels";
}

// A file that is no band list, as a sound file chosen by mistake, is named in a message and the
// window keeps its spectrum. Its bytes used to be read as bands at 0 Hz: the spectrum went
// blank without a word.
TEST_F(TourSettings, ASoundFileGivenToLoadBandsIsNamedAndTheSpectrumStays)
{
    {
        std::ofstream out(fHome.Folder() + "/Documents/take.wav", std::ios::binary);
        out << std::string("RIFF\x24\0\0\0WAVEfmt ", 16) << std::string(2000, '\x11');
    }
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Choose("Analysis", "Load Bands…"));
    const std::optional<Shown> up = Await(ShownPart::Control, "Up");
    ASSERT_TRUE(up) << "no file panel";
    fX.DoubleClick({up->rect.x + 150, up->rect.y - 37}); // the list's first row: the sound file
    EXPECT_TRUE(RunUntil([&] {
        const std::optional<ShownWindow> front = FrontWindow();
        return !Find(ShownPart::Control, "Up") && front && front->modal && Find(ShownPart::Control, "OK");
    })) << "no message named the file";
    if (Find(ShownPart::Control, "OK"))
        ClickButton("OK");
    // The Analysis menu marks what the spectrum shows: still the whole spectrum.
    const std::optional<Shown> analysis = Await(ShownPart::BarTitle, "Analysis");
    ASSERT_TRUE(analysis);
    fX.Click(analysis->Middle());
    const std::optional<Shown> spectrum = Await(ShownPart::Row, "Spectrum", 3000);
    const std::optional<Shown> bands = Find(ShownPart::Row, "Load Bands…");
    ASSERT_TRUE(spectrum && bands) << "the Analysis menu did not open";
    EXPECT_EQ(spectrum->state, 1) << "the spectrum is no longer shown whole";
    EXPECT_EQ(bands->state, 0) << "the file's bytes are shown as bands";
    fX.Tap("Escape");
}

// The document window is resized by the lower right corner of its frame; dragged in past the
// smallest size its panes allow, it stays at that size with its top and its menu bar where they
// were. The window manager's smaller size was taken for a move: the window went up by the
// difference, its title bar and menu bar off the screen.
TEST_F(TourSettings, ShrinkingTheDocumentPastItsSmallestSizeKeepsItsTopInPlace)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::optional<ShownWindow> start = FrontWindow();
    ASSERT_TRUE(start);
    const auto top = [](const ShownWindow& w) { return w.rect.y + w.rect.height; };
    const auto dragCorner = [&](const ShownWindow& w, double dx, double dy) {
        const plat::Point grip{w.rect.x + w.rect.width - 12, w.rect.y - 3}; // the frame's corner grip
        fX.Drag(grip, {}, {grip.x + dx, grip.y + dy});
    };
    std::optional<ShownWindow> now;
    // Out first, so that the drag is seen to resize. The corner follows the pointer the whole
    // way; waiting for the drag's full size, not the first step's, keeps the next grip where the
    // corner is when the program is slow to report.
    dragCorner(*start, 100, -80);
    ASSERT_TRUE(RunUntil([&] {
        now = FrontWindow();
        return now && now->rect.width == start->rect.width + 100 && now->rect.height == start->rect.height + 80;
    })) << "the corner drag did not resize the window to the pointer: " << (now ? now->rect.width : 0) << "x" << (now ? now->rect.height : 0);
    EXPECT_EQ(top(*now), top(*start)) << "growing moved the window's top";
    // Then in, far past the smallest size: the window comes back to it.
    RunUntil([] { return false; }, 500); // the window manager done with the first drag
    now = FrontWindow();
    ASSERT_TRUE(now);
    dragCorner(*now, -300, 200);
    EXPECT_TRUE(RunUntil([&] {
        now = FrontWindow();
        return now && now->rect.width == start->rect.width && now->rect.height == start->rect.height;
    })) << "the window did not come back to its smallest size: " << (now ? now->rect.width : 0) << "x" << (now ? now->rect.height : 0) << " at top " << (now ? top(*now) : 0);
    RunUntil([] { return false; }, 500); // a late move would show now
    now = FrontWindow();
    ASSERT_TRUE(now);
    EXPECT_EQ(top(*now), top(*start)) << "the window's top moved from " << top(*start) << " to " << top(*now);
    EXPECT_TRUE(Find(ShownPart::BarTitle, "File")) << "the menu bar is gone";
}
