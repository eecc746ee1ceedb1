#include "foundation/files/CScratchFile.h"
#include "foundation/files/FileCopy.h"
#include "platform/files/FileSpecText.h"
#include "tests/foundation/TempFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileCopyTest : public testing::Test {
protected:
    void SetUp() override
    {
        fRoot = TempPath(std::string("copy-") + testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(fRoot);
    }
    void TearDown() override { std::filesystem::remove_all(fRoot); }

    std::string Path(const std::string& relative) const { return fRoot + "/" + relative; }
    std::string FileUrl(const std::string& relative) const { return plat::SpecFromPosixPath(Path(relative)); }
    void Write(const std::string& relative, const std::string& bytes) const { WriteAll(Path(relative), bytes); }
    std::string Read(const std::string& relative) const { return ReadAll(Path(relative)); }

    std::string fRoot;
};

TEST_F(FileCopyTest, CopiesFilesOfAnySizeShortensLongerTargetsAndKeepsTimes)
{
    Write("empty", "");
    EXPECT_EQ(CopyFileOrFolder(FileUrl("empty"), FileUrl("empty copy")), 0u);
    EXPECT_EQ(std::filesystem::file_size(Path("empty copy")), 0u);

    std::string big(3 * 1048576 + 5, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = char(i * 7 + i / 4096);
    Write("big", big);
    Write("big copy", std::string(4 * 1048576, 'x'));
    EXPECT_EQ(CopyFileOrFolder(FileUrl("big"), FileUrl("big copy")), 0u);
    EXPECT_EQ(Read("big copy"), big);

    Write("dated", "abc");
    const auto when = std::filesystem::last_write_time(Path("dated")) - std::chrono::hours(50);
    std::filesystem::last_write_time(Path("dated"), when);
    EXPECT_EQ(CopyFileOrFolder(FileUrl("dated"), FileUrl("dated copy")), 0u);
    // Times travel as double seconds, exact to well under a microsecond.
    const auto drift = std::filesystem::last_write_time(Path("dated copy")) - when;
    EXPECT_LT(std::chrono::abs(std::chrono::duration_cast<std::chrono::nanoseconds>(drift)).count(), 1000);
    EXPECT_EQ(CopyFileOrFolder(FileUrl("missing"), FileUrl("x")), 2u);
    EXPECT_EQ(CopyFileOrFolder(FileUrl("dated"), FileUrl("no folder/x")), 1u);
}

TEST_F(FileCopyTest, MergesFolderTreesCopiesLinksAsLinksAndRefusesToCopyAFolderIntoItself)
{
    Write("src/a.txt", "new a");
    Write("src/sub/deep.txt", "deep");
    Write("dst/a.txt", "old a");
    Write("dst/only.txt", "mine");
    std::filesystem::create_directories(Path("elsewhere"));
    Write("elsewhere/outside.txt", "outside");
    ASSERT_EQ(symlink(Path("elsewhere").c_str(), Path("src/link").c_str()), 0);
    EXPECT_EQ(CopyFileOrFolder(FileUrl("src"), FileUrl("dst")), 0u);
    EXPECT_EQ(Read("dst/a.txt") + "|" + Read("dst/sub/deep.txt") + "|" + Read("dst/only.txt"), "new a|deep|mine");
    EXPECT_TRUE(std::filesystem::is_symlink(Path("dst/link")));
    EXPECT_EQ(std::filesystem::read_symlink(Path("dst/link")), Path("elsewhere"));

    Write("tree/a", "a");
    for (const char* into : {"tree", "tree/inner/copy"})
        EXPECT_EQ(CopyFolderContents(FileUrl("tree"), FileUrl(into)), 1u) << into;
    EXPECT_FALSE(std::filesystem::exists(Path("tree/inner")));
    ASSERT_EQ(symlink(Path("tree").c_str(), Path("alias").c_str()), 0);
    EXPECT_EQ(CopyFolderContents(FileUrl("tree"), FileUrl("alias/inner")), 1u);
    EXPECT_EQ(CopyFileOrFolder(FileUrl("tree"), FileUrl("tree/x")), 1u);
}

TEST_F(FileCopyTest, StreamCodesNameTheFailingSide)
{
    Write("src", "abc");
    EXPECT_EQ(CopyFileStream(FileUrl("missing"), FileUrl("src"), 0), 3u);
    EXPECT_EQ(CopyFileStream(FileUrl("src"), FileUrl("missing"), 0), 4u);
    EXPECT_EQ(CopyFileStream(FileUrl("src"), "/dev/full", 0), 8u);
    uint32_t result = 0;
    CopyForks(result, FileUrl("src"), "/dev/full");
    EXPECT_EQ(result, 8u);
    CopyForks(result, FileUrl("missing"), FileUrl("src"));
    EXPECT_EQ(result, 8u);   // the first error stays
    uint32_t metadata = 0;
    CopyFileMetadata(metadata, FileUrl("src"), FileUrl("missing"));
    EXPECT_EQ(metadata, 4u);
}

TEST(CScratchFile, PrivateUniqueAndRemovedWithItsObject)
{
    std::string firstPath;
    {
        CScratchFile first("undo", nullptr);
        CScratchFile second("undo", nullptr);
        ASSERT_EQ(first.failed + second.failed, 0u);
        EXPECT_NE(std::string(first.location.View()), std::string(second.location.View()));
        firstPath = plat::PosixPathFromSpec(first.location.View());
        struct stat st {};
        ASSERT_EQ(stat(firstPath.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u);
    }
    EXPECT_FALSE(std::filesystem::exists(firstPath));

    const LStringRef nowhere("file:///NoSuchVolume/tmp");
    CScratchFile lost("undo", &nowhere);
    EXPECT_EQ(std::pair(lost.failed, lost.created), std::pair(1u, 0u));
}

} // namespace
