#include "foundation/text/FileNameText.h"

#include <gtest/gtest.h>

TEST(FileNameText, UTF8StepsSeparatorsAndLastComponent)
{
    const char* text = "\xE2\x82\xAC" "a\xF0\x9F\x8E\xB5";
    const char* p = UTF8Next(text);
    EXPECT_EQ(p, text + 3);
    p = UTF8Next(p);
    EXPECT_EQ(p, text + 4);
    p = UTF8Next(p);
    EXPECT_EQ(p, text + 8);
    EXPECT_EQ(UTF8Next(p), p);
    EXPECT_EQ(UTF8Next(nullptr), nullptr);

    const char* path = "Disk::Folder\\\\File";
    EXPECT_STREQ(SkipPathSeparator(path), "Folder\\\\File");
    EXPECT_STREQ(SkipPathSeparator("none"), "");
    EXPECT_STREQ(LastPathComponent(path), "File");
    EXPECT_STREQ(LastPathComponent("a:b:"), "");
    EXPECT_STREQ(LastPathComponent("plain"), "plain");
    // A multi-byte character whose continuation bytes could look like anything stays whole.
    EXPECT_STREQ(LastPathComponent("x:\xC3\xBA.txt"), "\xC3\xBA.txt");
}

TEST(FileNameText, ExtensionsAndFileNamesOfPaths)
{
    EXPECT_STREQ(FindExtension("my song.snx"), ".snx");
    EXPECT_STREQ(FindExtension("v1.2 final"), "");
    EXPECT_STREQ(FindExtension("take.wav  "), ".wav  ");
    EXPECT_STREQ(FindExtension("a.b c.d"), ".d");
    EXPECT_STREQ(FindExtension("dir.x:file"), "");
    EXPECT_STREQ(FindExtension("archive.tar.gz"), ".gz");
    EXPECT_EQ(FindExtension(nullptr), nullptr);

    EXPECT_EQ(FileExtensionLower("Track.WAV  ").View(), "wav");
    EXPECT_EQ(FileExtensionLower("noext").View(), "");
    EXPECT_EQ(FileExtensionLower(nullptr).View(), "");
    EXPECT_EQ(ReplaceExtension("a.txt", "csv").View(), "a.csv");
    EXPECT_EQ(ReplaceExtension("a.txt", "").View(), "a");
    EXPECT_EQ(ReplaceExtension("a", "snx").View(), "a.snx");
    EXPECT_EQ(ReplaceExtension("v1.2 final", "snx").View(), "v1.2 final.snx");

    LStringRef path("file:///Root/docs/old%20name.txt");
    EXPECT_EQ(FileNameOfPath(path).View(), "old name.txt");
    NumberedFileName(path, 2);
    EXPECT_EQ(path.View(), "file:///Root/docs/old%20name2.txt");
    ReplaceFileName(path, "a:b/..");
    EXPECT_EQ(path.View(), "file:///Root/docs/a%3Ab%2F..");
    ReplaceFileName(path, "..");
    EXPECT_EQ(path.View(), "file:///Root/docs/%2E%2E");
    EXPECT_EQ(FileNameOfPath(path).View(), "..");

    LStringRef empty;
    ReplaceFileName(empty, "");
    EXPECT_EQ(empty.View(), "");
    LStringRef noExtension("file:///Root/x");
    NumberedFileName(noExtension, -1);
    EXPECT_EQ(noExtension.View(), "file:///Root/x-1");
}
