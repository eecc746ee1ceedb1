#include "tests/display/ProgramReport.h"

#include "controls/panels/CFileListPane.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <set>
#include <sstream>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

bool SameRect(const plat::Rect& a, const plat::Rect& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

} // namespace

void ProgramReport::StartOnRecording(int seconds)
{
    const std::string path = fHome.Folder() + "/take.tks";
    {
        std::ofstream out(path, std::ios::binary);
        out << "dn generic_sound\nsr 100\n"; // the first line names the type
        for (int i = 0; i < seconds * 100; ++i)
            out << std::hex << (0x8000 + (i % 200) * 64) << ' ' << (0x8000 - (i % 100) * 64) << '\n';
    }
    Start({path});
}

void ProgramReport::Start(const std::vector<std::string>& files, const std::vector<std::string>& environment)
{
    fProgram = std::make_unique<ProgramProcess>(fHome, files, environment);
    ASSERT_TRUE(fProgram->Started());
    ASSERT_TRUE(Await(ShownPart::BarTitle, "File", 10000)) << "the window did not show";
}

std::optional<Shown> ProgramReport::Find(ShownPart part, const std::string& title)
{
    return FindShown(ReadShownWindows(fHome.Report()), part, title);
}

std::optional<Shown> ProgramReport::Await(ShownPart part, const std::string& title, int limitMs)
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

std::optional<ShownWindow> ProgramReport::FrontWindow()
{
    const std::vector<ShownWindow> windows = ReadShownWindows(fHome.Report());
    if (windows.empty())
        return std::nullopt;
    return windows.front();
}

bool ProgramReport::KeyWindowShownActive(std::string* seen)
{
    std::string key, active, focus;
    const bool same = RunUntil([&] {
        key.clear();
        for (const ShownWindow& window : ReadShownWindows(fHome.Report()))
            if (window.key)
                key = window.title;
        active = fX.ActiveTitle();
        focus = fX.FocusTitle();
        return !key.empty() && key == active && key == focus;
    }, 3000);
    if (seen)
        *seen = "key " + key + ", shown active " + active + ", keyboard " + focus;
    return same;
}

std::optional<Shown> ProgramReport::PlaybackSlider()
{
    for (const ShownWindow& w : ReadShownWindows(fHome.Report()))
        for (const Shown& control : w.controls)
            if (control.kind == "slider" && control.rect.width > 60)
                return control;
    return std::nullopt;
}

void ProgramReport::Choose(const std::string& menu, const std::string& item)
{
    const std::optional<Shown> title = Await(ShownPart::BarTitle, menu);
    ASSERT_TRUE(title) << "no menu " << menu;
    fX.Click(title->Middle());
    const std::optional<Shown> row = Await(ShownPart::Row, item, 3000);
    ASSERT_TRUE(row) << menu << " shows no " << item;
    fX.Click(row->Middle());
}

std::optional<Shown> ProgramReport::ChooseInList(const std::string& shown, const std::string& row)
{
    const std::optional<Shown> list = Find(ShownPart::Control, shown);
    if (!list)
        return std::nullopt;
    fX.Click(list->Middle());
    const std::optional<Shown> item = Await(ShownPart::Row, row, 3000);
    if (!item)
        return std::nullopt;
    fX.Click(item->Middle());
    return Await(ShownPart::Control, row);
}

void ProgramReport::OpenFontPanelFor(int row)
{
    ASSERT_NO_FATAL_FAILURE(Choose("Sonalyx", "View Fonts…"));
    std::optional<ShownWindow> fonts;
    ASSERT_TRUE(RunUntil([&] { return (fonts = FrontWindow()) && fonts->title == "View Fonts"; }, 3000))
        << "View Fonts did not open";
    // The window holds the list of the four kinds, one row under another; the font slot is the
    // right part of a row.
    const double rowHeight = fonts->rect.height / 4;
    fX.Click({fonts->rect.x + fonts->rect.width - 40, fonts->rect.y + fonts->rect.height - rowHeight * (row + 0.5)});
    ASSERT_TRUE(RunUntil([&] { return (fonts = FrontWindow()) && fonts->title == "Fonts"; }, 3000))
        << "the font panel did not open";
}

