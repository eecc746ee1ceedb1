// Whole-program scenarios of files that are not what they seem: pipes, devices, folders,
// empty, damaged and missing files named on the command line or handed over by a second
// launch, a failed reopen at start, a recording and a band file of a window record that are
// pipes, a recording of one endless line, and preferences that cannot be saved.
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "analysis/window/DocumentWriter.h"
#include "foundation/records/LObject.h"
#include "shell/files/FileUrls.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/e2e/ScenePrefs.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

// A home, runtime and temporary folder of the scenario's own.
class BadFilesRun : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(access(ProgramPath().c_str(), X_OK), 0) << "build the program first";
        std::string pattern = (fs::temp_directory_path() / "badfiles-XXXXXX").string();
        fRoot = mkdtemp(pattern.data());
        for (const char* sub : {"home/.config/sonalyx", "home/Documents", "run", "tmp", "files"})
            fs::create_directories(fRoot + "/" + sub);
        fs::permissions(fRoot + "/run", fs::perms::owner_all);
    }
    void TearDown() override { fs::remove_all(fRoot); }

    std::vector<std::string> Env() const
    {
        return {"HOME=" + fRoot + "/home", "XDG_CONFIG_HOME=" + fRoot + "/home/.config",
                "XDG_DOCUMENTS_DIR=" + fRoot + "/home/Documents", "XDG_RUNTIME_DIR=" + fRoot + "/run",
                "TMPDIR=" + fRoot + "/tmp"};
    }
    std::string File(const std::string& name) const { return fRoot + "/files/" + name; }
    std::string PrefsFile() const { return fRoot + "/home/.config/sonalyx/sonalyx.plist"; }
    std::string SocketPath() const { return fRoot + "/run/sonalyx.socket"; }

    // Waits until the program listens and its main loop answers a second launch: from then
    // on it takes termination signals as quit requests.
    void WaitUntilRunning() const
    {
        for (int i = 0; i < 500 && !fs::exists(SocketPath()); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(fs::exists(SocketPath())) << "the program does not listen";
        HandOver({});
    }

    // A second launch hands the files over and is answered.
    void HandOver(const std::vector<std::string>& files) const
    {
        ProgramRun second(Env(), files);
        int status = 0;
        ASSERT_TRUE(second.WaitExit(10, status)) << "the second launch was not answered";
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_EQ(second.ErrorText(), "");
    }

    // SIGTERM ends the run within 10 s, with status 0; its standard error.
    static std::string Terminate(ProgramRun& run)
    {
        EXPECT_EQ(kill(run.pid, SIGTERM), 0);
        int status = 0;
        if (!run.WaitExit(10, status)) {
            ADD_FAILURE() << "no quit within 10 s of SIGTERM";
            return {};
        }
        EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
        EXPECT_EQ(WEXITSTATUS(status), 0);
        return run.ErrorText();
    }

    // The window records of the saved preferences.
    std::vector<LObject*> WindowRecords(CAppPrefs& prefs) const
    {
        LoadPrefsFrom(prefs, PrefsFile());
        std::vector<LObject*> records;
        for (uint32_t i = 0; i < prefs.Root()->GetArrayCount(kPrefDocs); ++i)
            records.push_back(prefs.Root()->GetChild(kPrefDocs, i));
        return records;
    }

    std::string fRoot;
};

size_t Occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

struct BadFile {
    const char* name;
    const char* reason;
};

const BadFile kBadFiles[] = {
    {"pipe.snx", "it is a named pipe, not a file"},
    {"pipe.tks", "it is a named pipe, not a file"},
    {"random.snx", "it is a device, not a file"},
    {"random.tks", "it is a device, not a file"},
    {"folder.snx", "it is a folder"},
    {"empty.snx", "the file is empty"},
    {"noise.snx", "it is not a document this program can read"},
    {"missing.snx", "no such file"},
};

