// The built program under a person's hand, its controls found where the program itself says
// they are (the controls report it writes for tests), their effects read from what it sends
// over the network.
#include "tests/display/DesktopFixture.h"
#include "tests/display/ProgramProcess.h"
#include "tests/display/ShownControls.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <netinet/in.h>
#include <optional>
#include <set>
#include <poll.h>
#include <sstream>
#include <sys/socket.h>
#include <unistd.h>

namespace {

bool SameRect(const plat::Rect& a, const plat::Rect& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

class ProgramReport : public DesktopTest {
protected:
    // Starts the program on a recording of the generic sound type `seconds` long and waits for
    // its document window's menu bar.
    void StartOnRecording(int seconds)
    {
        const std::string path = fHome.Folder() + "/take.tks";
        {
            std::ofstream out(path, std::ios::binary);
            out << "dn generic_sound\nsr 100\n"; // the first line names the type
            for (int i = 0; i < seconds * 100; ++i)
                out << std::hex << (0x8000 + (i % 200) * 64) << ' ' << (0x8000 - (i % 100) * 64) << '\n';
        }
        fProgram = std::make_unique<ProgramProcess>(fHome, std::vector<std::string>{path});
        ASSERT_TRUE(fProgram->Started());
        ASSERT_TRUE(Await(ShownPart::BarTitle, "File", 10000)) << "the window did not show";
    }
    std::optional<Shown> Find(ShownPart part, const std::string& title)
    {
        return FindShown(ReadShownWindows(fHome.Report()), part, title);
    }
    // Waits until the program reports the part in the same place twice 200 ms apart (a new
    // window may still be placed by the window manager).
    std::optional<Shown> Await(ShownPart part, const std::string& title, int limitMs = 8000)
    {
        std::optional<Shown> found, before;
        RunUntil([&] {
            before = found;
            found = Find(part, title);
            if (found && before && SameRect(found->rect, before->rect))
                return true;
            RunUntil([] { return false; }, 200);
            return false;
        }, limitMs);
        return found && before && SameRect(found->rect, before->rect) ? found : std::nullopt;
    }
    // The document window's playback slider (the only slider wider than 60 pixels).
    std::optional<Shown> PlaybackSlider()
    {
        for (const ShownWindow& w : ReadShownWindows(fHome.Report()))
            for (const Shown& control : w.controls)
                if (control.kind == "slider" && control.rect.width > 60)
                    return control;
        return std::nullopt;
    }
    // A normal click on a menu title of the bar, then on the item.
    void Choose(const std::string& menu, const std::string& item)
    {
        const std::optional<Shown> title = Await(ShownPart::BarTitle, menu);
        ASSERT_TRUE(title) << "no menu " << menu;
        fX.Click(title->Middle());
        const std::optional<Shown> row = Await(ShownPart::Row, item, 3000);
        ASSERT_TRUE(row) << menu << " shows no " << item;
        fX.Click(row->Middle());
    }

    ProgramHome fHome;
    std::unique_ptr<ProgramProcess> fProgram;
};

// A client of the data server on this machine; -1 when nothing listens.
int ConnectTo(uint16_t port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// What arrives on the socket within the time, up to `enough` bytes.
std::string Receive(int fd, size_t enough, int limitMs)
{
    std::string got;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (got.size() < enough && std::chrono::steady_clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.append(buffer, size_t(n));
    }
    return got;
}

// The TCP ports the process listens on, found through its sockets' inodes.
std::vector<uint16_t> ListeningPorts(pid_t pid)
{
    std::set<std::string> inodes;
    std::error_code error;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        const std::string target = std::filesystem::read_symlink(fd.path(), error).string();
        if (target.rfind("socket:[", 0) == 0)
            inodes.insert(target.substr(8, target.size() - 9));
    }
    std::vector<uint16_t> ports;
    std::ifstream table("/proc/net/tcp");
    std::string line;
    std::getline(table, line); // the heading
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state, queues, timer, retransmits, uid, timeout, inode;
        fields >> slot >> local >> remote >> state >> queues >> timer >> retransmits >> uid >> timeout >> inode;
        if (state == "0A" && inodes.count(inode) != 0)
            ports.push_back(uint16_t(std::stoul(local.substr(local.find(':') + 1), nullptr, 16)));
    }
    return ports;
}

} // namespace

TEST_F(ProgramReport, ServerOnByANormalClickSendsTheLinesOfAPlayingTypedRecording)
{
    ASSERT_NO_FATAL_FAILURE(StartOnRecording(60));
    ASSERT_NO_FATAL_FAILURE(Choose("File", "Data Server…"));
    const std::optional<Shown> box = Await(ShownPart::Control, "Server on");
    ASSERT_TRUE(box) << "the data server dialog did not open";
    ASSERT_EQ(box->kind, "check");
    EXPECT_EQ(box->state, 0) << "the server starts off";
    EXPECT_TRUE(ListeningPorts(fProgram->Pid()).empty());
    fX.Click(box->Middle());
    EXPECT_TRUE(RunUntil([&] {
        const std::optional<Shown> now = Find(ShownPart::Control, "Server on");
        return now && now->state == 1;
    })) << "the normal click did not check the box";
    const std::optional<Shown> ok = Find(ShownPart::Control, "OK");
    ASSERT_TRUE(ok);
    fX.Click(ok->Middle());
    EXPECT_TRUE(RunUntil([&] { return !Find(ShownPart::Control, "Server on"); })) << "OK did not close the dialog";

    std::vector<uint16_t> ports;
    ASSERT_TRUE(RunUntil([&] { return !(ports = ListeningPorts(fProgram->Pid())).empty(); })) << "nothing listens";
    const int client = ConnectTo(ports.front());
    ASSERT_GE(client, 0);
    const std::string got = Receive(client, 4000, 5000);
    close(client);
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

    // A click in the new fader's name puts the keyboard in its row; Tab goes along the row
    // until the output list shows the focus ring, Space opens it, typing selects, Return chooses.
    void ChooseOscByKeyboard()
    {
        const std::optional<Shown> type = Find(ShownPart::Control, "Band sum");
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
