// A new user's way through the program's main job, by a person's hand: choosing sources,
// recording and playing back, saving and closing documents. Each test is one step of that way
// that once went wrong.
#include "tests/display/ProgramReport.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>

namespace {

class Tour : public ProgramReport {
protected:
    // The readout fields under the channel views are the white runs of 40 to 80 pixels on
    // one line of the front window: two under the spectrum, two under the waveform. The
    // window, their columns (from its left) and the line (from its top).
    void FindReadouts(plat::Rect& window, std::vector<std::pair<int, int>>& fields, int& line)
    {
        const std::optional<ShownWindow> front = FrontWindow();
        ASSERT_TRUE(front) << "no window";
        window = front->rect;
        line = -1;
        ASSERT_TRUE(RunUntil([&] {
            const plat::Bitmap shown = fX.Grab(window);
            for (int y = shown.Height() / 3; y < shown.Height() && line < 0; ++y) {
                plat::Bitmap row(shown.Width(), 1);
                for (int x = 0; x < shown.Width(); ++x)
                    row.SetPixel(x, 0, shown.Pixel(x, y));
                std::vector<std::pair<int, int>> runs;
                for (const auto& run : WhiteRuns(row, 40))
                    if (run.second - run.first <= 80)
                        runs.push_back(run);
                if (runs.size() == 4) {
                    fields = runs;
                    line = y;
                }
            }
            return line >= 0;
        })) << "no line of readout fields";
    }
    // Waits until the frequency's unit after the spectrum's second readout field is as wide
    // as `fits` asks; its width in pixels (0: no unit) goes to `width`. The fields are found
    // again each time: they move when the unit's width changes.
    bool AwaitFrequencyUnit(const std::function<bool(int)>& fits, int& width)
    {
        plat::Rect window;
        std::vector<std::pair<int, int>> fields;
        int line = -1;
        FindReadouts(window, fields, line);
        if (line < 0)
            return false;
        return RunUntil([&] {
            FindReadouts(window, fields, line);
            const std::pair<int, int> ink = InkAfter(window, fields[1].second, line, 30);
            width = ink.first < 0 ? 0 : ink.second - ink.first + 1;
            return fits(width);
        }, 3000);
    }
    // The first column of the divider's bar between the spectra and the waveforms on the
    // readouts' line (a white column, three mid grey, one dark grey), between two columns; -1
    // for none.
    int DividerBar(const plat::Rect& window, int line, int from, int to)
    {
        const plat::Bitmap shown = fX.Grab(window);
        const auto grey = [&](int x, uint32_t colour) { return (shown.Pixel(x, line) & 0xFFFFFF) == colour; };
        for (int x = from; x + 4 < to && x + 4 < shown.Width(); ++x)
            if (grey(x, 0xFFFFFF) && grey(x + 1, 0xC0C0C0) && grey(x + 3, 0xC0C0C0) && grey(x + 4, 0x808080))
                return x;
        return -1;
    }
    // The first and last columns with dark pixels in the `span` columns after the end of the
    // readout field, around its line; -1 for none.
    std::pair<int, int> InkAfter(const plat::Rect& window, int fieldEnd, int line, int span)
    {
        const plat::Bitmap shown = fX.Grab(window);
        std::pair<int, int> ink{-1, -1};
        for (int x = fieldEnd + 1; x < fieldEnd + span && x < shown.Width(); ++x)
            for (int y = line - 4; y < line + 6; ++y)
                if (Luma(shown.Pixel(x, y)) < 100) {
                    ink.first = ink.first < 0 ? x : ink.first;
                    ink.second = x;
                }
        return ink;
    }
};

} // namespace

// The stream's first lines name its type and rate; a window that was playing a recording when
// the stream was chosen read on from the stream before its connection was reported, and the
// report's fresh read wrote over those lines: the stream was then analysed at 1 sample a second.
TEST_F(Tour, ATcpStreamChosenWhileARecordingPlaysIsReadAtItsOwnRate)
{
    LineDevice device;
    ASSERT_NE(device.Port(), 0);
    ASSERT_NO_FATAL_FAILURE(StartOnRecording(60));
    ASSERT_NO_FATAL_FAILURE(ChooseSource("TCP Text Stream"));
    ASSERT_NO_FATAL_FAILURE(TypeAddress("127.0.0.1:" + std::to_string(device.Port())));
    ASSERT_TRUE(RunUntil([&] { return device.Connected(); })) << "the program did not connect";
    // What the window reads from its source goes to the clients of its data server, headed by
    // the source's type and rate.
    const std::string got = ServedText(600, 3000);
    EXPECT_EQ(got.rfind("dn generic_sound\rsr 1000\r", 0), 0u) << got.substr(0, 60);
}

