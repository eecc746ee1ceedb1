#include "platform/Clock.h"
#include "platform/controls/ControlView.h"
#include "platform/controls/PopUpButton.h"
#include "platform/window/ControlsReport.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"
#include "platform/window/WindowTestDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

using namespace plat;

namespace {

// The titles of the rows the report lists under each window, by window number.
std::map<uint32_t, std::vector<std::string>> RowsByWindow(const std::string& report)
{
    std::map<uint32_t, std::vector<std::string>> rows;
    std::istringstream lines(report);
    uint32_t window = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("window\t", 0) == 0) {
            window = uint32_t(std::stoul(line.substr(7)));
            rows[window];
        } else if (line.rfind("item\t", 0) == 0) {
            rows[window].push_back(line.substr(line.rfind('\t') + 1));
        }
    }
    return rows;
}

} // namespace

// An open list shows in a pop-up window of its own: its rows are that window's, so a reader
// finds the list where a person sees it, whatever the button's window holds (a menu bar too).
TEST(ControlsReport, AnOpenPopUpListsRowsUnderTheWindowThatShowsThem)
{
    ScopedVirtualClock clock{1000};
    WindowTestDriver driver;
    Ref<Window> window = Window::Make(Rect{100, 100, 300, 200}, kStyleTitled | kStyleClosable);
    auto popup = std::make_unique<PopUpButton>();
    for (const char* title : {"None", "OSC", "DMX"})
        popup->InsertItem(title, popup->ItemCount());
    popup->SelectItem(0);
    Ref<ControlView> view = ControlView::Make(Rect{10, 100, 100, 20}, std::move(popup));
    window->ContentView()->AddSubview(view.Get());
    window->MakeKeyAndOrderFront();

    std::map<uint32_t, std::vector<std::string>> open;
    int listLevel = 0;
    driver.PlanClick(window->ConvertBaseToScreen(Point{60, 110})); // the list stays open
    driver.PlanStep(50, [&] {
        open = RowsByWindow(ControlsReport::Text());
        for (const auto& [number, rows] : open)
            if (number != window->Number())
                listLevel = WindowServer::Shared().WithNumber(number)->Level();
    });
    driver.PlanKey("\x1b", 53);
    driver.Play();

    ASSERT_EQ(open.size(), 2u) << "the button's window and the list's";
    EXPECT_TRUE(open[window->Number()].empty()) << "the button's window shows no rows";
    const auto list = std::find_if(open.begin(), open.end(), [&](const auto& w) { return w.first != window->Number(); });
    EXPECT_EQ(listLevel, kLevelPopUpMenu);
    EXPECT_EQ(list->second, (std::vector<std::string>{"None", "OSC", "DMX"}));
    EXPECT_EQ(RowsByWindow(ControlsReport::Text()).size(), 1u) << "the list's window went with Escape";
}
