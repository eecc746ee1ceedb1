// The one list of the program's windows that the whole-program checks walk.
#include "tests/app/AppRunKit.h"
#include "tests/support/ProgramWindows.h"
#include "ui/frames/LFrame.h"
#include "ui/windows/LWindow.h"

#include <filesystem>
#include <map>
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
    std::map<std::string, std::string> titles;   // title -> window
    for (const ProgramWindow& entry : ProgramWindows()) {
        const LFrame* seen = nullptr;
        std::string title;
        entry.open(host, [&](LFrame& window) {
            seen = &window;
            title = window.Window() ? window.Window()->Native()->Title() : std::string();
        });
        EXPECT_NE(seen, nullptr) << entry.name << " did not open";
        // Alerts carry the program's name; every other window a title of its own.
        if (entry.name == "message" || entry.name == "save changes")
            continue;
        const auto [at, added] = titles.emplace(title, entry.name);
        EXPECT_TRUE(added) << entry.name << " and " << at->second << " are both called \"" << title << "\"";
    }
    EXPECT_EQ(user.PendingActions(), 0u);
}