void ProgramReport::ChooseSource(const std::string& row)
{
    ClickButton("Source…");
    ASSERT_TRUE(Await(ShownPart::Control, "Cancel")) << "the source chooser did not open";
    std::string seen;
    EXPECT_TRUE(KeyWindowShownActive(&seen)) << "the source chooser: " << seen;
    const std::optional<ShownWindow> chooser = FrontWindow();
    ASSERT_TRUE(chooser);
    const std::optional<Shown> list = LastControl(*chooser, "popup");
    ASSERT_TRUE(list) << "the chooser shows no list";
    fX.Click(list->Middle());
    const std::optional<Shown> item = Await(ShownPart::Row, row, 3000);
    ASSERT_TRUE(item) << "the list shows no " << row;
    fX.Click(item->Middle());
    ASSERT_TRUE(Await(ShownPart::Control, row)) << row << " was not chosen";
    ClickButton("OK");
}

void ProgramReport::TypeAddress(const std::string& address)
{
    // The dialog offers the address given last, or an example, selected for typing over.
    std::optional<Shown> field;
    ASSERT_TRUE(RunUntil([&] {
        const std::optional<ShownWindow> front = FrontWindow();
        field.reset();
        if (front && front->modal)
            for (const Shown& shown : front->fields)
                if (shown.focused && shown.title.find("127.0.0.1:") == 0)
                    field = shown;
        return field.has_value();
    })) << "the address dialog did not open with its address being edited";
    std::string seen;
    EXPECT_TRUE(KeyWindowShownActive(&seen)) << "the address dialog: " << seen;
    fX.Type(address); // replaces the selected text
    ASSERT_TRUE(Await(ShownPart::Field, address)) << "the typed address is not shown";
    ClickButton("OK");
    ASSERT_TRUE(RunUntil([&] { return !Find(ShownPart::Field, address); })) << "the dialog stayed";
}

void ProgramReport::ClickButton(const std::string& title)
{
    const std::optional<Shown> button = Await(ShownPart::Control, title);
    ASSERT_TRUE(button) << "no button " << title;
    fX.Click(button->Middle());
}

std::optional<plat::Point> ProgramReport::FilePanelRow(int row)
{
    // The list begins the panel's spacing under the Up button, at the left of the box.
    constexpr double kSpacing = 10;
    const std::optional<ShownWindow> front = FrontWindow();
    const std::optional<Shown> up = front ? FindShown({*front}, ShownPart::Control, "Up") : std::nullopt;
    const std::optional<Shown> box = front ? FindShown({*front}, ShownPart::Control, "Show hidden files") : std::nullopt;
    if (!up || !box)
        return std::nullopt;
    const double top = up->rect.y - kSpacing - CFileListPane::kHeaderHeight;
    return plat::Point{box->rect.x + 40, top - (row + 0.5) * CRowListPane::kRowHeight};
}

