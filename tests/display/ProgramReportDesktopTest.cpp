// The built program under a person's hand, its controls found where the program itself says
// they are (the controls report it writes for tests), their effects read from what it sends
// over the network.
#include "tests/display/DesktopFixture.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <optional>
#include <set>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// The program in a process of its own with a home of its own, writing its controls report;
// killed at the end.
class Program {
public:
    Program(const std::string& path, const std::vector<std::string>& files)
    {
        std::filesystem::create_directories(fHome + "/.config");
        std::filesystem::create_directories(fHome + "/run");
        std::filesystem::permissions(fHome + "/run", std::filesystem::perms::owner_all);
        std::vector<std::string> env{"HOME=" + fHome, "XDG_CONFIG_HOME=" + fHome + "/.config",
                                     "XDG_DATA_HOME=" + fHome + "/.local/share", "XDG_RUNTIME_DIR=" + fHome + "/run",
                                     "SONALYX_TEST_CONTROLS_FILE=" + Report()};
        for (char** e = environ; *e; ++e) {
            const std::string_view entry(*e);
            if (entry.rfind("HOME=", 0) != 0 && entry.rfind("XDG_", 0) != 0 &&
                entry.rfind("SONALYX_TEST_CONTROLS_FILE=", 0) != 0)
                env.emplace_back(*e);
        }
        std::vector<char*> envp;
        for (std::string& entry : env)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        std::vector<std::string> args{path};
        args.insert(args.end(), files.begin(), files.end());
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        if (posix_spawn(&fPid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
            fPid = -1;
    }
    ~Program()
    {
        if (fPid > 0) {
            kill(fPid, SIGKILL);
            waitpid(fPid, nullptr, 0);
        }
        std::filesystem::remove_all(fHome);
    }
    bool Started() const { return fPid > 0; }
    pid_t Pid() const { return fPid; }
    std::string Home() const { return fHome; }
    std::string Report() const { return fHome + "/controls.txt"; }

private:
    std::string fHome = ::testing::TempDir() + "sonalyx-report-home";
    pid_t fPid = -1;
};

// One line of the controls report: its kind, its fields before the rectangle, the rectangle
// (screen, bottom-left origin) and the title.
struct Entry {
    std::string kind;
    std::vector<std::string> fields;
    plat::Rect rect;
    std::string title;
    plat::Point Middle() const { return {rect.x + rect.width / 2, rect.y + rect.height / 2}; }
};

bool SameRect(const plat::Rect& a, const plat::Rect& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

std::vector<Entry> ReadReport(const std::string& path)
{
    std::ifstream in(path);
    std::vector<Entry> entries;
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> parts; // the title may be empty: split by hand
        for (size_t start = 0;;) {
            const size_t tab = line.find('\t', start);
            parts.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        if (parts.size() < 3)
            continue;
        Entry entry;
        entry.kind = parts.front();
        entry.title = parts.back();
        entry.fields.assign(parts.begin() + 1, parts.end() - 2);
        std::istringstream(parts[parts.size() - 2]) >> entry.rect.x >> entry.rect.y >> entry.rect.width >>
            entry.rect.height;
        entries.push_back(std::move(entry));
    }
    return entries;
}

class ProgramReport : public DesktopTest {
protected:
    // The first entry of the kind with the title in the program's latest report.
    std::optional<Entry> Find(const Program& program, const std::string& kind, const std::string& title)
    {
        for (Entry& entry : ReadReport(program.Report()))
            if (entry.kind == kind && entry.title == title)
                return entry;
        return std::nullopt;
    }
    // Waits until the program reports the entry in the same place twice 200 ms apart (a new
    // window may still be placed by the window manager).
    std::optional<Entry> Await(const Program& program, const std::string& kind, const std::string& title,
                               int limitMs = 8000)
    {
        std::optional<Entry> found, before;
        RunUntil([&] {
            before = found;
            found = Find(program, kind, title);
            if (found && before && SameRect(found->rect, before->rect))
                return true;
            RunUntil([] { return false; }, 200);
            return false;
        }, limitMs);
        return found && before && SameRect(found->rect, before->rect) ? found : std::nullopt;
    }
    // The document window's playback slider (the only slider wider than 60 pixels).
    std::optional<Entry> PlaybackSlider(const Program& program)
    {
        for (Entry& entry : ReadReport(program.Report()))
            if (entry.kind == "control" && entry.fields.at(0) == "slider" && entry.rect.width > 60)
                return entry;
        return std::nullopt;
    }
    // A normal click on a menu title of the bar, then on the item.
    void Choose(const Program& program, const std::string& menu, const std::string& item)
    {
        const std::optional<Entry> title = Await(program, "bar", menu);
        ASSERT_TRUE(title) << "no menu " << menu;
        fX.Click(title->Middle());
        const std::optional<Entry> row = Await(program, "item", item, 3000);
        ASSERT_TRUE(row) << menu << " shows no " << item;
        fX.Click(row->Middle());
    }
};

// A recording of the generic sound type: its first line names the type.
std::string WriteSoundRecording(const std::string& folder, int seconds)
{
    const std::string path = folder + "/take.tks";
    std::ofstream out(path, std::ios::binary);
    out << "dn generic_sound\nsr 100\n";
    for (int i = 0; i < seconds * 100; ++i)
        out << std::hex << (0x8000 + (i % 200) * 64) << ' ' << (0x8000 - (i % 100) * 64) << '\n';
    return path;
}

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
    const std::string folder = ::testing::TempDir() + "sonalyx-report-take";
    std::filesystem::create_directories(folder);
    Program program(ProgramPath(), {WriteSoundRecording(folder, 60)});
    ASSERT_TRUE(program.Started());
    ASSERT_NO_FATAL_FAILURE(Choose(program, "File", "Data Server…"));
    const std::optional<Entry> box = Await(program, "control", "Server on");
    ASSERT_TRUE(box) << "the data server dialog did not open";
    ASSERT_EQ(box->fields.at(0), "check");
    EXPECT_EQ(box->fields.at(3), "0") << "the server starts off";
    EXPECT_TRUE(ListeningPorts(program.Pid()).empty());
    fX.Click(box->Middle());
    EXPECT_TRUE(RunUntil([&] {
        const std::optional<Entry> now = Find(program, "control", "Server on");
        return now && now->fields.at(3) == "1";
    })) << "the normal click did not check the box";
    const std::optional<Entry> ok = Find(program, "control", "OK");
    ASSERT_TRUE(ok);
    fX.Click(ok->Middle());
    EXPECT_TRUE(RunUntil([&] { return !Find(program, "control", "Server on"); })) << "OK did not close the dialog";

    std::vector<uint16_t> ports;
    ASSERT_TRUE(RunUntil([&] { return !(ports = ListeningPorts(program.Pid())).empty(); })) << "nothing listens";
    const int client = ConnectTo(ports.front());
    ASSERT_GE(client, 0);
    const std::string got = Receive(client, 4000, 5000);
    close(client);
    std::filesystem::remove_all(folder);
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
    // Adds a fader from the Faders menu; its output list shows "None".
    std::optional<Entry> AddFader(const Program& program)
    {
        Choose(program, "Faders", "Add Fader");
        return Await(program, "control", "None");
    }
    // Datagrams until one to the address comes or the time is up; the last one read.
    std::string AwaitMessage(OscReceiver& receiver, const std::string& address, int limitMs = 5000)
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
};

} // namespace

TEST_F(FaderEditor, AFaderSetToOscByMouseSendsItsLevelsToTheOscPort)
{
    OscReceiver receiver(kOscPort);
    if (receiver.Port() == 0)
        GTEST_SKIP() << "the OSC port is taken";
    const std::string folder = ::testing::TempDir() + "sonalyx-report-take";
    std::filesystem::create_directories(folder);
    Program program(ProgramPath(), {WriteSoundRecording(folder, 60)});
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(Await(program, "bar", "File", 10000));
    const std::optional<Entry> output = AddFader(program);
    ASSERT_TRUE(output) << "no new fader with an output list";
    EXPECT_TRUE(AwaitMessage(receiver, kOscAddress, 600).empty()) << "OSC before the output is OSC";
    fX.Click(output->Middle());
    const std::optional<Entry> osc = Await(program, "item", "OSC", 3000);
    ASSERT_TRUE(osc) << "the output list did not open";
    fX.Click(osc->Middle());
    ASSERT_TRUE(Await(program, "control", "OSC")) << "OSC was not chosen";
    const std::string got = AwaitMessage(receiver, kOscAddress);
    std::filesystem::remove_all(folder);
    EXPECT_TRUE(IsFloatMessageTo(got, kOscAddress)) << got.size() << " bytes: " << got;
}

TEST_F(FaderEditor, AFaderSetToOscByKeyboardSendsItsLevelsToTheOscPort)
{
    OscReceiver receiver(kOscPort);
    if (receiver.Port() == 0)
        GTEST_SKIP() << "the OSC port is taken";
    const std::string folder = ::testing::TempDir() + "sonalyx-report-take";
    std::filesystem::create_directories(folder);
    Program program(ProgramPath(), {WriteSoundRecording(folder, 60)});
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(Await(program, "bar", "File", 10000));
    ASSERT_TRUE(AddFader(program)) << "no new fader with an output list";
    // A click in the fader's name puts the keyboard in its row; Tab goes round the row until the
    // output list has the focus ring, Space opens it, typing selects, Return chooses.
    const std::optional<Entry> type = Find(program, "control", "Band sum");
    ASSERT_TRUE(type);
    fX.Click({type->rect.x - 80, type->rect.y + type->rect.height / 2});
    bool focused = false;
    for (int i = 0; i < 20 && !focused; ++i) {
        fX.Tap("Tab");
        RunUntil([] { return false; }, 60);
        const std::optional<Entry> now = Find(program, "control", "None");
        focused = now && now->fields.at(2) == "1";
    }
    ASSERT_TRUE(focused) << "Tab never reached the output list";
    fX.Tap("space");
    ASSERT_TRUE(Await(program, "item", "OSC", 3000)) << "Space did not open the list";
    fX.Tap("O", {"Shift_L"});
    fX.Tap("Return");
    ASSERT_TRUE(Await(program, "control", "OSC")) << "OSC was not chosen";
    const std::string got = AwaitMessage(receiver, kOscAddress);
    std::filesystem::remove_all(folder);
    EXPECT_TRUE(IsFloatMessageTo(got, kOscAddress)) << got.size() << " bytes: " << got;
}

TEST_F(ProgramReport, ThePlaybackKnobDraggedToTheMiddleShowsTheMiddleOfTheRecording)
{
    const std::string folder = ::testing::TempDir() + "sonalyx-report-take";
    std::filesystem::create_directories(folder);
    // A minute: while the slider is wider than 60 pixels its value is the position in seconds.
    Program program(ProgramPath(), {WriteSoundRecording(folder, 60)});
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(Await(program, "bar", "File", 10000)) << "the window did not show";
    const std::optional<Entry> knob = PlaybackSlider(program);
    ASSERT_TRUE(knob) << "no playback slider";
    const plat::Rect track = knob->rect;
    const double value = std::stod(knob->fields.at(3));
    const double half = track.height / 2; // the knob is about as wide as the track is high
    const plat::Point from{track.x + half + (track.width - 2 * half) * value / 60.0, track.y + track.height / 2};
    const plat::Point to{track.x + track.width / 2, from.y};
    fX.Drag(from, {}, to);
    std::optional<Entry> after;
    EXPECT_TRUE(RunUntil([&] {
        after = PlaybackSlider(program);
        return after && std::abs(std::stod(after->fields.at(3)) - 30) <= 2;
    }, 3000)) << "the knob shows " << (after ? after->fields.at(3) : "nothing") << " s of 60";
    // Released in the middle, it stays there: the drag stopped the playback.
    RunUntil([] { return false; }, 1500);
    after = PlaybackSlider(program);
    ASSERT_TRUE(after);
    EXPECT_NEAR(std::stod(after->fields.at(3)), 30, 2);
    std::filesystem::remove_all(folder);
}

namespace {

bool Inside(const plat::Rect& inner, const plat::Rect& outer)
{
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

int Luma(uint32_t pixel)
{
    return int(((pixel >> 16) & 0xFF) * 3 + ((pixel >> 8) & 0xFF) * 6 + (pixel & 0xFF)) / 10;
}

// The runs of white pixels at least `least` long on a one-pixel line of the screen, as
// [first, end) columns of the line, each with a drawn edge on both sides.
std::vector<std::pair<int, int>> WhiteRuns(const plat::Bitmap& line, int least)
{
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < line.Width();) {
        if ((line.Pixel(x, 0) & 0xFFFFFF) != 0xFFFFFF) {
            ++x;
            continue;
        }
        const int first = x;
        while (x < line.Width() && (line.Pixel(x, 0) & 0xFFFFFF) == 0xFFFFFF)
            ++x;
        if (x - first >= least && first > 0 && x < line.Width())
            runs.emplace_back(first, x);
    }
    return runs;
}

} // namespace

TEST_F(FaderEditor, AFaderRowAddedInTheDefaultWindowShowsWholeOrCanBeScrolledTo)
{
    Program program(ProgramPath(), {});
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(Await(program, "bar", "Faders", 10000));
    ASSERT_TRUE(AddFader(program)) << "no new fader with an output list";
    const std::optional<Entry> window = Find(program, "window", "untitled.snx -Sonalyx");
    const std::optional<Entry> type = Await(program, "control", "Band sum");
    const std::optional<Entry> output = Await(program, "control", "None");
    ASSERT_TRUE(window && type && output);
    // The fader list shows its rows left of its scroller, over the scroller's height.
    std::optional<Entry> scroller;
    for (Entry& entry : ReadReport(program.Report()))
        if (entry.kind == "control" && entry.fields.at(0) == "scroller")
            scroller = entry;
    ASSERT_TRUE(scroller) << "the fader list has no scroller";
    // The list scrolls only up and down: across, its rows must fit.
    const plat::Rect shown{window->rect.x, scroller->rect.y, scroller->rect.x - window->rect.x, scroller->rect.height};
    const bool scrolls = scroller->fields.at(1) == "1";
    for (const Entry* popup : {&*type, &*output}) {
        const plat::Rect& r = popup->rect;
        EXPECT_TRUE(r.x >= shown.x && r.x + r.width <= shown.x + shown.width)
            << popup->title << " spans " << r.x << "-" << r.x + r.width << " of the list's " << shown.x << "-"
            << shown.x + shown.width;
        EXPECT_TRUE(Inside(r, shown) || scrolls)
            << popup->title << " at " << r.y << "-" << r.y + r.height << " outside the list's " << shown.y << "-"
            << shown.y + shown.height << " that does not scroll";
    }
    // On the screen both lists end alike, with their arrows.
    std::vector<plat::Bitmap> ends;
    for (const Entry* popup : {&*type, &*output})
        ends.push_back(fX.Grab(plat::Rect{popup->rect.x + popup->rect.width - 20, popup->rect.y, 20, popup->rect.height}));
    int dark = 0, differ = 0;
    for (int y = 0; y < ends[0].Height(); ++y)
        for (int x = 0; x < ends[0].Width(); ++x) {
            dark += Luma(ends[0].Pixel(x, y)) < 90;
            differ += (ends[0].Pixel(x, y) & 0xFFFFFF) != (ends[1].Pixel(x, y) & 0xFFFFFF);
        }
    EXPECT_GE(dark, 6) << "no arrow at the end of the source type list";
    EXPECT_EQ(differ, 0) << "the output list's end differs from the type list's on the screen";
    // The row's eight number and text fields (name, channel, band, input and output ranges),
    // each white inside its frame, all wholly left of the output list.
    const double lineY = type->rect.y + type->rect.height - 4;
    const plat::Bitmap line = fX.Grab(plat::Rect{window->rect.x, lineY, output->rect.x - window->rect.x, 1});
    const std::vector<std::pair<int, int>> fields = WhiteRuns(line, 12);
    std::string found;
    for (const auto& [first, end] : fields)
        found += " " + std::to_string(first) + "-" + std::to_string(end);
    EXPECT_EQ(fields.size(), 8u) << "white fields on the row's line at:" << found;
}
