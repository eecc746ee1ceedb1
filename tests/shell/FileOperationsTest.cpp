#include "platform/files/FileSpecText.h"
#include "shell/files/FileUrls.h"
#include "shell/files/LFileMaker.h"
#include "shell/files/LFileRemover.h"
#include "shell/files/LFileSpec.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A fresh folder per test, named by file location.
class FileOperationsTest : public testing::Test {
protected:
    void SetUp() override
    {
        fRoot = std::string(getenv("TMPDIR")) + "/ops " + testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(fRoot);
    }
    void TearDown() override { std::filesystem::remove_all(fRoot); }

    std::string FileUrl(const std::string& relative) const
    {
        return plat::SpecFromPosixPath(relative.empty() ? fRoot : fRoot + "/" + relative);
    }
    std::string Path(const std::string& relative) const { return fRoot + "/" + relative; }
    void Touch(const std::string& relative) const { std::ofstream(Path(relative)) << "x"; }

    std::string fRoot;
};

TEST_F(FileOperationsTest, MakeFileChoosesNumberedNames)
{
    Touch("Notes.txt");
    LFileMaker maker;
    EXPECT_EQ(maker.MakeFile(FileUrl("Notes.txt"), LFileMaker::kChooseNewName), 0u);
    EXPECT_EQ(std::string(maker.url.View()), FileUrl("Notes2.txt"));
    EXPECT_EQ(maker.MakeFile(FileUrl("Notes.txt"), LFileMaker::kChooseNewName), 0u);
    EXPECT_EQ(std::string(maker.url.View()), FileUrl("Notes3.txt"));
    EXPECT_TRUE(std::filesystem::exists(Path("Notes3.txt")));
    EXPECT_EQ(maker.MakeFolder(FileUrl("New"), LFileMaker::kChooseNewName), 0u);
    EXPECT_EQ(maker.MakeFolder(FileUrl("New"), LFileMaker::kChooseNewName), 0u);
    EXPECT_EQ(std::string(maker.url.View()), FileUrl("New2"));
}

TEST_F(FileOperationsTest, ExistingItemsAndTheModes)
{
    Touch("file");
    std::filesystem::create_directories(Path("folder"));
    LFileMaker maker;
    EXPECT_EQ(maker.MakeFolder(FileUrl("folder"), LFileMaker::kAcceptExisting), 0u);
    EXPECT_EQ(maker.MakeFolder(FileUrl("file"), LFileMaker::kAcceptExisting), 3u);
    EXPECT_EQ(maker.MakeFile(FileUrl("file"), LFileMaker::kAcceptExisting), 0u);
    EXPECT_EQ(maker.MakeFile(FileUrl("folder"), LFileMaker::kAcceptExisting), 3u);
    EXPECT_EQ(maker.MakeFile(FileUrl("file"), LFileMaker::kFailIfExists), 3u);
    EXPECT_EQ(maker.MakeFile(FileUrl("missing/child"), LFileMaker::kAcceptExisting), 2u);
    EXPECT_EQ(maker.MakeFile("file:///NoSuchVolume/x", LFileMaker::kAcceptExisting), 2u);
    LFileUrlResult slashName;
    AppendUrlName(slashName, FileUrl(""), "a/b");
    EXPECT_EQ(maker.MakeFile(slashName.url.View(), LFileMaker::kAcceptExisting), 2u);
    EXPECT_FALSE(std::filesystem::exists(Path("a")));
}

TEST_F(FileOperationsTest, RemovalsReportWhatTheyFoundAndNeverFollowLinks)
{
    std::filesystem::create_directories(Path("tree/a/b/c"));
    Touch("tree/a/b/c/leaf");
    Touch("tree/top");
    LFileRemover fileRemover;
    EXPECT_EQ(fileRemover.RemoveFile(FileUrl("tree")), 1u);
    LFolderRemover folderRemover;
    EXPECT_EQ(folderRemover.RemoveFolder(FileUrl("tree")), 1u);
    EXPECT_EQ(folderRemover.RemoveFolder(FileUrl("tree/top")), 1u);
    EXPECT_EQ(RemoveTree(FileUrl("tree")), 0u);
    EXPECT_FALSE(std::filesystem::exists(Path("tree")));
    EXPECT_EQ(RemoveTree(FileUrl("tree")), 2u);
    EXPECT_EQ(fileRemover.RemoveFile(FileUrl("tree")), 2u);

    std::filesystem::create_directories(Path("outside")); // a link in a tree is never followed
    Touch("outside/precious");
    std::filesystem::create_directories(Path("tree"));
    ASSERT_EQ(symlink(Path("outside").c_str(), Path("tree/link").c_str()), 0);
    EXPECT_EQ(RemoveTree(FileUrl("tree")), 0u);
    EXPECT_TRUE(std::filesystem::exists(Path("outside/precious")));
}

TEST_F(FileOperationsTest, EnumerationIsSortedAndEndsWithStatusThree)
{
    std::filesystem::create_directories(Path("dir/sub"));
    Touch("dir/b file");
    Touch("dir/.hidden");
    std::vector<std::string> names;
    LFileSpec fileSpec(FileUrl("dir"), true);
    for (; fileSpec.Status() == LFileInfo::kValid; fileSpec.Next())
        names.push_back(std::string(fileSpec.GetName().View()) + (fileSpec.IsDirectory() ? "/" : "") + (fileSpec.IsHidden() ? "*" : ""));
    EXPECT_EQ(names, (std::vector<std::string>{".hidden*", "b file", "sub/"}));
    EXPECT_TRUE(fileSpec.GetUrl().IsEmpty());

    std::filesystem::create_directories(Path("empty"));
    LFileSpec empty(FileUrl("empty"), true);
    EXPECT_EQ(empty.Status(), LFileInfo::kNothing);
    EXPECT_TRUE(empty.GetUrl().IsEmpty());

    LFileSpec missing(FileUrl("missing"), false);
    EXPECT_EQ(missing.Status(), LFileInfo::kNothing);
    EXPECT_FALSE(missing.IsDirectory());
    EXPECT_EQ(missing.GetModificationTime(), 0.0);
}

