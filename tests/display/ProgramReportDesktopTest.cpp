// The built program under a person's hand, its controls found where the program itself says
// they are (the controls report it writes for tests), their effects read from what it sends
// over the network.
#include "tests/display/ProgramReport.h"
#include "tests/foundation/TempFiles.h"
#include "tests/support/OscDecoder.h"

#include <arpa/inet.h>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <set>
#include <sstream>
#include <sys/socket.h>
#include <unistd.h>

TEST_F(ProgramReport, ServerOnByANormalClickSendsTheLinesOfAPlayingTypedRecording)
{
    ASSERT_NO_FATAL_FAILURE(StartOnRecording(60));
    const std::string got = ServedText(4000, 5000);
    // The type and rate first, then lines of the two channels' values, four hexadecimal digits each.
    ASSERT_EQ(got.rfind("dn generic_sound\rsr 100\r", 0), 0u) << got.substr(0, 80);
    int lines = 0;
    for (size_t start = 0, end; (end = got.find('\r', start)) != std::string::npos; start = end + 1) {
        const std::string line = got.substr(start, end - start);
        if (line.size() == 9 && line[4] == '\t' && line.find_first_not_of("0123456789abcdef\t") == std::string::npos)
            ++lines;
    }
    EXPECT_GT(lines, 20) << got.substr(0, 200);
}

