// A document's save clears what saves of it that were cut short left beside it, and nothing else.
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/window/DocumentWriter.h"
#include "tests/foundation/TempFiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

std::set<std::string> NamesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(DocumentLeftovers, TheNextSaveRemovesTheUnlockedLeftoversOfItsOwnDocumentOnly)
{
    const std::string folder = TempPath("document-leftovers");
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = folder + "/show.snx";
    for (const char* name : {"show.snx.tmp-Ab12Cd", "show.snx.tmp-zzzzzz", "show.snx.tmp-locked", "show.snx.tmp-Ab12C",
                             "other.snx.tmp-Ab12Cd", "show.snx.bak"})
        WriteAll(folder + "/" + name, "old");
    const int holder = open((folder + "/show.snx.tmp-locked").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0) << "a save of another program run still writes it";

    CFaderSetRecord document;
    ASSERT_TRUE(WriteDocumentFile(path, document.Root()));
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"show.snx", "show.snx.tmp-locked", "show.snx.tmp-Ab12C",
                                                       "other.snx.tmp-Ab12Cd", "show.snx.bak"}));
    close(holder);
    ASSERT_TRUE(WriteDocumentFile(path, document.Root()));
    EXPECT_FALSE(fs::exists(folder + "/show.snx.tmp-locked"));
    EXPECT_EQ(ReadAll(folder + "/other.snx.tmp-Ab12Cd"), "old");
    fs::remove_all(folder);
}

} // namespace