namespace {

// A saved document of one channel and no faders.
std::string WriteDocument(const std::string& folder)
{
    const std::string path = folder + "/Documents/saved.snx";
    std::ofstream out(path);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<YSNX_FDRS>\n<YSNX_FDRS_chns>\n<YSNX_CHAN/>\n"
           "</YSNX_FDRS_chns>\n</YSNX_FDRS>\n";
    return path;
}

} // namespace

// Closing a changed document that has a file, the answer Save writes that file and closes the
// window, as the Save command does; it used to ask for a file as Save As does.
TEST_F(Tour, SaveOnClosingAChangedDocumentWritesItsOwnFile)
{
    const std::string path = WriteDocument(fHome.Folder());
    ASSERT_NO_FATAL_FAILURE(Start({path}));
    ASSERT_NO_FATAL_FAILURE(Choose("Faders", "Add Fader"));
    ASSERT_TRUE(Await(ShownPart::Control, "Band sum")) << "no new fader";
    fX.Tap("w", {"Control_L"});
    ASSERT_TRUE(Await(ShownPart::Control, "Don’t Save")) << "closing did not ask about the changes";
    ClickButton("Save");
    EXPECT_TRUE(RunUntil([&] { return FileContents(path).find("YSNX_FADR") != std::string::npos; }))
        << "the document's file was not written";
    EXPECT_TRUE(RunUntil([&] { return !Find(ShownPart::Control, "Band sum"); })) << "the window stayed";
    const std::optional<ShownWindow> front = FrontWindow();
    ASSERT_TRUE(front);
    EXPECT_NE(front->title, "Save") << "a file panel asked where to save";
}

// The caption beside the source buttons names the recording being played by its file name,
// whole, not by a path that runs under the play button.
TEST_F(Tour, ThePlayedRecordingIsNamedByItsFileName)
{
    ASSERT_NO_FATAL_FAILURE(StartOnRecording(60)); // the home folder's take.tks
    const std::optional<Shown> live = Await(ShownPart::Control, "Live");
    const std::optional<Shown> play = Await(ShownPart::Control, "Play");
    ASSERT_TRUE(live && play);
    ASSERT_TRUE(RunUntil([&] {
        const std::optional<Shown> now = Find(ShownPart::Control, "Play");
        return now && now->enabled;
    })) << "the recording does not play";
    // The caption lies between the source buttons and the play button, on their line.
    const double left = live->rect.x + live->rect.width + 8;
    const plat::Rect strip{left, play->rect.y, play->rect.x - left, play->rect.height};
    int lastInk = -1;
    RunUntil([&] {
        const plat::Bitmap shown = fX.Grab(strip);
        lastInk = -1;
        for (int x = 0; x < shown.Width(); ++x)
            for (int y = 0; y < shown.Height(); ++y)
                if (Luma(shown.Pixel(x, y)) < 100)
                    lastInk = x;
        return lastInk > 0;
    }, 3000);
    ASSERT_GT(lastInk, 0) << "no caption";
    // "take.tks" is about 50 pixels wide; a path to it fills the whole space.
    EXPECT_LT(lastInk, 110) << "the caption's text runs " << lastInk << " of " << strip.width << " pixels";
}

// With its last document closed the program keeps its menu bar in a small window of its own;
// every menu of the bar, Help the last, lies inside that window.
TEST_F(Tour, TheMenuBarLeftWhenTheLastDocumentClosesShowsEveryMenu)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    fX.Tap("w", {"Control_L"});
    std::optional<ShownWindow> host;
    ASSERT_TRUE(RunUntil([&] {
        host = FrontWindow();
        return host && host->title == "Sonalyx" && !host->bar.empty();
    })) << "no window carries the menu bar";
    ASSERT_EQ(host->bar.back().title, "Help");
    for (const Shown& title : host->bar)
        EXPECT_LE(title.rect.x + title.rect.width, host->rect.x + host->rect.width)
            << title.title << " ends past the window's right edge";
    const std::optional<Shown> help = Find(ShownPart::BarTitle, "Help");
    ASSERT_TRUE(help);
    fX.Click(help->Middle());
    EXPECT_TRUE(RunUntil([&] {
        const std::optional<ShownWindow> front = FrontWindow();
        return front && !front->items.empty();
    }, 3000)) << "a click on Help opened nothing";
}

