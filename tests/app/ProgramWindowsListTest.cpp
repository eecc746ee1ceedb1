// The one list of the program's windows that the whole-program checks walk.
#include "tests/app/AppRunKit.h"
#include "tests/support/ProgramWindows.h"
#include "ui/frames/LFrame.h"

#include <filesystem>
#include <set>

TEST(ProgramWindowsList, NamesEveryLayoutThatMakesAWindowOnce)
{
    std::set<std::string> listed(PaneLayouts().begin(), PaneLayouts().end());
    for (const ProgramWindow& entry : ProgramWindows()) {
        if (!entry.layout.empty()) {
            EXPECT_TRUE(listed.insert(entry.layout).second) << entry.layout << " is listed twice";
        }
    }
    const std::string file = __FILE__;
    const std::string folder = file.substr(0, file.rfind("/tests/")) + "/resources/TLYO";
    std::set<std::string> shipped;
    for (const auto& item : std::filesystem::directory_iterator(folder))
        shipped.insert(item.path().stem().string());
    EXPECT_EQ(listed, shipped);
}

namespace {

class ProgramWindowsOpen : public AppRunTest {};

} // namespace

TEST_F(ProgramWindowsOpen, EachWindowOpensInTheRunningProgram)
{
    Start();
    CSpecWindow* document = CApp::Get()->OpenDocument(std::string());
    ASSERT_NE(document, nullptr);
    ProgramWindowsHost host{*CApp::Get(), *document, user, windows};
    for (const ProgramWindow& entry : ProgramWindows()) {
        const LFrame* seen = nullptr;
        entry.open(host, [&](LFrame& window) { seen = &window; });
        EXPECT_NE(seen, nullptr) << entry.name << " did not open";
    }
    EXPECT_EQ(user.PendingActions(), 0u);
}
