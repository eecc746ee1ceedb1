// The program's submenus under a person's mouse and keys on the X server: Analysis > Channels
// > 4 gives four channel rows, and the FFT size and window function chosen in their submenus
// change the document's analysis; in the built program, idle, a rest on an item shows its
// submenu every time.
#include "tests/display/DesktopFixture.h"
#include "tests/display/ProgramReport.h"

#include "analysis/CSpectrumAnalyser.h"
#include "analysis/records/SnxFields.h"
#include "analysis/views/CSnxChList.h"
#include "analysis/window/CSpecWindow.h"
#include "app/CApp.h"
#include "app/CreateGlobals.h"
#include "foundation/records/LObject.h"
#include "platform/app/Application.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuActions.h"
#include "platform/menus/MenuBar.h"
#include "platform/menus/MenuDriver.h"
#include "platform/menus/MenuItem.h"
#include "platform/menus/MenuListView.h"
#include "platform/menus/MenuTracking.h"
#include "platform/window/FieldEditorActions.h"
#include "shell/app/AppDelegate.h"
#include "shell/menus/ProgramMainMenu.h"
#include "tests/support/ProgramResourceFile.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/windows/LWindow.h"

#include <algorithm>
#include <cmath>

using namespace plat;

namespace {

// The program as it runs for a person, in this process: its resource file, main menu,
// delegate and services, with a document window open and in front.
class ProgramSubmenus : public DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        if (HasFatalFailure())
            return;
        SetProgramResourceFile(fResources.Ref());
        LFormulaLayout prelude(nullptr, nullptr); // fills the process-wide layout prelude
        SetNilTargetResolver(&Resolve, &fDelegate);
        Application::Shared().SetDelegate(&fDelegate);
        SetMainMenu(MakeProgramMainMenu());
        ASSERT_EQ(CreateGlobals(), 0);
        fStarted = true;
        fDelegate.SetMain(&CApp::Get()->MainLoop());
        fDoc = CApp::Get()->OpenDocument("");
        ASSERT_NE(fDoc, nullptr);
        Window& native = Native();
        native.MakeKeyAndOrderFront();
        ASSERT_TRUE(RunUntil([&] { return native.IsVisible() && native.IsKey(); }));
        Serve(300); // the window manager has mapped it
    }
    void TearDown() override
    {
        MenuTracking::Shared().Close();
        if (fStarted) {
            fDelegate.SetMain(nullptr);
            DestroyGlobals();
        }
        SetNilTargetResolver(nullptr, nullptr);
        DesktopTest::TearDown();
        SetProgramResourceFile(0);
    }

    Window& Native() const { return *fDoc->Window()->Native(); }
    // Lets the time pass with the program's loop served.
    static void Serve(int ms) { RunUntil([] { return false; }, ms); }
    // The pointer goes to the point as a hand moves it: a step of at most 10 px every 16 ms.
    void Glide(const Point& to)
    {
        const int steps = std::max(1, int(std::ceil(std::hypot(to.x - fAt.x, to.y - fAt.y) / 10.0)));
        const Point from = fAt;
        for (int i = 1; i <= steps; ++i) {
            fAt = Point{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
            fX.MoveTo(fAt);
            Serve(16);
        }
    }
    void ClickAt(const Point& at)
    {
        Glide(at);
        fX.Press();
        Serve(120);
        fX.Release();
        Serve(80);
    }
    // A key held 40 ms, then 80 ms before the next one.
    void Key(const std::string& name)
    {
        ASSERT_EQ(RunTool({"xdotool", "keydown", name}), 0);
        Serve(40);
        ASSERT_EQ(RunTool({"xdotool", "keyup", name}), 0);
        Serve(80);
    }
    // The middle of a bar title of the document window.
    Point Title(const std::string& text) const
    {
        const std::vector<MenuBar::Title> titles = MenuBar::Titles();
        const auto title = std::find_if(titles.begin(), titles.end(), [&](const auto& t) { return t.text == text; });
        EXPECT_NE(title, titles.end()) << text;
        const Rect content = Native().ContentRect();
        return Point{content.x + title->x + title->width / 2, content.y + content.height + Window::kMenuBarHeight / 2};
    }
    // The row of an open menu level that shows the title.
    static int RowOf(int level, const std::string& title)
    {
        const MenuListView* list = MenuTracking::Shared().LevelList(level);
        return list ? list->ItemMenu()->IndexOf(list->ItemMenu()->ItemWithTitle(title).get()) : -1;
    }
    // A point 40 px in from the left of the row, at its middle height.
    static Point Row(int level, int row)
    {
        const Rect frame = MenuTracking::Shared().LevelWindow(level)->Frame();
        const double top = MenuTracking::Shared().LevelList(level)->RowTopInView(row);
        return Point{frame.x + 40, frame.y + frame.height - top - 10};
    }
    static bool Depth(int depth) { return MenuTracking::Shared().Depth() == depth; }
    // From an item to its submenu's row: across to the submenu first, then along it.
    void IntoSubmenu(const std::string& title)
    {
        const int row = RowOf(1, title);
        ASSERT_GE(row, 0) << title;
        Glide(Point{Row(1, row).x, fAt.y});
        Glide(Row(1, row));
    }
    int Byte(int field) const { return fDoc->Document().Common()->GetByte(field); }

    ProgramResourceFile fResources;
    AppDelegate fDelegate;
    bool fStarted = false;
    CSpecWindow* fDoc = nullptr;
    Point fAt{700, 100};

private:
    static ActionResponder* Resolve(void* context, std::string_view action)
    {
        if (ActionResponder* editor = FieldEditorResponder(action))
            return editor;
        auto* responder = static_cast<ActionResponder*>(context);
        return responder->RespondsTo(action) ? responder : nullptr;
    }
};

} // namespace

