// Whole-program scenarios of documents: a recording played by an untitled document, a
// document whose window record plays a recording, serves its samples and sends a fader over
// OSC, quitting on SIGTERM with the documents reopened at the next start, and a second launch
// handing its file to the running program.
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "analysis/window/DocumentWriter.h"
#include "foundation/records/CParamSet.h"
#include "foundation/records/LObject.h"
#include "outputs/faders/CFaderOut.h"
#include "platform/prefs/Preferences.h"
#include "shell/CPrefs.h"
#include "shell/files/FileUrls.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/e2e/ScenePrefs.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Raw values of channel 0, each held for kStepLines lines at kRate lines per second; channel
// 1 stays at 0x80. With the type "telk" (8 bits) a time-domain fader shows raw / 256.
constexpr uint32_t kRate = 100;
constexpr int kStepLines = 100;
const std::vector<int> kSteps = {0x40, 0x80, 0xc0, 0x20};
const std::vector<std::string> kStepFloats = {"3e800000", "3f000000", "3f400000", "3e000000"}; // 0.25 0.5 0.75 0.125

// One scenario's own home, preferences, runtime and temporary folders.
class Scene {
public:
    Scene()
    {
        std::string pattern = (fs::temp_directory_path() / "scene-XXXXXX").string();
        root = mkdtemp(pattern.data());
        for (const char* sub : {"home/.config/sonalyx", "home/Documents", "run", "tmp"})
            fs::create_directories(root + "/" + sub);
        fs::permissions(root + "/run", fs::perms::owner_all);
    }
    ~Scene() { fs::remove_all(root); }

    std::vector<std::string> Env() const
    {
        return {"HOME=" + root + "/home", "XDG_CONFIG_HOME=" + root + "/home/.config",
                "XDG_DOCUMENTS_DIR=" + root + "/home/Documents", "XDG_RUNTIME_DIR=" + root + "/run",
                "TMPDIR=" + root + "/tmp", "SONALYX_HEADLESS=1"};
    }
    std::string PrefsFile() const { return root + "/home/.config/sonalyx/sonalyx.plist"; }

    // The recording of the steps in the text line protocol.
    std::string WriteRecording() const
    {
        const std::string path = root + "/steps.tks";
        std::ofstream out(path);
        out << "dn telk\nfr 0.5\nsr " << kRate << "\n";
        for (int value : kSteps)
            for (int i = 0; i < kStepLines; ++i)
                out << std::hex << value << " 80\n";
        return path;
    }

    std::string root;
};

void SavePrefs(CAppPrefs& prefs, const Scene& scene) { SavePrefsTo(prefs, scene.PrefsFile()); }
void LoadPrefs(CAppPrefs& prefs, const Scene& scene) { LoadPrefsFrom(prefs, scene.PrefsFile()); }

// A document of two channels with one time-domain fader on channel 0 that sends OSC to a
// loopback port.
std::string WriteDocument(const Scene& scene, uint16_t oscPort)
{
    CFaderSetRecord document;
    ResizeChannelRecords(document.Root(), nullptr, 2);
    LObject::SetByte(document.Common(), nullptr, kComnCtdc, 0, LObject::Merge::No);
    LObject* fader = document.Fader(document.AppendFader(nullptr));
    LObject::SetByte(fader, nullptr, kFadrStyp, 4, LObject::Merge::No);
    LObject::SetByte(fader, nullptr, kFadrSchn, 0, LObject::Merge::No);
    LObject::SetByte(fader, nullptr, kFadrFtyp, kFaderOsc, LObject::Merge::No);
    CParamSet::SetValue(fader->GetChild(kFadrCprm), nullptr, "opt", LStringRef(std::to_string(oscPort)));
    CParamSet::SetValue(fader->GetChild(kFadrCprm), nullptr, "oad", LStringRef("/snx"));
    const std::string path = scene.root + "/show.snx";
    EXPECT_TRUE(WriteDocumentFile(path, document.Root()));
    return path;
}

// The document's window record: it plays the recording and serves its samples on `port`.
void WriteWindowRecord(const Scene& scene, const std::string& document, const std::string& recording, uint16_t port)
{
    CAppPrefs prefs;
    LObject* record = prefs.AddDocument();
    LObject::SetFilePath(record, nullptr, kWindDcfl, UrlFromPosixPath(document));
    LObject::SetFilePath(record, nullptr, kWindLgfl, UrlFromPosixPath(recording));
    LObject::SetByte(record, nullptr, kWindLsrc, 2, LObject::Merge::No);
    LObject::SetByte(record, nullptr, kWindSvus, 1, LObject::Merge::No);
    LObject::SetUInt(record, nullptr, kWindSvpt, port, LObject::Merge::No);
    SavePrefs(prefs, scene);
}

uint16_t FreeTcpPort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

// Connects to the data server, trying again while the program starts; -1 after `seconds`.
int ConnectToServer(uint16_t port, int seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
            return fd;
        close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
}

