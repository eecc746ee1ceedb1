#include "controls/panels/CFolderBrowser.h"
#include "platform/files/FileSystem.h"
#include "tests/foundation/TempFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

using Names = std::vector<std::string>;

Names Shown(const CFolderBrowser& browser)
{
    Names names;
    for (const auto& entry : browser.Entries())
        names.push_back(entry.name);
    return names;
}

} // namespace

TEST(CFolderBrowser, ParentAndChildPaths)
{
    const struct {
        const char* path;
        const char* parent;
    } rows[] = {{"/", "/"}, {"/a", "/"}, {"/a/b", "/a"}, {"/a/b/c.snx", "/a/b"}};
    for (const auto& row : rows)
        EXPECT_EQ(ParentFolder(row.path), row.parent) << row.path;
    EXPECT_EQ(ChildPath("/", "x"), "/x");
    EXPECT_EQ(ChildPath("/a", "x"), "/a/x");
}

TEST(CFolderBrowser, AMissingFolderOpensItsNearestParentAndTheRootHasNoParent)
{
    const std::string root = TempPath("browser-" + std::to_string(getpid()));
    std::filesystem::remove_all(root);
    WriteAll(root + "/Zeta.snx", "1");
    WriteAll(root + "/alpha.snx", "1");
    CFolderBrowser browser;
    browser.Open(root + "/gone/deeper/still");
    EXPECT_EQ(browser.Folder(), root);
    EXPECT_EQ(Shown(browser), (Names{"alpha.snx", "Zeta.snx"})) << "names sort ignoring letter case";
    EXPECT_TRUE(browser.SelectByPrefix("ZE"));
    EXPECT_EQ(browser.SelectedPath(), root + "/Zeta.snx");
    EXPECT_FALSE(browser.SelectByPrefix("q"));
    browser.Select(99);
    EXPECT_EQ(browser.Selected(), 1) << "a selection is held to the rows";

    ASSERT_EQ(plat::SetModificationTime(root + "/Zeta.snx", 1000.0), plat::FileResult::Ok);
    ASSERT_EQ(plat::SetModificationTime(root + "/alpha.snx", 2000.0), plat::FileResult::Ok);
    browser.SortOn(CFolderBrowser::SortBy::Date);
    EXPECT_EQ(Shown(browser), (Names{"Zeta.snx", "alpha.snx"}));
    EXPECT_EQ(browser.SelectedPath(), root + "/Zeta.snx") << "the selection follows its item";
    browser.SortOn(CFolderBrowser::SortBy::Date);
    EXPECT_EQ(Shown(browser), (Names{"alpha.snx", "Zeta.snx"}));

    browser.Open("/");
    EXPECT_FALSE(browser.GoUp());
    EXPECT_EQ(browser.Folder(), "/");
}
