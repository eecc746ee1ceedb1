// Temporary files of interrupted saves: a save locks its own while it writes; a leftover that
// matches the pattern exactly and can be locked goes, anything else stays.
#include "platform/files/AtomicReplace.h"
#include "platform/files/FileSystem.h"
#include "platform/prefs/AtomicFile.h"
#include "platform/prefs/Preferences.h"
#include "platform/values/Value.h"
#include "tests/foundation/TempFiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

class TempLeftovers : public testing::Test {
protected:
    std::set<std::string> Names() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(fFolder))
            names.insert(entry.path().filename().string());
        return names;
    }

    TempFolder fTemp{"temp-leftovers"};
    std::string fFolder = fTemp.Path();
    std::string fTarget = fFolder + "/show.snx";
};

TEST_F(TempLeftovers, OnlyUnlockedFilesOfTheExactPatternGo)
{
    const std::set<std::string> kept = {
        "show.snx",              // the document itself
        "show.snx.tmp-ABC",      // too short
        "show.snx.tmp-ABCDEFG",  // too long
        "show.snx.tmp-AB.DEF",   // not letters and digits
        "show.snx.tmp.ABCDEF",   // the preferences' marker, not the document's
        "other.snx.tmp-ABCDEF",  // another document's
        "show.snx.tmp-locked",   // a save in progress holds it
        "show.snx.tmp-folder",   // not a plain file
        "show.snx.tmp-linked",   // a link is not followed, nor removed
    };
    for (const std::string& name : kept)
        if (name != "show.snx.tmp-folder" && name != "show.snx.tmp-linked")
            WriteAll(fFolder + "/" + name, "keep");
    fs::create_directories(fFolder + "/show.snx.tmp-folder");
    fs::create_symlink(fFolder + "/other.snx.tmp-ABCDEF", fFolder + "/show.snx.tmp-linked");
    WriteAll(fFolder + "/show.snx.tmp-a1B2c3", "gone");
    WriteAll(fFolder + "/show.snx.tmp-ZZZZZZ", "gone");
    const int holder = open((fFolder + "/show.snx.tmp-locked").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);

    EXPECT_EQ(plat::RemoveLeftoverTemps(fTarget, plat::kTempMarker), 2u);
    EXPECT_EQ(Names(), kept);
    close(holder);
    EXPECT_EQ(plat::RemoveLeftoverTemps(fTarget, plat::kTempMarker), 1u) << "the lock went with its holder";
    EXPECT_EQ(fs::exists(fFolder + "/show.snx.tmp-locked"), false);
    EXPECT_EQ(ReadAll(fFolder + "/other.snx.tmp-ABCDEF"), "keep");
}

TEST_F(TempLeftovers, ASaveHoldsTheLockOnItsTemporaryFileUntilItLetsGo)
{
    std::string temp;
    int lock = -1;
    ASSERT_EQ(plat::CreateTempBeside(fTarget, temp, lock), plat::FileResult::Ok);
    EXPECT_EQ(temp.rfind(fTarget + ".tmp-", 0), 0u);
    EXPECT_EQ(plat::RemoveLeftoverTemps(fTarget, plat::kTempMarker), 0u);
    EXPECT_TRUE(fs::exists(temp));
    plat::ReleaseTempLock(lock);
    EXPECT_EQ(lock, -1);
    EXPECT_EQ(plat::RemoveLeftoverTemps(fTarget, plat::kTempMarker), 1u);
    EXPECT_FALSE(fs::exists(temp));
}

// A new file gets 0666 less the umask, as any new file; a file replaced keeps its own bits.
TEST_F(TempLeftovers, ANewFileTakesWhatTheUmaskAllowsAReplacedOneKeepsItsMode)
{
    struct Row {
        mode_t mask;
        unsigned before;   // 0: no file yet
        unsigned after;
    };
    for (const Row& row : {Row{022, 0, 0644}, Row{077, 0, 0600}, Row{002, 0, 0664}, Row{077, 0640, 0640},
                           Row{0, 0600, 0600}, Row{022, 0664, 0664}}) {
        SCOPED_TRACE(testing::Message() << std::oct << "umask " << row.mask << ", before " << row.before);
        fs::remove(fTarget);
        if (row.before != 0) {
            WriteAll(fTarget, "old");
            ASSERT_EQ(chmod(fTarget.c_str(), row.before), 0);
        }
        ScopedUmask mask(row.mask);
        std::string temp;
        int lock = -1;
        ASSERT_EQ(plat::CreateTempBeside(fTarget, temp, lock), plat::FileResult::Ok);
        ASSERT_EQ(plat::CommitReplacement(temp, fTarget), plat::FileResult::Ok);
        plat::ReleaseTempLock(lock);
        EXPECT_EQ(ModeOf(fTarget), row.after) << std::oct << ModeOf(fTarget);
        if (row.before != 0)
            continue;
        // Files and folders made empty (recordings and their folders) follow the same rule.
        const std::string made = fFolder + "/made";
        fs::remove(made);
        ASSERT_EQ(plat::CreateFileExclusive(made), plat::FileResult::Ok);
        EXPECT_EQ(ModeOf(made), row.after) << std::oct << ModeOf(made);
        fs::remove(made);
        ASSERT_EQ(plat::CreateFolder(made), plat::FileResult::Ok);
        EXPECT_EQ(ModeOf(made), 0777 & ~row.mask) << std::oct << ModeOf(made);
        fs::remove(made);
    }
}

TEST_F(TempLeftovers, ThePreferencesClearTheirLeftoversAtTheFirstRead)
{
    const std::string path = fFolder + "/sonalyx.plist";
    {
        plat::Preferences prefs(path);
        prefs.SetValue("v", plat::Number::MakeInt(1));
        ASSERT_TRUE(prefs.Synchronize());
    }
    WriteAll(path + ".tmp.Q1w2E3", "cut short");
    WriteAll(path + ".tmp-Q1w2E3", "not the preferences' pattern");
    plat::Preferences next(path);
    EXPECT_EQ(next.CopyValue("v")->As<plat::Number>()->Int(), 1);
    EXPECT_EQ(Names(), (std::set<std::string>{"sonalyx.plist", "sonalyx.plist.tmp-Q1w2E3"}));
}

TEST_F(TempLeftovers, APreferencesWriteBeyondTheFileSizeLimitKeepsTheOldFile)
{
    const std::string path = fFolder + "/sonalyx.plist";
    {
        plat::Preferences prefs(path);
        prefs.SetValue("v", plat::Number::MakeInt(1));
        ASSERT_TRUE(prefs.Synchronize());
    }
    const std::string before = ReadAll(path);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{before.size() + 64, before.size() + 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        plat::Preferences prefs(path);
        prefs.SetValue("big", plat::String::Make(std::string(4096, 'x')));
        _exit(prefs.Synchronize() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write reports its failure";
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(Names(), std::set<std::string>{"sonalyx.plist"}) << "no temporary file is left";
}

} // namespace