namespace {

// A UDP socket on this machine's loopback address with a port of its own.
class OscReceiver {
public:
    explicit OscReceiver(uint16_t port)
    {
        fFd = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        socklen_t size = sizeof address;
        if (bind(fFd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
            getsockname(fFd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            fPort = ntohs(address.sin_port);
    }
    ~OscReceiver() { close(fFd); }
    uint16_t Port() const { return fPort; }
    // The next datagram, empty when none arrives in time.
    std::string Next(int limitMs)
    {
        pollfd p{fFd, POLLIN, 0};
        if (poll(&p, 1, limitMs) <= 0)
            return {};
        char buffer[1500];
        const ssize_t n = recv(fFd, buffer, sizeof buffer, 0);
        return n > 0 ? std::string(buffer, size_t(n)) : std::string();
    }

private:
    int fFd = -1;
    uint16_t fPort = 0;
};

// Where a new OSC fader sends: its port and address as the fader definition starts them.
constexpr uint16_t kOscPort = 9000;
constexpr const char* kOscAddress = "/snx/fader";

// An OSC message of one float to `address`: the address padded with zeros to a multiple of
// four bytes, the type tags ",f" padded likewise, then four bytes of value.
bool IsFloatMessageTo(const std::string& datagram, const std::string& address)
{
    const size_t padded = (address.size() / 4 + 1) * 4;
    std::string head = address;
    head.resize(padded, '\0');
    head += std::string(",f\0\0", 4);
    return datagram.size() == head.size() + 4 && datagram.compare(0, head.size(), head) == 0;
}

// A fader added from the menu, its output list set to OSC; its levels then go out as OSC.
class FaderEditor : public ProgramReport {
protected:
    void SetUp() override
    {
        ProgramReport::SetUp();
        if (HasFatalFailure())
            return;
        if (fReceiver.Port() == 0)
            GTEST_SKIP() << "the OSC port is taken";
        ASSERT_NO_FATAL_FAILURE(StartOnRecording(60));
    }
    // Adds a fader from the Faders menu; its output list shows "None".
    std::optional<Shown> AddFader()
    {
        Choose("Faders", "Add Fader");
        return Await(ShownPart::Control, "None");
    }
    // Datagrams until one to the address comes or the time is up; the last one read.
    std::string AwaitMessage(const std::string& address, int limitMs = 5000)
    {
        return AwaitMessageOn(fReceiver, address, limitMs);
    }
    std::string AwaitMessageOn(OscReceiver& receiver, const std::string& address, int limitMs = 5000)
    {
        std::string last;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
        while (std::chrono::steady_clock::now() < end) {
            std::string datagram;
            RunUntil([&] { return !(datagram = receiver.Next(0)).empty(); }, 100);
            if (datagram.empty())
                continue;
            last = datagram;
            if (IsFloatMessageTo(datagram, address))
                break;
        }
        return last;
    }

    // The addresses of the datagrams a receiver got before and gets for `ms` milliseconds more.
    std::set<std::string> Heard(OscReceiver& receiver, int ms)
    {
        std::set<std::string> heard;
        RunUntil([&] {
            for (std::string datagram; !(datagram = receiver.Next(0)).empty();)
                heard.insert(datagram.substr(0, datagram.find('\0')));
            return false;
        }, ms);
        return heard;
    }

    // A click in the new fader's name (left of its source list, showing `source`) puts the
    // keyboard in its row; Tab goes along the row until the output list shows the focus ring,
    // Space opens it, typing selects, Return chooses.
    void ChooseOscByKeyboard(const std::string& source = "Band sum")
    {
        const std::optional<Shown> type = Find(ShownPart::Control, source);
        ASSERT_TRUE(type);
        fX.Click({type->rect.x - 80, type->rect.y + type->rect.height / 2});
        bool focused = false;
        for (int i = 0; i < 20 && !focused; ++i) {
            fX.Tap("Tab");
            RunUntil([] { return false; }, 60);
            const std::optional<Shown> now = Find(ShownPart::Control, "None");
            focused = now && now->focused;
        }
        ASSERT_TRUE(focused) << "Tab never reached the output list";
        fX.Tap("space");
        ASSERT_TRUE(Await(ShownPart::Row, "OSC", 3000)) << "Space did not open the list";
        fX.Tap("O", {"Shift_L"});
        fX.Tap("Return");
        ASSERT_TRUE(Await(ShownPart::Control, "OSC")) << "OSC was not chosen";
    }

    // A new OSC fader of the recording's level (it changes all the time, and so is sent all the
    // time) whose port is typed after Tab and entered by Tab, which selects the address field.
    void AddLevelFaderSendingTo(uint16_t port)
    {
        ASSERT_TRUE(AddFader()) << "no new fader with an output list";
        ASSERT_TRUE(ChooseInList("Band sum", "Time-domain level")) << "the level source was not chosen";
        ASSERT_NO_FATAL_FAILURE(ChooseOscByKeyboard("Time-domain level"));
        fX.Tap("Tab"); // the port field, its text selected
        fX.Type(std::to_string(port));
        fX.Tap("Tab");
    }

    OscReceiver fReceiver{kOscPort};
};

// The float an OSC message of one float carries (big-endian), after its address and type tags.
float FloatOf(const std::string& datagram)
{
    uint32_t bits = 0;
    for (size_t i = datagram.size() - 4; i < datagram.size(); ++i)
        bits = (bits << 8) | uint8_t(datagram[i]);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

TEST_F(FaderEditor, AFaderSetToOscByMouseSendsItsLevelsToTheOscPort)
{
    const std::optional<Shown> output = AddFader();
    ASSERT_TRUE(output) << "no new fader with an output list";
    EXPECT_TRUE(AwaitMessage(kOscAddress, 600).empty()) << "OSC before the output is OSC";
    fX.Click(output->Middle());
    const std::optional<Shown> osc = Await(ShownPart::Row, "OSC", 3000);
    ASSERT_TRUE(osc) << "the output list did not open";
    fX.Click(osc->Middle());
    ASSERT_TRUE(Await(ShownPart::Control, "OSC")) << "OSC was not chosen";
    const std::string got = AwaitMessage(kOscAddress);
    EXPECT_TRUE(IsFloatMessageTo(got, kOscAddress)) << got.size() << " bytes: " << got;
}

TEST_F(FaderEditor, AFaderSetToOscByKeyboardSendsItsLevelsToTheOscPort)
{
    ASSERT_TRUE(AddFader()) << "no new fader with an output list";
    ASSERT_NO_FATAL_FAILURE(ChooseOscByKeyboard());
    const std::string got = AwaitMessage(kOscAddress);
    EXPECT_TRUE(IsFloatMessageTo(got, kOscAddress)) << got.size() << " bytes: " << got;
}

// The port and address of an OSC fader reached with Tab from its output list and typed: the
// levels go to the typed address on the typed port.
TEST_F(FaderEditor, AnOscFadersPortAndAddressTypedAfterTabSendItsLevelsThere)
{
    OscReceiver typed{0};
    ASSERT_NE(typed.Port(), 0);
    ASSERT_TRUE(AddFader()) << "no new fader with an output list";
    ASSERT_NO_FATAL_FAILURE(ChooseOscByKeyboard());
    ASSERT_TRUE(IsFloatMessageTo(AwaitMessage(kOscAddress), kOscAddress)) << "no OSC on the first port";
    fX.Tap("Tab"); // the port field, its text selected
    fX.Type(std::to_string(typed.Port()));
    fX.Tap("Tab"); // the address field
    fX.Tap("slash");
    fX.Type("typed");
    fX.Tap("slash");
    fX.Type("level7");
    fX.Tap("Tab");
    const std::string address = "/typed/level7"; // 13 bytes: padded to 16
    const std::string got = AwaitMessageOn(typed, address);
    ASSERT_TRUE(IsFloatMessageTo(got, address)) << got.size() << " bytes: " << got;
    EXPECT_EQ(got.size(), 16u + 4u + 4u);
    const float level = FloatOf(got);
    EXPECT_TRUE(level >= 0.0f && level <= 1.0f) << level;
}

// An OSC fader's address retyped while the recording plays: a receiver hears nothing at the
// half-typed addresses ("/", "/l", "/lv" ...), only the old address until Return, then the new
// one. A save while the next address is typed writes that address into the document.
TEST_F(FaderEditor, AnAddressRetypedIntoAnOscFaderTakesEffectOnlyWhenItsEditEnds)
{
    const std::string typed = "/lvl/a";
    OscDecoder decoder(3, typed); // independent of the program: every datagram, in order
    ASSERT_NE(decoder.Port(), 0);
    ASSERT_NO_FATAL_FAILURE(AddLevelFaderSendingTo(decoder.Port()));
    fX.Type(typed); // a key at a time: held 40 ms, 80 ms between keys
    RunUntil([] { return false; }, 300);
    decoder.Mark("/mark"); // comes before anything the Return below makes the program send
    fX.Tap("Return");
    std::vector<std::string> runs; // the addresses heard, a run of the same one counted once
    std::string heard;
    for (const std::string& line : decoder.Finish()) {
        heard += line + "\n";
        std::istringstream words(line.rfind("extra ", 0) == 0 ? line.substr(6) : line);
        std::string bytes, address;
        words >> bytes >> address;
        if (runs.empty() || runs.back() != address)
            runs.push_back(address);
    }
    // Levels may still go to the old address between the mark and the program's taking Return.
    if (runs.size() == 4 && runs[2] == kOscAddress)
        runs.erase(runs.begin() + 2);
    EXPECT_EQ(runs, (std::vector<std::string>{kOscAddress, "/mark", typed})) << heard;

    // The next address typed, then File > Save (its shortcut) names a new file in the panel.
    fX.Type("/lvl/b");
    fX.Tap("s", {"Control_L"});
    ASSERT_TRUE(Await(ShownPart::Control, "Cancel")) << "no save panel";
    fX.Type("show");
    fX.Tap("Return");
    const std::string saved = fHome.Folder() + "/Documents/show";
    ASSERT_TRUE(RunUntil([&] { return std::filesystem::exists(saved); })) << "no document saved";
    EXPECT_NE(ReadAll(saved).find("/lvl/b"), std::string::npos) << "the address typed is not in the saved document";
}

// Ctrl+Z (or Edit > Undo) while an address is typed undoes the typing alone: the output stays
// on the port entered before, nothing goes to the typed address and the field shows the address
// the fader holds. With nothing typed, the next Ctrl+Z undoes the port.
TEST_F(FaderEditor, CtrlZWhileAnAddressIsTypedUndoesTheTypingAlone)
{
    OscReceiver moved{0};
    ASSERT_NE(moved.Port(), 0);
    ASSERT_NO_FATAL_FAILURE(AddLevelFaderSendingTo(moved.Port()));
    ASSERT_TRUE(IsFloatMessageTo(AwaitMessageOn(moved, kOscAddress), kOscAddress)) << "the port did not change";
    const std::pair<const char*, std::function<void()>> undos[] = {
        {"Ctrl+Z", [&] { fX.Tap("z", {"Control_L"}); }},
        {"Edit > Undo", [&] { Choose("Edit", "Undo"); }},
    };
    for (const auto& [way, undo] : undos) {
        SCOPED_TRACE(way);
        fX.Type("/x"); // over the address, selected
        Heard(fReceiver, 0); // what the first port got before
        undo();
        EXPECT_TRUE(Await(ShownPart::Field, kOscAddress, 3000)) << "the field does not show the address stored";
        EXPECT_EQ(Heard(moved, 1000), std::set<std::string>{kOscAddress});
        EXPECT_TRUE(Heard(fReceiver, 0).empty()) << "the output went back to the first port";
    }
    fX.Tap("z", {"Control_L"});
    EXPECT_TRUE(IsFloatMessageTo(AwaitMessage(kOscAddress), kOscAddress)) << "the port change was not undone";
}

TEST_F(ProgramReport, ThePlaybackKnobDraggedToTheMiddleShowsTheMiddleOfTheRecording)
{
    // A minute: while the slider is wider than 60 pixels its value is the position in seconds.
    ASSERT_NO_FATAL_FAILURE(StartOnRecording(60));
    const std::optional<Shown> knob = PlaybackSlider();
    ASSERT_TRUE(knob) << "no playback slider";
    const plat::Rect track = knob->rect;
    const double value = double(knob->state);
    const double half = track.height / 2; // the knob is about as wide as the track is high
    const plat::Point from{track.x + half + (track.width - 2 * half) * value / 60.0, track.y + track.height / 2};
    const plat::Point to{track.x + track.width / 2, from.y};
    fX.Drag(from, {}, to);
    std::optional<Shown> after;
    EXPECT_TRUE(RunUntil([&] {
        after = PlaybackSlider();
        return after && std::abs(double(after->state) - 30) <= 2;
    }, 3000)) << "the knob shows " << (after ? std::to_string(after->state) : "nothing") << " s of 60";
    // Released in the middle, it stays there: the drag stopped the playback.
    RunUntil([] { return false; }, 1500);
    after = PlaybackSlider();
    ASSERT_TRUE(after);
    EXPECT_NEAR(double(after->state), 30, 2);
}

namespace {

bool Inside(const plat::Rect& inner, const plat::Rect& outer)
{
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

} // namespace

TEST_F(ProgramReport, AFaderRowAddedInTheDefaultWindowShowsWholeOrCanBeScrolledTo)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Choose("Faders", "Add Fader"));
    const std::optional<Shown> type = Await(ShownPart::Control, "Band sum");
    const std::optional<Shown> output = Await(ShownPart::Control, "None");
    const std::optional<ShownWindow> window = FrontWindow();
    ASSERT_TRUE(window && type && output) << "no new fader with its lists";
    // The fader list shows its rows left of its scroller, over the scroller's height.
    const std::optional<Shown> scroller = LastControl(*window, "scroller");
    ASSERT_TRUE(scroller) << "the fader list has no scroller";
    // The list scrolls only up and down: across, its rows must fit.
    const plat::Rect shown{window->rect.x, scroller->rect.y, scroller->rect.x - window->rect.x, scroller->rect.height};
    const bool scrolls = scroller->enabled;
    for (const Shown* popup : {&*type, &*output}) {
        const plat::Rect& r = popup->rect;
        EXPECT_TRUE(r.x >= shown.x && r.x + r.width <= shown.x + shown.width)
            << popup->title << " spans " << r.x << "-" << r.x + r.width << " of the list's " << shown.x << "-"
            << shown.x + shown.width;
        EXPECT_TRUE(Inside(r, shown) || scrolls)
            << popup->title << " at " << r.y << "-" << r.y + r.height << " outside the list's " << shown.y << "-"
            << shown.y + shown.height << " that does not scroll";
    }
    // On the screen both lists end alike, with their arrows (once the new row is drawn: the
    // report comes before the picture).
    int dark = 0, differ = 0;
    RunUntil([&] {
        std::vector<plat::Bitmap> ends;
        for (const Shown* popup : {&*type, &*output})
            ends.push_back(fX.Grab(plat::Rect{popup->rect.x + popup->rect.width - 20, popup->rect.y, 20, popup->rect.height}));
        dark = differ = 0;
        for (int y = 0; y < ends[0].Height(); ++y)
            for (int x = 0; x < ends[0].Width(); ++x) {
                dark += Luma(ends[0].Pixel(x, y)) < 90;
                differ += (ends[0].Pixel(x, y) & 0xFFFFFF) != (ends[1].Pixel(x, y) & 0xFFFFFF);
            }
        return dark >= 6 && differ == 0;
    }, 3000);
    EXPECT_GE(dark, 6) << "no arrow at the end of the source type list";
    EXPECT_EQ(differ, 0) << "the output list's end differs from the type list's on the screen";
    // The row's eight number and text fields (name, channel, band, input and output ranges),
    // each white inside its frame, all wholly left of the output list.
    const double lineY = type->rect.y + type->rect.height - 4;
    std::vector<std::pair<int, int>> fields;
    RunUntil([&] {
        fields = WhiteRuns(fX.Grab(plat::Rect{window->rect.x, lineY, output->rect.x - window->rect.x, 1}), 12);
        return fields.size() == 8u;
    }, 3000);
    std::string found;
    for (const auto& [first, end] : fields)
        found += " " + std::to_string(first) + "-" + std::to_string(end);
    EXPECT_EQ(fields.size(), 8u) << "white fields on the row's line at:" << found;
}
