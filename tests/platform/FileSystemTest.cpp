#include "platform/files/FileSystem.h"
#include "platform/files/StandardFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileSystemTest : public testing::Test {
protected:
    void SetUp() override
    {
        fRoot = std::string(getenv("TMPDIR")) + "/fs-" + testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(fRoot);
    }
    void TearDown() override { std::filesystem::remove_all(fRoot); }
    std::string fRoot;
};

TEST_F(FileSystemTest, ListsSortedWithoutDotEntries)
{
    for (const char* name : {"b", "a", "C", ".hidden"})
        std::ofstream(fRoot + "/" + name) << "x";
    std::vector<std::string> names;
    ASSERT_EQ(plat::ListFolder(fRoot, names), plat::FileResult::Ok);
    EXPECT_EQ(names, (std::vector<std::string>{".hidden", "C", "a", "b"}));
    EXPECT_EQ(plat::ListFolder(fRoot + "/missing", names), plat::FileResult::NotFound);
    EXPECT_EQ(plat::ListFolder(fRoot + "/a", names), plat::FileResult::BadPath);
}

TEST_F(FileSystemTest, InfoAndRemovalNeverFollowLinks)
{
    std::filesystem::create_directories(fRoot + "/target");
    std::ofstream(fRoot + "/target/keep") << "x";
    ASSERT_EQ(symlink((fRoot + "/target").c_str(), (fRoot + "/link").c_str()), 0);
    plat::ItemInfo info;
    ASSERT_EQ(plat::ReadItemInfo(fRoot + "/link", info), plat::FileResult::Ok);
    EXPECT_TRUE(info.isLink);
    EXPECT_FALSE(info.isFolder);
    EXPECT_EQ(plat::RemoveFileItem(fRoot + "/link"), plat::FileResult::Ok);
    EXPECT_TRUE(std::filesystem::exists(fRoot + "/target/keep"));
    EXPECT_EQ(plat::RemoveFileItem(fRoot + "/target"), plat::FileResult::IsFolder);
    EXPECT_EQ(plat::RemoveFolderItem(fRoot + "/target"), plat::FileResult::NotEmpty);
    EXPECT_EQ(plat::RemoveFolderItem(fRoot + "/target/keep"), plat::FileResult::NotFolder);
    EXPECT_EQ(plat::ReadItemInfo(fRoot + "/gone", info), plat::FileResult::NotFound);
}

TEST_F(FileSystemTest, CreatesExclusivelyAndKeepsTimesAndCodes)
{
    const std::string file = fRoot + "/.f";
    ASSERT_EQ(plat::CreateFileExclusive(file), plat::FileResult::Ok);
    EXPECT_EQ(plat::CreateFileExclusive(file), plat::FileResult::Exists);
    EXPECT_EQ(plat::CreateFolder(file), plat::FileResult::Exists);
    ASSERT_EQ(plat::SetModificationTime(file, 1000.5), plat::FileResult::Ok);
    plat::ItemInfo info;
    ASSERT_EQ(plat::ReadItemInfo(file, info), plat::FileResult::Ok);
    EXPECT_NEAR(info.modificationTime, 1000.5, 1e-6);
    EXPECT_TRUE(info.hidden);
    EXPECT_EQ(plat::ReadTypeCode(file), 0u);
    // Extended attributes are best effort: where the file system keeps them, they read back.
    if (plat::WriteTypeCode(file, 0x54455854) == plat::FileResult::Ok) {
        EXPECT_EQ(plat::ReadTypeCode(file), 0x54455854u);
        EXPECT_EQ(plat::ReadCreatorCode(file), 0u);
    }
}

TEST(StandardFolders, FollowTheEnvironmentAndKeepScratchPrivate)
{
    EXPECT_EQ(plat::StandardFolderPath(plat::StandardFolder::Documents), getenv("XDG_DOCUMENTS_DIR"));
    EXPECT_EQ(plat::StandardFolderPath(plat::StandardFolder::Temporary), getenv("TMPDIR"));
    EXPECT_EQ(plat::StandardFolderPath(plat::StandardFolder::System), "");
    const std::string trash = plat::StandardFolderPath(plat::StandardFolder::Trash);
    EXPECT_EQ(trash, std::string(getenv("XDG_DATA_HOME")) + "/Trash/files");
    const std::string scratch = plat::StandardFolderPath(plat::StandardFolder::Scratch);
    ASSERT_FALSE(scratch.empty());
    struct stat st {};
    ASSERT_EQ(stat(scratch.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // The folders of the home keep their places without being made.
    const std::string missing = std::string(getenv("HOME")) + "/not made";
    const struct {
        const char* variable;
        plat::StandardFolder folder;
        const char* below;
    } rows[] = {
        {"XDG_DESKTOP_DIR", plat::StandardFolder::Desktop, ""},
        {"XDG_DOCUMENTS_DIR", plat::StandardFolder::Documents, ""},
        {"XDG_DATA_HOME", plat::StandardFolder::Trash, "/Trash/files"},
        {"XDG_DATA_HOME", plat::StandardFolder::ApplicationSupport, ""},
        {"XDG_CONFIG_HOME", plat::StandardFolder::Preferences, ""},
    };
    for (const auto& row : rows) {
        const std::string before = getenv(row.variable);
        setenv(row.variable, missing.c_str(), 1);
        EXPECT_EQ(plat::StandardFolderPath(row.folder), missing + row.below) << row.variable;
        setenv(row.variable, before.c_str(), 1);
        EXPECT_FALSE(std::filesystem::exists(missing)) << row.variable;
    }
}

} // namespace