// Reads the server's text until `seconds` pass or the connection ends.
std::string ReadFor(int fd, int seconds)
{
    timeval wait{0, 200000};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    char buffer[4096];
    while (std::chrono::steady_clock::now() < deadline) {
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n == 0)
            break;
        if (n > 0)
            text.append(buffer, size_t(n));
    }
    return text;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        parts.push_back(part);
    return parts;
}

// Whether `items` follow `cycle` over and over, starting at any of its entries.
::testing::AssertionResult FollowsCycle(const std::vector<std::string>& items, const std::vector<std::string>& cycle)
{
    if (items.empty())
        return ::testing::AssertionFailure() << "nothing arrived";
    const auto first = std::find(cycle.begin(), cycle.end(), items.front());
    if (first == cycle.end())
        return ::testing::AssertionFailure() << "begins with " << items.front();
    const size_t offset = size_t(first - cycle.begin());
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] != cycle[(offset + i) % cycle.size()])
            return ::testing::AssertionFailure() << "entry " << i << " is " << items[i];
    return ::testing::AssertionSuccess();
}

// Whether `items` hold one whole pass of `cycle` in order, with only entries of the cycle
// around it. A starved main thread may render late, so what comes before or after a whole pass
// may miss steps; a whole pass must not.
::testing::AssertionResult HoldsAWholePass(const std::vector<std::string>& items, const std::vector<std::string>& cycle)
{
    for (const std::string& item : items)
        if (std::find(cycle.begin(), cycle.end(), item) == cycle.end())
            return ::testing::AssertionFailure() << item << " is no step";
    if (std::search(items.begin(), items.end(), cycle.begin(), cycle.end()) == items.end())
        return ::testing::AssertionFailure() << "no whole pass among " << items.size() << " values";
    return ::testing::AssertionSuccess();
}

// Runs of equal neighbours folded into one.
std::vector<std::string> Folded(const std::vector<std::string>& items)
{
    std::vector<std::string> folded;
    for (const std::string& item : items)
        if (folded.empty() || folded.back() != item)
            folded.push_back(item);
    return folded;
}

// An independent receiver of the OSC datagrams: a python3 process on a loopback UDP port that
// prints each datagram as hex for `seconds`.
class DatagramLog {
public:
    DatagramLog(const Scene& scene, int seconds)
    {
        const std::string script = scene.root + "/udp_log.py";
        std::ofstream(script) << R"PY(
import socket, sys, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(('127.0.0.1', 0))
print(s.getsockname()[1], flush=True)
end = time.monotonic() + float(sys.argv[1])
while time.monotonic() < end:
    s.settimeout(max(0.01, end - time.monotonic()))
    try:
        data, _ = s.recvfrom(65536)
        print(data.hex(), flush=True)
    except socket.timeout:
        pass
)PY";
        fPipe = popen(("python3 " + script + " " + std::to_string(seconds)).c_str(), "r");
        port = uint16_t(std::atoi(Line().c_str()));
    }
    ~DatagramLog()
    {
        if (fPipe)
            pclose(fPipe);
    }
    std::vector<std::string> Finish()
    {
        std::vector<std::string> lines;
        for (std::string line = Line(); !line.empty(); line = Line())
            lines.push_back(line);
        pclose(fPipe);
        fPipe = nullptr;
        return lines;
    }

    uint16_t port = 0;

private:
    std::string Line()
    {
        char line[1024];
        if (!fPipe || !std::fgets(line, sizeof line, fPipe))
            return {};
        std::string text(line);
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text;
    }
    FILE* fPipe = nullptr;
};

// Ends a run with SIGTERM and expects a clean exit.
void Terminate(ProgramRun& run, const std::string& expectedError = "")
{
    ASSERT_EQ(kill(run.pid, SIGTERM), 0);
    int status = 0;
    ASSERT_TRUE(run.WaitExit(30, status)) << "no quit within 30 s of SIGTERM";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(run.ErrorText(), expectedError);
}

class DocumentRun : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(access(ProgramPath().c_str(), X_OK), 0) << "build the program first"; }
    Scene scene;
};

} // namespace

TEST_F(DocumentRun, ARecordingAloneOpensAnUntitledDocumentThatPlaysIt)
{
    const std::string recording = scene.WriteRecording();
    {
        ProgramRun run(scene.Env(), {recording});
        ASSERT_TRUE(run.started);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        Terminate(run);
    }
    CAppPrefs prefs;
    LoadPrefs(prefs, scene);
    ASSERT_EQ(prefs.Root()->GetArrayCount(kPrefDocs), 1u);
    LObject* record = prefs.Root()->GetChild(kPrefDocs, 0);
    EXPECT_EQ(record->GetByte(kWindLsop), 1);
    EXPECT_EQ(record->GetByte(kWindLsrc), 2) << "the window plays its record file";
    EXPECT_EQ(std::string(PosixPathFromUrl(record->GetString(kWindLgfl).View()).View()), recording);
}