TEST_F(FileOperationsTest, QueuedValuesAreSeenAndDroppedByNext)
{
    std::filesystem::create_directories(Path("dir2"));
    Touch("dir2/a");
    Touch("dir2/b");
    LFileSpec fileSpec(FileUrl("dir2"), true);
    ASSERT_EQ(fileSpec.Status(), LFileInfo::kValid);
    fileSpec.SetModificationTime(12345.0);
    fileSpec.SetVisible(false);
    EXPECT_EQ(fileSpec.GetModificationTime(), 12345.0);
    EXPECT_TRUE(fileSpec.IsHidden());
    fileSpec.Next();
    EXPECT_NE(fileSpec.GetModificationTime(), 12345.0);
    EXPECT_FALSE(fileSpec.IsHidden());

    LFileSpec single(FileUrl("dir2/a"), false);
    single.SetModificationTime(2000.25);
    single.CommitAttributes();
    EXPECT_EQ(single.Status(), LFileInfo::kValid);
    LFileSpec reread(FileUrl("dir2/a"), false);
    EXPECT_NEAR(reread.GetModificationTime(), 2000.25, 1e-6);
    EXPECT_EQ(std::string(reread.GetUrl().View()), FileUrl("dir2/a"));
}

TEST_F(FileOperationsTest, FileSpecFromUrlMakesFoldersOnTheWay)
{
    LStringRef fileSpec;
    ASSERT_TRUE(FileSpecFromUrl(Path("one/two/three.txt"), fileSpec, true));
    EXPECT_EQ(std::string(fileSpec.View()), FileUrl("one/two/three.txt"));
    EXPECT_TRUE(std::filesystem::is_directory(Path("one/two")));
    EXPECT_FALSE(std::filesystem::exists(Path("one/two/three.txt")));
    LStringRef untouched("before");
    EXPECT_FALSE(FileSpecFromUrl("", untouched, false));
    EXPECT_EQ(std::string(untouched.View()), "before");
    ASSERT_TRUE(FileSpecFromUrl(FileUrl("one"), fileSpec, false));
    EXPECT_EQ(std::string(fileSpec.View()), FileUrl("one"));
}

TEST_F(FileOperationsTest, ParentsNamesAndLinks)
{
    LFileUrlResult result;
    GetParentUrl(result, FileUrl("a b/c"));
    EXPECT_EQ(result.status, 0u);
    EXPECT_EQ(std::string(result.url.View()), FileUrl("a b"));
    GetParentUrl(result, "file:///Root");
    EXPECT_EQ(result.status, 1u);
    AppendUrlName(result, "file:///Root/x/", "100% sure");
    EXPECT_EQ(std::string(result.url.View()), "file:///Root/x/100%25%20sure");
    AppendUrlName(result, "file:///Root/x", "");
    EXPECT_EQ(std::string(result.url.View()), "file:///Root/x");

    Touch("target");
    ASSERT_EQ(symlink(Path("target").c_str(), Path("alias").c_str()), 0);
    LAliasResult alias;
    LFileSpec::ResolveAlias(alias, FileUrl("alias"));
    EXPECT_EQ(alias.status, 0u);
    EXPECT_TRUE(alias.wasAlias);
    EXPECT_EQ(std::string(alias.url.View()), plat::SpecFromPosixPath(std::filesystem::canonical(Path("target")).string()));
    LFileSpec::ResolveAlias(alias, FileUrl("target"));
    EXPECT_FALSE(alias.wasAlias);
    EXPECT_EQ(std::string(alias.url.View()), FileUrl("target"));
    ASSERT_EQ(symlink(Path("gone").c_str(), Path("dangling").c_str()), 0);
    LFileSpec::ResolveAlias(alias, FileUrl("dangling"));
    EXPECT_EQ(alias.status, 3u);
}

} // namespace

namespace {

TEST(FileUrls, VolumesAndTheCurrentFolder)
{
    EXPECT_EQ(std::string(GetBootVolumeName().View()), plat::RootVolumeName());
    std::string path;
    ASSERT_TRUE(VolumePathRef(plat::RootVolumeName(), &path));
    EXPECT_EQ(path, "/");
    EXPECT_FALSE(VolumePathRef("NoSuchVolume", &path));
    EXPECT_EQ(std::string(CurrentDirSpec().View()), plat::SpecFromPosixPath(plat::CurrentDirectory()));
    const LStringRef fileSpec = UrlFromPosixPath("/tmp/a b/c\xC3\xA9.txt");
    EXPECT_EQ(std::string(fileSpec.View()), "file:///" + plat::RootVolumeName() + "/tmp/a%20b/c%C3%A9.txt");
    EXPECT_EQ(std::string(PosixPathFromUrl(fileSpec.View()).View()), "/tmp/a b/c\xC3\xA9.txt");
    EXPECT_TRUE(PosixPathFromUrl("file:///NoSuchVolume/x").IsEmpty());
}

} // namespace
