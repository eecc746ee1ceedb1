// The program's submenus under a person's mouse and keys in the in-memory window system, on
// the virtual clock: a choice there reaches the document as the command of its item, and the
// document's render passes go on while the menus are open.
#include "analysis/window/CSpecWindow.h"
#include "analysis/records/SnxFields.h"
#include "analysis/views/CSnxChList.h"
#include "platform/menus/MenuBar.h"
#include "platform/menus/MenuListView.h"
#include "platform/menus/MenuTracking.h"
#include "tests/app/AppRunKit.h"
#include "tests/platform/menus/MenuPerson.h"
#include "ui/windows/LWindow.h"

#include <gtest/gtest.h>

namespace {

class AppSubmenus : public AppRunTest {
protected:
    void SetUp() override
    {
        AppRunTest::SetUp();
        Start();
        document = CApp::Get()->OpenDocument("");
        ASSERT_NE(document, nullptr);
        Native().MakeKeyAndOrderFront();
    }
    void TearDown() override
    {
        plat::MenuTracking::Shared().Close();
        Stop(); // while the clock the services started with still runs
        AppRunTest::TearDown();
    }
    plat::Window& Native() const { return *document->Window()->Native(); }
    plat::Point Title(const std::string& text) const
    {
        for (const plat::MenuBar::Title& title : plat::MenuBar::Titles())
            if (title.text == text) {
                const plat::Rect content = Native().ContentRect();
                return {content.x + title.x + 5, content.y + content.height + 11};
            }
        ADD_FAILURE() << text;
        return {};
    }
    static plat::Point Row(int level, const std::string& title)
    {
        const plat::MenuListView* list = plat::MenuTracking::Shared().LevelList(level);
        EXPECT_NE(list, nullptr) << title;
        if (!list)
            return {};
        const int row = list->ItemMenu()->IndexOf(list->ItemMenu()->ItemWithTitle(title).get());
        EXPECT_GE(row, 0) << title;
        const plat::Rect frame = plat::MenuTracking::Shared().LevelWindow(level)->Frame();
        return {frame.x + 30, frame.y + frame.height - list->RowTopInView(row) - 10};
    }
    static int Depth() { return plat::MenuTracking::Shared().Depth(); }
    int Byte(int field) const { return document->Document().Common()->GetByte(field); }

    plat::ScopedVirtualClock clock{5000};
    CSpecWindow* document = nullptr;
};

} // namespace

TEST_F(AppSubmenus, ChannelsChosenByMouseGiveTheRowsWhileRenderPassesGoOn)
{
    plat::MenuPerson person(windows, clock.clock(), plat::Point{700, 100});
    person.Click(Title("Analysis"));
    ASSERT_EQ(Depth(), 1);
    const uint32_t passes = document->ChannelList().RenderPasses();
    person.MoveTo(Row(0, "Channels"));
    document->ChannelList().RequestRender(); // as new samples ask for a pass
    person.Wait(plat::MenuTracking::kSubmenuDelayMs);
    ASSERT_EQ(Depth(), 2);
    EXPECT_GT(document->ChannelList().RenderPasses(), passes) << "the render timer fires while the menu is open";
    person.MoveTo(plat::Point{Row(1, "4").x, person.At().y});
    person.Click(Row(1, "4"));
    EXPECT_FALSE(plat::MenuTracking::Shared().IsOpen());
    EXPECT_EQ(document->ChannelList().Rows(), 4);
    EXPECT_EQ(document->Analyser().ChannelCount(), 4u);
}

TEST_F(AppSubmenus, FFTSizeByDragAndWindowFunctionByKeysReachTheDocument)
{
    plat::MenuPerson person(windows, clock.clock(), Title("Analysis"));
    person.Press();
    person.Wait(50);
    person.MoveTo(Row(0, "FFT Size"));
    ASSERT_EQ(Depth(), 2);
    person.MoveTo(plat::Point{Row(1, "2048").x, person.At().y});
    person.MoveTo(Row(1, "2048"));
    person.Release();
    EXPECT_EQ(Byte(kComnFtsx), 11);
    EXPECT_EQ(document->Analyser().Channel(0)->power.size(), 1024u);

    person.Click(Title("Analysis"));
    person.MoveTo(plat::Point{700, 100});
    const int row = plat::MenuTracking::Shared().List()->ItemMenu()->IndexOf(
        plat::MenuTracking::Shared().List()->ItemMenu()->ItemWithTitle("Window Function").get());
    for (int i = 0; i < 20 && plat::MenuTracking::Shared().List()->Highlighted() != row; ++i)
        person.Key("\uF701");
    person.Key("\uF703");
    ASSERT_EQ(Depth(), 2);
    person.Key("\uF701");
    person.Key("\uF701");
    person.Key("\r"); // Hamming
    EXPECT_EQ(Byte(kComnWnfc), 2);
    EXPECT_EQ(Byte(kComnFtsx), 11);
}