// Zoomed in before a source is chosen, the spectrum column's scroll bar spans the whole column;
// the source's first data give the rows their axis texts and the scroll bar moves right to
// start under the spectra. The place it left is painted again, not left showing its arrow.
TEST_F(Tour, TheScrollBarMovedByTheFirstDataLeavesNoTrace)
{
    ASSERT_NO_FATAL_FAILURE(Start({}, {"SONALYX_SOUND_INPUT=sim:tone"}));
    const std::optional<Shown> analysis = Await(ShownPart::BarTitle, "Analysis");
    ASSERT_TRUE(analysis);
    fX.Click(analysis->Middle());
    const std::optional<Shown> zoom = Await(ShownPart::Row, "Frequency Zoom", 3000);
    ASSERT_TRUE(zoom) << "no Frequency Zoom";
    fX.MoveTo(zoom->Middle());
    const std::optional<Shown> eight = Await(ShownPart::Row, "8×", 3000);
    ASSERT_TRUE(eight) << "the zoom submenu did not open";
    fX.MoveTo({eight->rect.x + 10, zoom->Middle().y}); // across to the submenu, then down to the row
    fX.MoveTo(eight->Middle());
    fX.Click(eight->Middle());
    std::optional<Shown> before;
    ASSERT_TRUE(RunUntil([&] {
        const std::optional<ShownWindow> window = FrontWindow();
        for (const Shown& control : window ? window->controls : std::vector<Shown>{})
            if (control.kind == "scroller" && control.enabled && control.rect.width > control.rect.height)
                before = control;
        return before.has_value();
    })) << "zoomed in, the spectra have no scroll bar";
    ASSERT_NO_FATAL_FAILURE(ChooseSource("Sound In"));
    std::optional<Shown> after;
    ASSERT_TRUE(RunUntil([&] {
        const std::optional<ShownWindow> window = FrontWindow();
        for (const Shown& control : window ? window->controls : std::vector<Shown>{})
            if (control.kind == "scroller" && control.rect.width > control.rect.height &&
                control.rect.x > before->rect.x + 10)
                after = control;
        return after.has_value();
    })) << "the scroll bar did not move under the spectra";
    // Between the scroll bar's old and new left ends: the frame's plain background.
    const plat::Rect left{before->rect.x + 2, after->rect.y + 2, after->rect.x - before->rect.x - 4,
                          after->rect.height - 4};
    int dark = 0;
    EXPECT_TRUE(RunUntil([&] {
        const plat::Bitmap shown = fX.Grab(left);
        dark = 0;
        for (int y = 0; y < shown.Height(); ++y)
            for (int x = 0; x < shown.Width(); ++x)
                dark += Luma(shown.Pixel(x, y)) < 120;
        return dark == 0;
    }, 2000)) << dark << " dark pixels where the scroll bar was";
}

// Under each spectrum two fields read the level and the frequency at the cursor, each followed
// by its unit. The row is laid out when it is made, before the source's first data tell the
// rate; the frequency's unit that the data bring then shows whole, not in a place laid out for
// no text at all. The divider between the spectra and the waveforms dragged 120 pixels left
// takes both fields and the unit along at once, not leaving the rows as drawn with the start of
// the level field cut off at the bar.
TEST_F(Tour, TheFrequencyReadoutShowsItsUnitOnceTheSourceTellsTheRate)
{
    ASSERT_NO_FATAL_FAILURE(Start({}, {"SONALYX_SOUND_INPUT=sim:tone"}));
    ASSERT_NO_FATAL_FAILURE(ChooseSource("Sound In"));
    ASSERT_TRUE(RunUntil([&] { return !Find(ShownPart::Control, "Cancel"); })) << "the chooser stayed";
    // The frequency's unit ("kHz", about 22 pixels) follows the second field; a frame's edge
    // would be a column or two.
    int width = 0;
    EXPECT_TRUE(AwaitFrequencyUnit([](int w) { return w > 13; }, width))
        << "no unit after the frequency readout: ink over " << width << " columns";
    plat::Rect window;
    std::vector<std::pair<int, int>> before, after;
    int line = -1;
    ASSERT_NO_FATAL_FAILURE(FindReadouts(window, before, line));
    const int bar = DividerBar(window, line, before[1].second, before[2].first);
    ASSERT_GE(bar, 0) << "no divider bar between the spectrum's and the waveform's readouts";
    const plat::Point from{window.x + bar + 2, window.y + window.height - line - 1};
    fX.Drag(from, {}, {from.x - 120, from.y});
    EXPECT_TRUE(AwaitFrequencyUnit([](int w) { return w > 13; }, width))
        << "after the drag, no unit after the frequency readout: ink over " << width << " columns";
    ASSERT_NO_FATAL_FAILURE(FindReadouts(window, after, line));
    EXPECT_EQ(after[1].second, before[1].second - 120) << "the frequency field did not follow the bar";
}

