#include "foundation/text/FileNameText.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(FileNameText, UTF8StepsSeparatorsAndLastComponent)
{
    const char* text = "\xE2\x82\xAC" "a\xF0\x9F\x8E\xB5";
    const char* p = text;
    for (int step : {3, 4, 8, 8})
        EXPECT_EQ(p = UTF8Next(p), text + step);
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
    for (const auto& [name, extension] : {std::pair("my song.snx", ".snx"), {"v1.2 final", ""}, {"take.wav  ", ".wav  "},
                                          {"a.b c.d", ".d"}, {"dir.x:file", ""}, {"archive.tar.gz", ".gz"}})
        EXPECT_STREQ(FindExtension(name), extension) << name;
    EXPECT_EQ(FindExtension(nullptr), nullptr);
    for (const auto& [name, extension] : {std::pair<const char*, const char*>("Track.WAV  ", "wav"), {"noext", ""}, {nullptr, ""}})
        EXPECT_EQ(FileExtensionLower(name).View(), extension);
    for (const auto& [name, extension, result] : {std::tuple("a.txt", "csv", "a.csv"), {"a.txt", "", "a"},
                                                  {"a", "snx", "a.snx"}, {"v1.2 final", "snx", "v1.2 final.snx"}})
        EXPECT_EQ(ReplaceExtension(name, extension).View(), result);

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