TEST_F(ProgramSubmenus, AnalysisChannelsFourByMouseGivesFourChannelRows)
{
    ASSERT_NE(fDoc->ChannelList().Rows(), 4);
    fX.MoveTo(fAt);
    ClickAt(Title("Analysis"));
    ASSERT_TRUE(RunUntil([] { return Depth(1); }));
    const int channels = RowOf(0, "Channels");
    ASSERT_GE(channels, 0);
    Glide(Row(0, channels));
    Serve(int(MenuTracking::kSubmenuDelayMs) + 100); // the pointer rests on the item
    ASSERT_TRUE(RunUntil([] { return Depth(2); }));
    // The submenu beside the bar menu, on the screen as the program drew them.
    EXPECT_TRUE(ScreenShows({MenuTracking::Shared().MenuWindow(), MenuTracking::Shared().LevelWindow(1)}))
        << ScreenDifference(*MenuTracking::Shared().LevelWindow(1)) << " pixels differ";
    IntoSubmenu("4");
    ClickAt(fAt);
    ASSERT_TRUE(RunUntil([&] { return fDoc->ChannelList().Rows() == 4; })) << fDoc->ChannelList().Rows();
    EXPECT_EQ(fDoc->Analyser().ChannelCount(), 4u);
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());
}

TEST_F(ProgramSubmenus, FFTSizeAndWindowFunctionChosenInTheirSubmenusChangeTheAnalysis)
{
    ASSERT_GT(fDoc->Analyser().ChannelCount(), 0u);
    ASSERT_NE(Byte(kComnFtsx), 12);
    // FFT Size > 4096: pressed on the title, dragged through the menus, released on the size.
    fX.MoveTo(fAt);
    Glide(Title("Analysis"));
    fX.Press();
    Serve(50);
    ASSERT_TRUE(RunUntil([] { return Depth(1); }));
    Glide(Row(0, RowOf(0, "FFT Size")));
    ASSERT_TRUE(RunUntil([] { return Depth(2); }, 300)) << "reached with the button held it opens at once";
    IntoSubmenu("4096");
    Serve(50);
    fX.Release();
    ASSERT_TRUE(RunUntil([&] { return Byte(kComnFtsx) == 12; })) << Byte(kComnFtsx);
    EXPECT_EQ(fDoc->Analyser().Channel(0)->power.size(), 4096u / 2);

    // Window Function > Hamming: a click on the item opens it, a click on Hamming chooses.
    ClickAt(Title("Analysis"));
    ASSERT_TRUE(RunUntil([] { return Depth(1); }));
    ClickAt(Row(0, RowOf(0, "Window Function")));
    ASSERT_TRUE(RunUntil([] { return Depth(2); }));
    IntoSubmenu("Hamming");
    ClickAt(fAt);
    ASSERT_TRUE(RunUntil([&] { return Byte(kComnWnfc) == 2; })) << Byte(kComnWnfc);

    // By the keys: Rectangular, the first of the submenu. The menu shows Hamming checked.
    ClickAt(Title("Analysis"));
    ASSERT_TRUE(RunUntil([] { return Depth(1); }));
    Glide(Point{fAt.x, fAt.y + 200}); // off the menus, out of the way
    const int windowFunction = RowOf(0, "Window Function");
    while (MenuTracking::Shared().List()->Highlighted() != windowFunction && MenuTracking::Shared().IsOpen()
           && MenuTracking::Shared().List()->Highlighted() < int(MenuTracking::Shared().List()->ItemMenu()->Count()) - 1)
        Key("Down");
    ASSERT_EQ(MenuTracking::Shared().List()->Highlighted(), windowFunction);
    Key("Right");
    ASSERT_TRUE(RunUntil([] { return Depth(2); }));
    EXPECT_EQ(MenuDriver::Find({"Analysis", "Window Function", "Hamming"})->State(), 1);
    EXPECT_EQ(MenuTracking::Shared().LevelList(1)->Highlighted(), RowOf(1, "Rectangular"));
    Key("Return");
    ASSERT_TRUE(RunUntil([&] { return Byte(kComnWnfc) == 0; })) << Byte(kComnWnfc);
    EXPECT_EQ(Byte(kComnFtsx), 12);
}

// The program idle in its own process: nothing but the submenu's delay wakes it, and the
// submenu is on the screen (and in the report, written as the screen is painted) well within a
// rest of 800 ms, every time.
TEST_F(ProgramReport, ARestOnAnItemShowsItsSubmenuEveryTime)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::optional<Shown> title = Await(ShownPart::BarTitle, "Analysis");
    ASSERT_TRUE(title);
    int shown = 0;
    for (int attempt = 0; attempt < 10; ++attempt) {
        fX.Click(title->Middle());
        const std::optional<Shown> item = Await(ShownPart::Row, "Channels", 3000);
        ASSERT_TRUE(item) << "the Analysis menu did not open";
        fX.Glide(title->Middle(), item->Middle());
        fX.Wait(800);
        if (Find(ShownPart::Row, "4"))
            ++shown;
        fX.Tap("Escape");
        fX.Tap("Escape");
        ASSERT_TRUE(RunUntil([&] { return !Find(ShownPart::Row, "Channels"); })) << "the menus stayed open";
    }
    EXPECT_EQ(shown, 10);
}
