#include "platform/files/StandardFolders.h"
#include "platform/prefs/AtomicFile.h"
#include "platform/prefs/Preferences.h"
#include "platform/values/PropertyList.h"

#include <gtest/gtest.h>

#include <chrono>
#include <dirent.h>
#include <csignal>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace plat;

namespace {

class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fFolder = StandardFolderPath(StandardFolder::Preferences) + "/sonalyx";
        ASSERT_TRUE(MakeFolders(fFolder));
        fPath = fFolder + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".plist";
        ::unlink(fPath.c_str());
        ::unlink((fPath + ".bak").c_str());
        CountTempFiles(true);
    }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // Counts (and with `remove`, deletes) the temporary files of interrupted writes.
    int CountTempFiles(bool remove = false) const
    {
        int count = 0;
        DIR* dir = ::opendir(fFolder.c_str());
        while (dir) {
            dirent* entry = ::readdir(dir);
            if (!entry)
                break;
            const std::string name = entry->d_name;
            if (name.find(".tmp.") == std::string::npos)
                continue;
            count++;
            if (remove)
                ::unlink((fFolder + "/" + name).c_str());
        }
        if (dir)
            ::closedir(dir);
        return count;
    }

    std::string fFolder;
    std::string fPath;
};

void ExitNow(const std::string&)
{
    ::_exit(0);
}

} // namespace

TEST_F(PreferencesTest, DomainLivesInTheConfigFolder)
{
    EXPECT_EQ(Preferences::DomainPath(""), fFolder + "/sonalyx.plist");
    EXPECT_EQ(Preferences::DomainPath("other"), fFolder + "/other.plist");
    EXPECT_EQ(&Preferences::Domain(""), &Preferences::Domain("sonalyx"));
}

TEST_F(PreferencesTest, WritesAndReadsBack)
{
    {
        Preferences prefs(fPath);
        EXPECT_EQ(prefs.State(), Preferences::FileState::Missing);
        EXPECT_FALSE(prefs.CopyValue("prefs"));
        Ref<Dict> dict = Dict::Make();
        dict->Set("n", Number::MakeInt(5));
        prefs.SetValue("prefs", dict);
        prefs.SetValue("gone", String::Make("x"));
        prefs.SetValue("gone", {});
        ASSERT_TRUE(prefs.Synchronize());
    }
    Preferences again(fPath);
    EXPECT_EQ(again.State(), Preferences::FileState::Loaded);
    Ref<Value> value = again.CopyValue("prefs");
    ASSERT_TRUE(value && value->As<Dict>());
    EXPECT_EQ(value->As<Dict>()->GetAs<Number>("n")->Int(), 5);
    EXPECT_FALSE(again.CopyValue("gone"));
    EXPECT_EQ(ReadFile(fPath).rfind("<?xml", 0), 0u);
}

TEST_F(PreferencesTest, SynchronizeWithoutChangesRereadsTheFile)
{
    Preferences prefs(fPath);
    EXPECT_FALSE(prefs.CopyValue("k"));
    Ref<Dict> other = Dict::Make();
    other->Set("k", Bool::Make(true));
    WriteFile(fPath, PropertyList::Write(*other));
    ASSERT_TRUE(prefs.Synchronize());
    EXPECT_TRUE(prefs.CopyValue("k"));
}

TEST_F(PreferencesTest, CrashBeforeRenameLeavesTheOldFile)
{
    {
        Preferences prefs(fPath);
        prefs.SetValue("v", Number::MakeInt(1));
        ASSERT_TRUE(prefs.Synchronize());
    }
    const std::string before = ReadFile(fPath);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicFile::SetBeforeRenameHook(ExitNow);
        Preferences prefs(fPath);
        prefs.SetValue("v", Number::MakeInt(2));
        (void)prefs.Synchronize();
        ::_exit(3);  // not reached when the hook stops the write
    }
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            FAIL() << "the writing process hung";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ASSERT_EQ(CountTempFiles(), 1);  // the new contents never replaced the file
    EXPECT_EQ(ReadFile(fPath), before);
    Preferences after(fPath);
    EXPECT_EQ(after.CopyValue("v")->As<Number>()->Int(), 1);
}

TEST_F(PreferencesTest, UnreadableFileIsKeptAsBackup)
{
    const std::string junk = "<plist><dict><key>a</key>";
    WriteFile(fPath, junk);
    Preferences prefs(fPath);
    EXPECT_EQ(prefs.State(), Preferences::FileState::Unreadable);
    EXPECT_FALSE(prefs.CopyValue("a"));
    prefs.SetValue("b", Number::MakeInt(1));
    ASSERT_TRUE(prefs.Synchronize());
    EXPECT_EQ(ReadFile(fPath + ".bak"), junk);
    EXPECT_EQ(Preferences(fPath).CopyValue("b")->As<Number>()->Int(), 1);

    // A file whose root is not a dictionary is no preferences file either.
    WriteFile(fPath, PropertyList::Write(*String::Make("x")));
    Preferences second(fPath);
    EXPECT_EQ(second.State(), Preferences::FileState::Unreadable);
}

TEST_F(PreferencesTest, FailedWriteLeavesNoTemporaryFile)
{
    Preferences prefs(fPath);
    prefs.SetValue("a", Bool::Make(true));
    // A folder appears where the file goes, so the final rename fails.
    static std::string blocked;
    blocked = fPath;
    AtomicFile::SetBeforeRenameHook([](const std::string&) {
        ::mkdir(blocked.c_str(), 0700);
        std::ofstream(blocked + "/x") << "keep";
    });
    EXPECT_FALSE(prefs.Synchronize());
    AtomicFile::SetBeforeRenameHook(nullptr);
    EXPECT_EQ(ReadFile(fPath + "/x"), "keep");
    EXPECT_EQ(CountTempFiles(), 0);
    ::unlink((fPath + "/x").c_str());
    ::rmdir(fPath.c_str());
}
