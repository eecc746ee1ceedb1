#include "platform/files/FileSpecText.h"
#include "shell/files/CFileLocation.h"
#include "shell/files/FileUrls.h"
#include "shell/files/LProcessInfo.h"
#include "shell/files/LStdFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

namespace {

TEST(LStdFolders, MapsTheUserFoldersAndFallsBackForTheRest)
{
    const LStringRef fallback("file:///Root/fallback");
    LStdFolders folders(&fallback);
    EXPECT_EQ(LStdFolders::Shared(), &folders);
    EXPECT_EQ(std::string(folders.Get(LStdFolders::kDocuments).View()), plat::SpecFromPosixPath(getenv("XDG_DOCUMENTS_DIR")));
    EXPECT_EQ(std::string(folders.Get(LStdFolders::kDesktop).View()), plat::SpecFromPosixPath(getenv("XDG_DESKTOP_DIR")));
    EXPECT_EQ(std::string(folders.Get(LStdFolders::kUserHome).View()), plat::SpecFromPosixPath(getenv("HOME")));
    EXPECT_EQ(std::string(folders.Get(LStdFolders::kSystem).View()), "file:///Root/fallback");
    EXPECT_TRUE(folders.Get(0x78787878).IsEmpty());
    const std::string scratch(folders.Get(LStdFolders::kScratch).View());
    EXPECT_EQ(scratch.rfind(plat::SpecFromPosixPath(getenv("TMPDIR")), 0), 0u);
}

constexpr uint64_t kField = 0x7370666C;   // 'spfl'
std::map<uint64_t, LStringRef> gRemembered;

void Remember(uint64_t field, uint32_t operation, LStringRef& fileSpec)
{
    if (operation == CFileLocation::kWrite)
        gRemembered[field] = fileSpec;
    else if (gRemembered.count(field))
        fileSpec = gRemembered[field];
}

TEST(CFileLocation, DefaultsToTheDocumentsFolderAndRemembersIt)
{
    gRemembered.clear();
    CFileLocation location(LStringRef("untitled.csv"), kField, Remember);
    EXPECT_EQ(std::string(location.GetPathOrName().View()), "untitled.csv");
    const std::string expected = plat::SpecFromPosixPath(std::string(getenv("XDG_DOCUMENTS_DIR")) + "/untitled.csv");
    EXPECT_EQ(std::string(location.GetPath().View()), expected);
    EXPECT_EQ(std::string(gRemembered[kField].View()), expected);

    gRemembered[kField] = LStringRef("file:///Root/elsewhere/old.csv");
    EXPECT_EQ(std::string(location.GetSavePath().View()), "file:///Root/elsewhere/untitled.csv");
    location.SetPath(LStringRef("file:///Root/chosen.csv"));
    EXPECT_EQ(std::string(location.GetSavePath().View()), "file:///Root/chosen.csv");
    EXPECT_EQ(std::string(gRemembered[kField].View()), "file:///Root/chosen.csv");

    CFileLocation silent(LStringRef("x"), 1, nullptr);
    EXPECT_TRUE(silent.GetDefault().IsEmpty());
}

} // namespace
