// A new user's way with the program's sources and files, by a person's hand: recordings and
// sound files opened from the command line and from the panels, files that are not what their
// names say. Each test is one step of that way that once went wrong.
#include "tests/display/ProgramReport.h"
#include "tests/foundation/TempFiles.h"

#include <filesystem>
#include <fstream>

namespace {

class TourSources : public ProgramReport {
protected:
    // A file of the bytes under the name, in the home's folder; its path.
    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = fHome.Folder() + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    // Waits for a message in front of everything and answers it with OK.
    bool AnswerMessage()
    {
        const bool shown = RunUntil([&] {
            const std::optional<ShownWindow> front = FrontWindow();
            return front && front->modal && !Find(ShownPart::Control, "Up") && Find(ShownPart::Control, "OK");
        });
        if (shown)
            ClickButton("OK");
        return shown && RunUntil([&] { return !Find(ShownPart::Control, "OK"); });
    }
    // Play Recording… with the file type chosen in its panel, and a double click on the
    // list's first row.
    void PlayFirstRecording(const std::string& type)
    {
        ASSERT_NO_FATAL_FAILURE(Choose("File", "Play Recording…"));
        const std::optional<Shown> up = Await(ShownPart::Control, "Up");
        ASSERT_TRUE(up) << "no file panel";
        if (!Find(ShownPart::Control, type)) {
            ClickButton("Raw stream recording");
            const std::optional<Shown> row = Await(ShownPart::Row, type, 3000);
            ASSERT_TRUE(row) << "the panel offers no " << type;
            fX.Click(row->Middle());
            ASSERT_TRUE(Await(ShownPart::Control, type)) << type << " was not chosen";
        }
        fX.DoubleClick({up->rect.x + 150, up->rect.y - 37}); // the list's first row
    }
    // Whether the playback slider goes from its start past it and back to it while Play stays
    // on: the recording played to its end and began again.
    bool PlaysAgainFromTheStart()
    {
        int phase = 0; // at the start, past it, back at it
        bool stopped = false;
        RunUntil([&] {
            const std::optional<Shown> play = Find(ShownPart::Control, "Play");
            const std::optional<Shown> slider = PlaybackSlider();
            stopped = stopped || (phase > 0 && (!play || play->state != 1));
            if (stopped || !play || play->state != 1 || !slider)
                return stopped;
            if ((slider->state == 0) == (phase != 1))
                ++phase;
            return phase == 3;
        }, 10000);
        return phase == 3 && !stopped;
    }
};

// The head of a WAV file: bytes no recording holds.
const std::string kWaveHead("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0", 24);

} // namespace

// Files named on the command line that cannot be shown whole (an empty recording, a sound
// file given the recording extension, a document cut in half) are named in one message, and
// no window is left showing nothing or a part. The recordings used to open windows that played
// nothing and said nothing; the cut document opened as if whole, to be saved over its file.
TEST_F(TourSources, FilesThatCannotBeShownWholeAreNamedWhenOpened)
{
    const std::string empty = Write("empty take.tks", "");
    const std::string sound = Write("Wäve ö.tks", kWaveHead + std::string(4000, '\0'));
    const std::string cut = Write("Hälfte.snx", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<YSNX_FDRS>\n"
                                                "<YSNX_FDRS_comn>\n<YSNX_COMN db=\"1\"/>\n</YSNX_FDRS_comn>\n<YSNX_FD");
    ASSERT_NO_FATAL_FAILURE(Start({empty, sound, cut}));
    EXPECT_TRUE(AnswerMessage()) << "no message named the files";
    EXPECT_FALSE(Find(ShownPart::Control, "Play")) << "a window was left for a file it cannot show whole";
    EXPECT_TRUE(fProgram->Alive());
}

