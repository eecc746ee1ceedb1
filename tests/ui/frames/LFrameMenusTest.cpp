#include "tests/ui/menus/MenuTestKit.h"
#include "tests/ui/panes/PaneTestKit.h"
#include "ui/frames/LFrame.h"
#include "ui/windows/LWindow.h"

namespace {

using FrameMenus = MenuFixture;

std::vector<std::string> Titles(const LMenuBar& bar)
{
    std::vector<std::string> titles;
    for (SSLink* link : bar.Menus())
        titles.push_back(static_cast<LMenu*>(link)->Name().Text());
    return titles;
}

TEST_F(FrameMenus, AFramesMenusVisitTheBarWhileItsWindowIsActive)
{
    LMenuBar bar(&app, "APP", shipped.get());
    const std::vector<std::string> plain = Titles(bar);
    ASSERT_FALSE(plain.empty());
    ConsumingRecorder top;
    LFrame frame(&top, nullptr);
    LStrList list({0, "FFTSIZE"}, shipped.get(), kStrListMenu);
    frame.Menus().PushBack(new LMenu(nullptr, list, shipped.get()));

    frame.InstallMenus();
    std::vector<std::string> with = Titles(bar);
    EXPECT_EQ(with.size(), plain.size() + 1);
    EXPECT_NE(std::find(with.begin(), with.end(), "FFTSIZE"), with.end());
    frame.RemoveMenus();
    EXPECT_EQ(Titles(bar), plain);
    EXPECT_EQ(frame.Menus().Count(), 1u) << "the menu is back in the frame's list";
    frame.InstallMenus();
}

} // namespace