TEST_F(BadFilesRun, EveryRefusedOrUnreadableFileGetsOneLineAndNoWindowRecord)
{
    ASSERT_EQ(mkfifo(File("pipe.snx").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(File("pipe.tks").c_str(), 0600), 0);
    fs::create_symlink("/dev/urandom", File("random.snx"));
    fs::create_symlink("/dev/urandom", File("random.tks"));
    fs::create_directories(File("folder.snx"));
    std::ofstream(File("empty.snx")).close();
    {
        std::mt19937 random(33);
        std::ofstream noise(File("noise.snx"), std::ios::binary);
        for (int i = 0; i < 4096; ++i)
            noise.put(char(random()));
    }
    std::vector<std::string> files;
    for (const BadFile& bad : kBadFiles)
        files.push_back(File(bad.name));

    ProgramRun run(Env(), files);
    ASSERT_TRUE(run.started);
    WaitUntilRunning();
    HandOver(files);
    const std::string error = Terminate(run);
    for (const BadFile& bad : kBadFiles) {
        const std::string line = "sonalyx: cannot open " + File(bad.name) + ": " + bad.reason + "\n";
        EXPECT_EQ(Occurrences(error, line), 2u) << "once from the command line, once handed over: " << line << error;
    }
    EXPECT_EQ(Occurrences(error, "\n"), 2 * std::size(kBadFiles)) << error;
    CAppPrefs prefs;
    EXPECT_TRUE(WindowRecords(prefs).empty()) << "a failed open leaves no window record";
}

TEST_F(BadFilesRun, AFailedReopenAtStartIsToldOnceAndNotRepeated)
{
    const std::string document = File("gone.snx");
    {
        CAppPrefs prefs;
        LObject* record = prefs.AddDocument();
        LObject::SetFilePath(record, nullptr, kWindDcfl, UrlFromPosixPath(document));
        LObject::SetBool(record, nullptr, kWindLsop, true, LObject::Merge::No);
        SavePrefsTo(prefs, PrefsFile());
    }
    {
        ProgramRun run(Env());
        WaitUntilRunning();
        EXPECT_EQ(Terminate(run), "sonalyx: cannot open " + document + ": no such file\n");
    }
    {
        CAppPrefs prefs;
        const std::vector<LObject*> records = WindowRecords(prefs);
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(std::string(PosixPathFromUrl(records[0]->GetString(kWindDcfl).View()).View()), document)
            << "the record that existed stays";
        EXPECT_EQ(records[0]->GetByte(kWindLsop), 0);
    }
    ProgramRun again(Env());
    WaitUntilRunning();
    EXPECT_EQ(Terminate(again), "") << "the failure is not repeated at every start";
}

TEST_F(BadFilesRun, ARecordingAndABandFileOfAWindowRecordThatArePipesAreRefused)
{
    const std::string document = File("show.snx");
    {
        CFaderSetRecord contents;
        ASSERT_TRUE(WriteDocumentFile(document, contents.Root()));
    }
    ASSERT_EQ(mkfifo(File("pipe.tks").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(File("bands.txt").c_str(), 0600), 0);
    {
        CAppPrefs prefs;
        LObject* record = prefs.AddDocument();
        LObject::SetFilePath(record, nullptr, kWindDcfl, UrlFromPosixPath(document));
        LObject::SetFilePath(record, nullptr, kWindLgfl, UrlFromPosixPath(File("pipe.tks")));
        LObject::SetByte(record, nullptr, kWindLsrc, 2, LObject::Merge::No);   // plays the recording
        LObject::SetFilePath(record, nullptr, kWindFbfl, UrlFromPosixPath(File("bands.txt")));
        LObject::SetByte(record, nullptr, kWindFqmd, 2, LObject::Merge::No);   // bands from the file
        SavePrefsTo(prefs, PrefsFile());
    }
    ProgramRun run(Env(), {document});
    ASSERT_TRUE(run.started);
    WaitUntilRunning();
    EXPECT_EQ(Terminate(run), "sonalyx: cannot read the band file " + File("bands.txt") +
                                  ": it is a named pipe, not a file\n"
                                  "sonalyx: cannot play the recording " + File("pipe.tks") +
                                  ": it is a named pipe, not a file\n");
}

TEST_F(BadFilesRun, ARecordingOfOneEndlessLineOpensAndTheProgramStaysResponsive)
{
    const std::string endless = File("endless.tks");
    {
        std::ofstream out(endless, std::ios::binary);
        out << "dn telk\nsr 100\n";
        const std::string block(1 << 20, '7');
        for (int i = 0; i < 20; ++i)
            out << block;
    }
    const std::string small = File("small.tks");
    {
        std::ofstream out(small);
        out << "dn telk\nsr 100\n";
        for (int i = 0; i < 100; ++i)
            out << "10 20\n";
    }
    ProgramRun run(Env(), {endless});
    ASSERT_TRUE(run.started);
    WaitUntilRunning();
    HandOver({small});
    EXPECT_EQ(Terminate(run), "");
    CAppPrefs prefs;
    const std::vector<LObject*> records = WindowRecords(prefs);
    std::vector<std::string> playing;
    for (LObject* record : records)
        if (record->GetByte(kWindLsop))
            playing.push_back(std::string(PosixPathFromUrl(record->GetString(kWindLgfl).View()).View()));
    EXPECT_EQ(playing, (std::vector<std::string>{endless, small})) << "both windows opened";
}

TEST_F(BadFilesRun, PreferencesThatCannotBeSavedAtQuitKeepTheOldFileAndSaySo)
{
    {
        ProgramRun first(Env());
        WaitUntilRunning();
        EXPECT_EQ(Terminate(first), "");
    }
    const std::string before = [&] {
        std::ifstream in(PrefsFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    ASSERT_GT(before.size(), 512u);
    // The limit and the ignored signal pass to the program; this process writes nothing meanwhile.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ProgramRun run(Env());
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    ASSERT_TRUE(run.started);
    WaitUntilRunning();
    EXPECT_EQ(Terminate(run), "sonalyx: the settings could not be saved in " + PrefsFile() +
                                  "; it keeps the settings saved before\n");
    std::ifstream in(PrefsFile(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
    for (const auto& entry : fs::directory_iterator(fs::path(PrefsFile()).parent_path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp."), std::string::npos) << entry.path();
}

} // namespace