uint16_t ProgramReport::StartDataServer()
{
    Choose("File", "Data Server…");
    const std::optional<Shown> box = Await(ShownPart::Control, "Server on");
    EXPECT_TRUE(box) << "the data server dialog did not open";
    if (!box)
        return 0;
    EXPECT_EQ(box->kind, "check");
    EXPECT_EQ(box->state, 0) << "the server starts off";
    EXPECT_TRUE(ListeningPorts(fProgram->Pid()).empty());
    // The port field has the keyboard when the dialog opens: a click in it, everything in it
    // selected, the port typed, and Return, whose first press only takes the number.
    const uint16_t port = porttest::FreePort();
    EXPECT_NE(port, 0) << "no free port";
    const std::optional<ShownWindow> front = FrontWindow();
    const auto field = front ? std::find_if(front->fields.begin(), front->fields.end(), [](const Shown& f) { return f.enabled; })
                             : std::vector<Shown>::const_iterator();
    EXPECT_TRUE(front && field != front->fields.end()) << "the data server dialog shows no port field";
    if (!front || field == front->fields.end())
        return 0;
    fX.Click(field->Middle());
    fX.Tap("a", {"Control_L"});
    fX.Type(std::to_string(port));
    fX.Tap("Return");
    EXPECT_TRUE(Await(ShownPart::Field, std::to_string(port), 3000)) << "the port was not typed";
    EXPECT_TRUE(Find(ShownPart::Control, "Server on")) << "the first Return closed the dialog";
    fX.Click(box->Middle());
    EXPECT_TRUE(RunUntil([&] {
        const std::optional<Shown> now = Find(ShownPart::Control, "Server on");
        return now && now->state == 1;
    })) << "the normal click did not check the box";
    ClickButton("OK");
    EXPECT_TRUE(RunUntil([&] { return !Find(ShownPart::Control, "Server on"); })) << "OK did not close the dialog";
    std::vector<uint16_t> ports;
    EXPECT_TRUE(RunUntil([&] { return !(ports = ListeningPorts(fProgram->Pid())).empty(); })) << "nothing listens";
    EXPECT_EQ(ports, std::vector<uint16_t>{port}) << "the server does not listen on the port typed";
    return ports.empty() ? 0 : ports.front();
}


std::string ProgramReport::ServedText(size_t enough, int limitMs)
{
    const uint16_t port = StartDataServer();
    const int client = port != 0 ? porttest::ConnectLoopback(port) : -1;
    EXPECT_GE(client, 0) << "the data server took no client";
    if (client < 0)
        return {};
    std::string got = Receive(client, enough, limitMs);
    close(client);
    return got;
}

LineDevice::LineDevice() : fListener(porttest::ListenLoopback(fPort))
{
    fThread = std::thread([this] { Serve(); });
}

LineDevice::~LineDevice()
{
    HangUp();
    close(fListener);
}

void LineDevice::HangUp()
{
    fStop = true;
    if (fThread.joinable())
        fThread.join();
}

void LineDevice::Serve()
{
    int peer = -1;
    while (!fStop && peer < 0) {
        pollfd p{fListener, POLLIN, 0};
        if (poll(&p, 1, 50) > 0)
            peer = accept4(fListener, nullptr, nullptr, SOCK_CLOEXEC);
    }
    if (peer < 0)
        return;
    fConnected = true;
    const std::string head = "dn generic_sound\rsr 1000\r";
    bool ok = send(peer, head.data(), head.size(), MSG_NOSIGNAL) == ssize_t(head.size());
    std::string lines;
    for (int i = 0; i < 10; ++i)
        lines += i % 2 ? "9000 7000\r" : "7000 9000\r";
    while (ok && !fStop) {
        ok = send(peer, lines.data(), lines.size(), MSG_NOSIGNAL) == ssize_t(lines.size());
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    close(peer);
}

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

std::string FileContents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool SamePixels(const plat::Bitmap& a, const plat::Bitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if ((a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF))
                return false;
    return true;
}

int Luma(uint32_t pixel)
{
    return int(((pixel >> 16) & 0xFF) * 3 + ((pixel >> 8) & 0xFF) * 6 + (pixel & 0xFF)) / 10;
}

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

int DividerBarRow(const plat::Bitmap& column)
{
    constexpr int kBar[] = {255, 192, 192, 192, 128};
    for (int y = 0; y + 5 <= column.Height(); ++y) {
        int same = 0;
        while (same < 5 && Luma(column.Pixel(0, y + same)) == kBar[same])
            ++same;
        if (same == 5)
            return y + 2;
    }
    return -1;
}

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