// Play Recording… given a file with the recording extension that is no recording, or a sound
// file it cannot read, names it in a message, and the recording playing before plays on. The
// first used to be played as a recording without a word; the second took the recording
// playing before away.
TEST_F(TourSources, PlayRecordingOfFilesItCannotPlayKeepsTheRecordingPlaying)
{
    // The panel opens in the recording's folder, where each bad file comes first in its type.
    Write("Documents/Bänder ö.tks", kWaveHead + std::string(4000, '\x11'));
    Write("Documents/Bänder ö.wav", kWaveHead + std::string(4000, '\x11'));
    std::string take = "dn generic_sound\nsr 100\n";
    for (int i = 0; i < 6000; ++i)
        take += std::to_string(30000 + (i % 100) * 64) + "\n";
    ASSERT_NO_FATAL_FAILURE(Start({Write("Documents/take.tks", take)}));
    const auto playing = [&] {
        std::optional<Shown> play;
        return RunUntil([&] { return (play = Find(ShownPart::Control, "Play")) && play->enabled && play->state == 1; }, 3000);
    };
    ASSERT_TRUE(playing()) << "the recording does not play";
    for (const char* type : {"Raw stream recording", "WAV sound recording"}) {
        ASSERT_NO_FATAL_FAILURE(PlayFirstRecording(type));
        EXPECT_TRUE(AnswerMessage()) << "no message named the " << type;
        EXPECT_TRUE(playing()) << "the recording playing before was taken away by a " << type;
    }
}

// A TCP Text Stream chosen on a port where nothing listens, or whose peer sends a while and
// then closes (while it is recorded, too), is answered by a message naming the address, and
// the source is closed: Live and Rec go off and disabled, and Source… connects to the next
// peer. A recording in progress ends with the lines that reached it and plays. The refused
// connection's message says why in a person's words, and a peer chosen while that recording
// plays is named beside the source buttons, not the recording.
TEST_F(TourSources, ATcpPeerThatRefusesOrClosesIsNamedAndItsSourceClosed)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const auto control = [&](const char* title) { return Find(ShownPart::Control, title); };
    const auto takes = [&] {
        std::vector<std::string> files;
        for (const auto& file : std::filesystem::directory_iterator(fHome.Folder() + "/Documents/Sonalyx Record"))
            files.push_back(file.path());
        return files;
    };
    struct Row {
        const char* peer;
        bool listens, recorded, played;
        const char* reason; // what the message says after the address; null: not read
    };
    const char* const nothingListens = "Nothing is listening there: the peer may not be running.";
    for (const Row& row : {Row{"refusing", false, false, false, nothingListens}, Row{"closing", true, false, false, nullptr},
                           Row{"recorded", true, true, false, nullptr},
                           Row{"chosen while the recording plays", true, false, true, nullptr}}) {
        SCOPED_TRACE(row.peer);
        std::optional<LineDevice> device;
        if (row.listens)
            device.emplace();
        const uint16_t port = device ? device->Port() : porttest::FreePort();
        ASSERT_NE(port, 0);
        const std::string address = "127.0.0.1:" + std::to_string(port);
        if (row.played) {
            // The recording holds the lines that reached it, and plays.
            ASSERT_EQ(takes().size(), 1u);
            const std::string held = ReadAll(takes().front());
            EXPECT_NE(held.find("9000 7000\r7000 9000\r"), std::string::npos) << held.substr(0, 80);
            ClickButton("Play");
            EXPECT_TRUE(PlaysAgainFromTheStart()) << "the recording does not play";
            ASSERT_TRUE(Await(ShownPart::Text, std::filesystem::path(takes().front()).filename()))
                << "the recording playing is not named";
        }
        ASSERT_NO_FATAL_FAILURE(ChooseSource("TCP Text Stream"));
        ASSERT_NO_FATAL_FAILURE(TypeAddress(address));
        if (device) {
            ASSERT_TRUE(RunUntil([&] { return device->Connected(); })) << "the program did not connect";
            ASSERT_TRUE(RunUntil([&] {
                const std::optional<Shown> live = control("Live"), rec = control("Rec");
                return live && live->enabled && live->state == 1 && rec && rec->enabled;
            })) << "the new peer's source is not live";
        }
        if (row.played) {
            EXPECT_TRUE(Await(ShownPart::Text, address)) << "the peer shown is not named";
        }
        if (row.recorded) {
            ClickButton("Rec");
            ASSERT_TRUE(RunUntil([&] { return control("Rec") && control("Rec")->state == 1; })) << "no recording";
        }
        RunUntil([] { return false; }, 500); // lines flow
        if (device)
            device->HangUp();
        if (row.reason) {
            EXPECT_TRUE(Await(ShownPart::Text, "The source could not be opened. " + address + " " + row.reason))
                << "the message does not say why";
        }
        EXPECT_TRUE(AnswerMessage()) << "the " << row.peer << " peer was not named";
        for (const char* title : {"Live", "Rec"}) {
            const std::optional<Shown> shown = control(title);
            ASSERT_TRUE(shown);
            EXPECT_EQ(shown->state, 0) << title << " stayed on";
            EXPECT_FALSE(shown->enabled) << title << " stayed enabled";
        }
    }
    EXPECT_TRUE(fProgram->Alive());
}

