#include "platform/files/FileSpecText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Points the mount bases at a temporary folder for the test's lifetime.
class FileSpecTextTest : public testing::Test {
protected:
    void SetUp() override
    {
        fBase = std::filesystem::path(getenv("TMPDIR")) / "mounts";
        std::filesystem::create_directories(fBase / "Stick");
        plat::SetMountBases({fBase.string()});
    }
    void TearDown() override
    {
        plat::SetMountBases({});
        plat::SetRootVolumeName("");
        std::filesystem::remove_all(fBase);
    }
    std::filesystem::path fBase;
};

TEST(FileSpecEscaping, KeepsUnreservedAndEscapesTheRest)
{
    EXPECT_EQ(plat::EscapeSegment("aZ09!$'()*+,-._"), "aZ09!$'()*+,-._");
    EXPECT_EQ(plat::EscapeSegment("a b%c/d:e~"), "a%20b%25c%2Fd%3Ae%7E");
    EXPECT_EQ(plat::EscapeSegment("\xC3\xA9"), "%C3%A9");
    EXPECT_EQ(plat::EscapeSegment("."), "%2E");
    EXPECT_EQ(plat::EscapeSegment(".."), "%2E%2E");
    EXPECT_EQ(plat::EscapeSegment("..."), "...");
    EXPECT_EQ(plat::EscapeSegment(""), "");
}

TEST(FileSpecEscaping, RoundTripsOddNames)
{
    for (const std::string name : {"a b", "100%", "%41", "\xE2\x82\xAC uro", "x/y", ".", "..", "\x01\xFF", "#?;&="}) {
        EXPECT_EQ(plat::UnescapeSegment(plat::EscapeSegment(name)), name) << name;
    }
    EXPECT_EQ(plat::UnescapeSegment("%4a%4A%zz%4"), "JJ%zz%4");
}

TEST_F(FileSpecTextTest, PosixPathOnTheRootVolume)
{
    const std::string fileSpec = plat::SpecFromPosixPath("/home/u/a b.txt");
    EXPECT_EQ(fileSpec, "file:///Root/home/u/a%20b.txt");
    EXPECT_EQ(plat::PosixPathFromSpec(fileSpec), "/home/u/a b.txt");
    EXPECT_EQ(plat::SpecFromPosixPath("/"), "file:///Root");
    EXPECT_EQ(plat::PosixPathFromSpec("file:///Root"), "/");
}

TEST_F(FileSpecTextTest, RootVolumeCanBeRenamed)
{
    plat::SetRootVolumeName("Boot Disk");
    EXPECT_EQ(plat::SpecFromPosixPath("/x"), "file:///Boot%20Disk/x");
    EXPECT_EQ(plat::PosixPathFromSpec("file:///Boot%20Disk/x"), "/x");
    EXPECT_EQ(plat::PosixPathFromSpec("file:///Root/x"), "");
}

TEST_F(FileSpecTextTest, RemovableMountIsItsOwnVolume)
{
    const std::string path = (fBase / "Stick" / "song 1.wav").string();
    EXPECT_EQ(plat::SpecFromPosixPath(path), "file:///Stick/song%201.wav");
    EXPECT_EQ(plat::PosixPathFromSpec("file:///Stick/song%201.wav"), path);
    EXPECT_EQ(plat::VolumeMountPath("Stick"), (fBase / "Stick").string());
    EXPECT_EQ(plat::SpecFromPosixPath((fBase / "Stick").string()), "file:///Stick");
    // A folder under the base that is not there is no volume: its path stays on the root.
    const std::string missing = (fBase / "Gone" / "x").string();
    EXPECT_EQ(plat::SpecFromPosixPath(missing), plat::SpecFromPosixPath("/") + missing);
}

TEST_F(FileSpecTextTest, UnknownVolumeGivesEmptyPath)
{
    EXPECT_EQ(plat::PosixPathFromSpec("file:///NoSuchVolume/a"), "");
    EXPECT_EQ(plat::VolumeMountPath("NoSuchVolume"), "");
    EXPECT_EQ(plat::VolumeMountPath(".."), "");
}

TEST_F(FileSpecTextTest, OneFileHasOneText)
{
    const std::string canonical = "file:///Root/a%20b/c";
    EXPECT_EQ(plat::ToFileSpec("file:///Root/a b/c"), canonical);
    EXPECT_EQ(plat::ToFileSpec("file:///Root//a%20b/./c"), "");   // "." is never a file name
    EXPECT_EQ(plat::ToFileSpec("file:///Root//a%20b/c/"), canonical);
    EXPECT_EQ(plat::ToFileSpec("/a b/x/../c"), canonical);
    EXPECT_EQ(plat::ToFileSpec("//a b///c"), canonical);
    // The mount reached through the root volume is named by its own volume.
    const std::string viaRoot = "file:///Root" + fBase.string() + "/Stick/f";
    EXPECT_EQ(plat::ToFileSpec(viaRoot), "file:///Stick/f");
}

TEST_F(FileSpecTextTest, SegmentsThatCannotNameAFileAreBadPaths)
{
    EXPECT_EQ(plat::PosixPathFromSpec("file:///Root/a%2Fb"), "");
    EXPECT_EQ(plat::PosixPathFromSpec("file:///Root/%2E%2E/etc"), "");
    EXPECT_EQ(plat::PosixPathFromSpec("file:///Root/a%00b"), "");
    EXPECT_EQ(plat::PosixPathFromSpec("file:///"), "");
    EXPECT_EQ(plat::PosixPathFromSpec("file://host/Root/x"), "");
    EXPECT_EQ(plat::ToFileSpec("file:relative"), "");
}

TEST_F(FileSpecTextTest, RelativePosixPathsUseTheCurrentFolder)
{
    const std::string cwd = plat::CurrentDirectory();
    EXPECT_EQ(plat::NormalizePosixPath("x/./y/../z"), (cwd == "/" ? "" : cwd) + "/x/z");
    EXPECT_EQ(plat::NormalizePosixPath("/../.."), "/");
    EXPECT_EQ(plat::NormalizePosixPath(""), "");
}

TEST(FileUrlOfPath, EscapesEachSegmentAsTheDesktopExchangesIt)
{
    const std::pair<const char*, const char*> rows[] = {
        {"/a b/c.snx", "file:///a%20b/c.snx"},
        {"/", "file:///"},
        {"/x/../%y", "file:///x/%2E%2E/%25y"},
        {"/dir/", "file:///dir/"},
        {"/caf\xC3\xA9.tks", "file:///caf%C3%A9.tks"},
    };
    for (const auto& [path, url] : rows)
        EXPECT_EQ(plat::FileUrlOfPath(path), url) << path;
}

} // namespace