TEST_F(DocumentRun, ADocumentPlaysItsRecordingServesItsSamplesAndSendsItsFaderOverOsc)
{
    DatagramLog osc(scene, 12); // two passes of the recording
    ASSERT_NE(osc.port, 0);
    const uint16_t serverPort = FreeTcpPort();
    const std::string recording = scene.WriteRecording();
    const std::string document = WriteDocument(scene, osc.port);
    WriteWindowRecord(scene, document, recording, serverPort);

    ProgramRun run(scene.Env(), {document});
    ASSERT_TRUE(run.started);
    const int client = ConnectToServer(serverPort, 10);
    ASSERT_GE(client, 0) << "the data server did not start";
    const std::string served = ReadFor(client, 5);
    close(client);
    const std::vector<std::string> datagrams = osc.Finish();
    Terminate(run);

    // Each datagram: "/snx" padded to 8 bytes, ",f" padded to 4, a big-endian float.
    std::vector<std::string> values;
    for (const std::string& hex : datagrams) {
        ASSERT_EQ(hex.size(), 32u) << hex;
        EXPECT_EQ(hex.substr(0, 24), "2f736e78000000002c660000") << hex;
        values.push_back(hex.substr(24));
    }
    // The recording plays from its start and loops after a pause: the values follow its steps.
    std::vector<std::string> foldedValues = Folded(values);
    // NOTE: the analysis that follows the recording's header lines runs the OSC pass once
    // before the first sample, sending the fader's initial 0.0.
    if (!foldedValues.empty() && foldedValues.front() == "00000000")
        foldedValues.erase(foldedValues.begin());
    EXPECT_TRUE(HoldsAWholePass(foldedValues, kStepFloats));

    // The server announces the stream, then one line per frame in two hex digits per value.
    const std::vector<std::string> lines = Split(served, '\r');
    ASSERT_GE(lines.size(), 4u) << served;
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
              (std::vector<std::string>{"dn telk", "sr 100", "fr 0.5"}));
    std::vector<std::string> expectedFrames;
    for (int value : kSteps) {
        char line[8];
        std::snprintf(line, sizeof line, "%02x\t80", value);
        expectedFrames.push_back(line);
    }
    // The client may join after the first step began.
    EXPECT_TRUE(FollowsCycle(Folded(std::vector<std::string>(lines.begin() + 3, lines.end())), expectedFrames));
}

TEST_F(DocumentRun, SigtermQuitsWithStatusZeroAndTheDocumentsReopenAtTheNextStart)
{
    const uint16_t serverPort = FreeTcpPort();
    const std::string document = WriteDocument(scene, FreeTcpPort());
    WriteWindowRecord(scene, document, scene.WriteRecording(), serverPort);
    const auto before = fs::last_write_time(scene.PrefsFile());
    {
        ProgramRun run(scene.Env(), {document});
        const int client = ConnectToServer(serverPort, 10);
        ASSERT_GE(client, 0) << "the document did not open";
        close(client);
        Terminate(run);
    }
    EXPECT_NE(fs::last_write_time(scene.PrefsFile()), before) << "preferences written";
    {
        ProgramRun run(scene.Env());
        const int client = ConnectToServer(serverPort, 10);
        EXPECT_GE(client, 0) << "the document did not reopen";
        close(client);
        Terminate(run);
    }
    CAppPrefs prefs;
    LoadPrefs(prefs, scene);
    ASSERT_EQ(prefs.Root()->GetArrayCount(kPrefDocs), 1u) << "no untitled document was needed";
    LObject* record = prefs.Root()->GetChild(kPrefDocs, 0);
    EXPECT_EQ(record->GetByte(kWindLsop), 1);
    EXPECT_EQ(std::string(PosixPathFromUrl(record->GetString(kWindDcfl).View()).View()), document);
}

TEST_F(DocumentRun, ASecondLaunchHandsItsFileToTheRunningProgram)
{
    const uint16_t serverPort = FreeTcpPort();
    const std::string document = WriteDocument(scene, FreeTcpPort());
    WriteWindowRecord(scene, document, scene.WriteRecording(), serverPort);
    ProgramRun first(scene.Env());
    const std::string socketPath = scene.root + "/run/sonalyx.socket";
    for (int i = 0; i < 500 && !fs::exists(socketPath); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(fs::exists(socketPath)) << "the first program does not listen";
    {
        ProgramRun second(scene.Env(), {document});
        int status = 0;
        ASSERT_TRUE(second.WaitExit(20, status)) << "the second launch keeps running";
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_EQ(second.ErrorText(), "");
    }
    const int client = ConnectToServer(serverPort, 10);
    EXPECT_GE(client, 0) << "the running program did not open the file";
    close(client);
    Terminate(first);
    EXPECT_FALSE(fs::exists(socketPath)) << "the socket goes with its program";
    CAppPrefs prefs;
    LoadPrefs(prefs, scene);
    ASSERT_EQ(prefs.Root()->GetArrayCount(kPrefDocs), 2u) << "the document and the untitled one of the launch";
    EXPECT_EQ(prefs.Root()->GetChild(kPrefDocs, 0)->GetByte(kWindLsop), 1);
    EXPECT_EQ(prefs.Root()->GetChild(kPrefDocs, 1)->GetByte(kWindLsop), 1);
}