// A TCP stream starts at 1 sample a second until its first lines tell its rate (1000): the
// frequency readout's unit follows, from "mHz" to "Hz". The rows' panes had been given back
// to the list between passes, and a refresh of a row without a pane changed nothing on the
// screen: the old unit stayed, a thousand times off.
TEST_F(Tour, TheFrequencyReadoutsUnitFollowsTheRateATcpStreamTells)
{
    LineDevice device;
    ASSERT_NE(device.Port(), 0);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(ChooseSource("TCP Text Stream"));
    ASSERT_NO_FATAL_FAILURE(TypeAddress("127.0.0.1:" + std::to_string(device.Port())));
    // "Hz" is about 15 pixels wide, "mHz" about 25.
    int width = 0;
    EXPECT_TRUE(AwaitFrequencyUnit([](int w) { return w > 0 && w < 19; }, width))
        << "the unit after the frequency readout is " << width << " pixels wide";
}

// Under a fader whose output is a MIDI controller its two settings are titled "Channel" and
// "Controller", each centred over its narrow field; the fields stand far enough apart that the
// titles read as two words, not as "ChannelController".
TEST_F(Tour, TheTitlesOfAFadersOutputSettingsStandApart)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Choose("Faders", "Add Fader"));
    const std::optional<Shown> output = Await(ShownPart::Control, "None");
    ASSERT_TRUE(output) << "no new fader with an output list";
    fX.Click(output->Middle());
    const std::optional<Shown> midi = Await(ShownPart::Row, "MIDI controller", 3000);
    ASSERT_TRUE(midi) << "the output list did not open";
    fX.Click(midi->Middle());
    const std::optional<Shown> chosen = Await(ShownPart::Control, "MIDI controller");
    const std::optional<ShownWindow> window = FrontWindow();
    ASSERT_TRUE(chosen && window) << "MIDI controller was not chosen";
    // The titles' line lies just under the row of lists, left of the output list.
    const plat::Rect band{window->rect.x, chosen->rect.y - 20, chosen->rect.x - window->rect.x, 16};
    std::vector<std::pair<int, int>> words;
    RunUntil([&] {
        const plat::Bitmap shown = fX.Grab(band);
        std::vector<bool> ink(size_t(shown.Width()), false);
        for (int y = 0; y < shown.Height(); ++y) {
            int dark = 0;
            for (int x = 0; x < shown.Width(); ++x)
                dark += Luma(shown.Pixel(x, y)) < 100;
            if (dark > shown.Width() * 3 / 4)
                continue; // a frame's edge, not text
            for (int x = 0; x < shown.Width(); ++x)
                if (Luma(shown.Pixel(x, y)) < 100)
                    ink[size_t(x)] = true;
        }
        // Runs of inked columns, a gap of fewer than 5 blank columns joining them.
        words.clear();
        for (int x = 0; x < shown.Width(); ++x) {
            if (!ink[size_t(x)])
                continue;
            if (!words.empty() && x - words.back().second < 5)
                words.back().second = x + 1;
            else
                words.emplace_back(x, x + 1);
        }
        // A frame's upright edge is a column or two, no word.
        words.erase(std::remove_if(words.begin(), words.end(), [](const auto& w) { return w.second - w.first < 8; }),
                    words.end());
        return words.size() == 2;
    }, 3000);
    std::string found;
    for (const auto& [first, end] : words)
        found += " " + std::to_string(first) + "-" + std::to_string(end);
    EXPECT_EQ(words.size(), 2u) << "words of the titles' line at:" << found;
}

// Play Recording… opens its panel in the documents folder, where a person keeps recordings:
// the first row of its list is the recording there, and a double click on it plays it. The
// panel used to open in the folder above, the documents folder selected in its list.
TEST_F(Tour, PlayRecordingOpensInTheDocumentsFolder)
{
    {
        std::ofstream out(fHome.Folder() + "/Documents/take.tks", std::ios::binary);
        out << "dn generic_sound\nsr 100\n";
        for (int i = 0; i < 6000; ++i)
            out << std::hex << (0x8000 + (i % 200) * 64) << '\n';
    }
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Choose("File", "Play Recording…"));
    const std::optional<Shown> up = Await(ShownPart::Control, "Up");
    ASSERT_TRUE(up) << "no file panel";
    // The list starts under the Up button, below its column titles.
    const plat::Point firstRow{up->rect.x + 150, up->rect.y - 37};
    fX.DoubleClick(firstRow);
    EXPECT_TRUE(RunUntil([&] {
        const std::optional<Shown> play = Find(ShownPart::Control, "Play");
        return !Find(ShownPart::Control, "Up") && play && play->enabled && play->state == 1;
    })) << "the first row was not the recording in the documents folder";
}