// A recording of the sound input, stopped and played, plays to its end and starts again from
// the top with Play still on, as does the same file opened with Play Recording…. The recording
// used to stop at its end, Play left on, the slider at the end, Play pressed again doing nothing.
TEST_F(TourSources, AStoppedRecordingOfTheSoundInputLoopsWhenPlayed)
{
    ASSERT_NO_FATAL_FAILURE(Start({}, {"SONALYX_SOUND_INPUT=sim:tone"}));
    ASSERT_NO_FATAL_FAILURE(ChooseSource("Sound In"));
    ASSERT_TRUE(RunUntil([&] { return !Find(ShownPart::Control, "Cancel"); })) << "the chooser stayed";
    const auto recording = [&](int state) {
        return RunUntil([&] {
            const std::optional<Shown> rec = Find(ShownPart::Control, "Rec");
            return rec && rec->enabled && rec->state == state;
        });
    };
    ASSERT_TRUE(recording(0)) << "Rec is not offered";
    ClickButton("Rec");
    ASSERT_TRUE(recording(1)) << "Rec did not start a recording";
    RunUntil([] { return false; }, 2000);
    ClickButton("Rec");
    ASSERT_TRUE(recording(0)) << "Rec did not stop the recording";
    ClickButton("Play");
    EXPECT_TRUE(PlaysAgainFromTheStart()) << "the stopped recording did not start again after its end";
    ASSERT_NO_FATAL_FAILURE(PlayFirstRecording("WAV sound recording"));
    EXPECT_TRUE(RunUntil([&] { return !Find(ShownPart::Control, "Up"); })) << "the panel stayed";
    EXPECT_TRUE(PlaysAgainFromTheStart()) << "the recording opened with Play Recording… did not start again";
}

// A recording stopped by Play, its spectra exported with File > Export Spectra… through the save
// panel and the options: the file is written, and the recording stays stopped where it was with
// Play off, so no fader starts sending.
TEST_F(TourSources, ExportingTheSpectraOfAStoppedRecordingLeavesItStopped)
{
    ASSERT_NO_FATAL_FAILURE(StartOnRecording(60));
    const auto play = [&] { return Find(ShownPart::Control, "Play"); };
    ASSERT_TRUE(RunUntil([&] { return play() && play()->state == 1; })) << "the recording does not play";
    RunUntil([] { return false; }, 1000); // a second or two in
    ClickButton("Play");
    ASSERT_TRUE(RunUntil([&] { return play() && play()->state == 0; })) << "Play did not stop the recording";
    RunUntil([] { return false; }, 500);
    const std::optional<Shown> stopped = PlaybackSlider();
    ASSERT_TRUE(stopped) << "no playback slider";
    ASSERT_NO_FATAL_FAILURE(Choose("File", "Export Spectra…"));
    ASSERT_TRUE(Await(ShownPart::Control, "Cancel")) << "no save panel";
    fX.Type("spectra.csv");
    fX.Tap("Return");
    ASSERT_TRUE(Await(ShownPart::Control, "Add an event column")) << "no export options";
    ClickButton("OK");
    const std::string csv = fHome.Folder() + "/Documents/spectra.csv"; // the panel opens in Documents
    ASSERT_TRUE(RunUntil([&] { return std::filesystem::exists(csv); })) << "no spectra written";
    // Time for a recording started by the export to move the slider.
    bool moved = false;
    RunUntil([&] {
        const std::optional<Shown> button = play(), slider = PlaybackSlider();
        moved = button && slider && (button->state != 0 || slider->state != stopped->state);
        return moved;
    }, 1500);
    EXPECT_FALSE(moved) << "the export started the recording";
    ASSERT_TRUE(play());
    EXPECT_EQ(play()->state, 0);
    EXPECT_EQ(PlaybackSlider()->state, stopped->state) << "the recording moved";
}
