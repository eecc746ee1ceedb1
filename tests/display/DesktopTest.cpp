// The window system on a real X server: input through XTest, screenshots of the root window.
#include "tests/display/DesktopFixture.h"
#include "foundation/geometry/CLRect.h"
#include "platform/app/Application.h"
#include "platform/app/ApplicationDelegate.h"
#include "platform/controls/ControlView.h"
#include "platform/controls/Slider.h"
#include "platform/controls/TextFieldView.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuActions.h"
#include "platform/menus/MenuBar.h"
#include "platform/menus/MenuItem.h"
#include "platform/menus/MenuListView.h"
#include "platform/menus/MenuTracking.h"
#include "platform/window/Event.h"
#include "platform/window/Pasteboard.h"
#include "platform/window/Screens.h"
#include "platform/window/View.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "platform/window/sdl/SdlBackend.h"
#include "shell/windows/CDesktop.h"

#include <string>

using namespace plat;

namespace {

// Counts the menu commands that reach it.
class CommandCounter final : public ActionResponder {
public:
    bool RespondsTo(std::string_view action) const override { return action == "runTest:"; }
    void Perform(std::string_view, MenuItem*) override { ++runs; }
    int runs = 0;
};

// A program whose document has unsaved changes: it asks before quitting and keeps running.
class ModifiedDocument final : public ApplicationDelegate {
public:
    TerminateReply ShouldTerminate() override
    {
        ++asked;
        return TerminateReply::Cancel;
    }
    int asked = 0;
};

// The window's owner: it asks before closing while modified.
class CloseQuestion final : public WindowDelegate {
public:
    bool ShouldClose(Window&) override
    {
        ++asked;
        return !modified;
    }
    bool modified = true;
    int asked = 0;
};

std::shared_ptr<MenuItem> BarMenu(const std::string& title, std::vector<std::shared_ptr<MenuItem>> items)
{
    std::shared_ptr<Menu> menu = Menu::Make(title);
    for (auto& item : items)
        menu->Add(item);
    std::shared_ptr<MenuItem> owner = MenuItem::Make(title);
    owner->SetSubmenu(menu);
    return owner;
}

// File (Run Test Ctrl+R, Quit Ctrl+Q) and Edit (Copy Ctrl+C) menus.
void InstallMenus(CommandCounter& counter)
{
    std::shared_ptr<MenuItem> run = MenuItem::Make("Run Test", "runTest:", "r");
    run->SetTarget(&counter);
    std::shared_ptr<MenuItem> quit = MenuItem::Make("Quit", "terminate:", "q");
    quit->SetTarget(&Application::Shared());
    std::shared_ptr<Menu> main = Menu::Make("Main");
    main->Add(BarMenu("File", {run, MenuItem::MakeSeparator(), quit}));
    main->Add(BarMenu("Edit", {MenuItem::Make("Copy", "copy:", "c")}));
    SetMainMenu(main);
}

// The screen point in the middle of a bar title of the window.
Point TitlePoint(const Window& window, int title)
{
    const MenuBar::Title t = MenuBar::Titles().at(size_t(title));
    const Rect content = window.ContentRect();
    return Point{content.x + t.x + t.width / 2, content.y + content.height + Window::kMenuBarHeight / 2};
}

// The screen point of a row of the open menu.
Point RowPoint(int row)
{
    const Window* menu = MenuTracking::Shared().MenuWindow();
    const Rect frame = menu->Frame();
    double top = 1;
    for (int i = 0; i < row; ++i)
        top += menu && MenuTracking::Shared().List()->ItemMenu()->ItemAt(size_t(i))->IsSeparator() ? 9 : 20;
    return Point{frame.x + 40, frame.y + frame.height - top - 10};
}

unsigned long NativeOf(const Window& window)
{
    return static_cast<SdlBackend&>(WindowServer::Shared().Backend()).NativeWindow(window.Number());
}

} // namespace

TEST_F(DesktopTest, MenuBarOpensOnAClickAndItsItemRunsTheCommand)
{
    CommandCounter counter;
    InstallMenus(counter);
    Ref<Window> doc = ShowDocument(Rect{200, 300, 480, 300}, "Menu test");
    ASSERT_TRUE(ScreenShows({doc.Get()})) << ScreenDifference(*doc) << " pixels differ";

    fX.Click(TitlePoint(*doc, 0));
    ASSERT_TRUE(RunUntil([] { return MenuTracking::Shared().IsOpen(); }));
    EXPECT_EQ(MenuTracking::Shared().OpenTitle(*doc), 0);
    // The bar with its open title and the open menu, exactly as the model drew them.
    ASSERT_TRUE(ScreenShows({doc.Get(), MenuTracking::Shared().MenuWindow()}))
        << ScreenDifference(*doc) << " / " << ScreenDifference(*MenuTracking::Shared().MenuWindow());

    fX.Click(RowPoint(0));
    ASSERT_TRUE(RunUntil([&] { return counter.runs == 1; }));
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());
    EXPECT_TRUE(ScreenShows({doc.Get()}));
}

TEST_F(DesktopTest, KeyboardWorksInAnOpenMenuAndCtrlQAsksToQuit)
{
    CommandCounter counter;
    InstallMenus(counter);
    ModifiedDocument program;
    Application::Shared().SetDelegate(&program);
    Ref<Window> doc = ShowDocument(Rect{240, 260, 420, 260}, "Keys");
    ASSERT_TRUE(ScreenShows({doc.Get()}));

    fX.Click(TitlePoint(*doc, 1)); // Edit
    ASSERT_TRUE(RunUntil([] { return MenuTracking::Shared().IsOpen(); }));
    fX.Tap("Left");                // to File
    ASSERT_TRUE(RunUntil([&] { return MenuTracking::Shared().OpenTitle(*doc) == 0; }));
    fX.Tap("Down");
    fX.Tap("Return");              // Run Test
    ASSERT_TRUE(RunUntil([&] { return counter.runs == 1; }));
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());

    fX.Click(TitlePoint(*doc, 0));
    ASSERT_TRUE(RunUntil([] { return MenuTracking::Shared().IsOpen(); }));
    fX.Tap("Escape");
    ASSERT_TRUE(RunUntil([] { return !MenuTracking::Shared().IsOpen(); }));
    EXPECT_EQ(counter.runs, 1);

    fX.Tap("q", {"Control_L"});
    ASSERT_TRUE(RunUntil([&] { return program.asked == 1; }));
    EXPECT_FALSE(Application::Shared().HasTerminated());
}

namespace {

// A view that keeps the wheel movement it hears.
class WheelView final : public View {
public:
    static Ref<WheelView> Make(const Rect& frame) { return Ref<WheelView>::Adopt(new WheelView(frame)); }
    void ScrollWheel(const Event& event) override { deltaY += event.deltaY; }
    double deltaY = 0;

private:
    explicit WheelView(const Rect& frame) : View(frame) {}
};

} // namespace

TEST_F(DesktopTest, TheWheelReachesTheViewUnderThePointer)
{
    Ref<Window> doc = ShowDocument(Rect{300, 200, 300, 200}, "Wheel");
    Ref<WheelView> view = WheelView::Make(Rect{0, 0, 300, 200});
    doc->ContentView()->AddSubview(view.Get());
    ASSERT_TRUE(ScreenShows({doc.Get()}));
    fX.MoveTo(Point{450, 300});
    fX.Press(4); // one step away from the user: up
    fX.Release(4);
    ASSERT_TRUE(RunUntil([&] { return view->deltaY > 0; }));
    fX.Press(5);
    fX.Release(5);
    fX.Press(5);
    fX.Release(5);
    ASSERT_TRUE(RunUntil([&] { return view->deltaY < 0; }));
}

TEST_F(DesktopTest, TypedTextReachesTheFieldAndASliderFollowsTheDrag)
{
    Ref<Window> doc = ShowDocument(Rect{300, 200, 400, 200}, "Controls");
    Ref<TextFieldView> field = TextFieldView::Make(Rect{20, 140, 300, 24});
    auto slider = std::make_unique<Slider>();
    slider->SetMaxValue(100);
    Slider* model = slider.get();
    Ref<ControlView> sliderView = ControlView::Make(Rect{20, 60, 216, 20}, std::move(slider));
    doc->ContentView()->AddSubview(field.Get());
    doc->ContentView()->AddSubview(sliderView.Get());
    ASSERT_TRUE(ScreenShows({doc.Get()}));

    const Rect content = doc->ContentRect();
    fX.Click(Point{content.x + 60, content.y + 152});
    ASSERT_TRUE(RunUntil([&] { return field->IsEditing(); }));
    fX.Type("Hello World 42");
    ASSERT_TRUE(RunUntil([&] { return field->StringValue() == "Hello World 42"; })) << field->StringValue();

    // The knob starts at the left end: press on it and drag to the right end.
    fX.MoveTo(Point{content.x + 28, content.y + 70});
    fX.Press();
    for (int x = 40; x <= 260; x += 20)
        fX.MoveTo(Point{content.x + x, content.y + 70});
    fX.Release();
    ASSERT_TRUE(RunUntil([&] { return model->IntValue() == 100; })) << model->IntValue();
    EXPECT_TRUE(ScreenShows({doc.Get()}));
}

TEST_F(DesktopTest, WindowManagerMovesResizesAndClosesThroughTheModel)
{
    Ref<Window> doc = ShowDocument(Rect{200, 200, 360, 240}, "Frame");
    CloseQuestion owner;
    doc->SetDelegate(&owner);
    ASSERT_TRUE(ScreenShows({doc.Get()}));
    const std::string id = std::to_string(NativeOf(*doc));
    ASSERT_NE(id, "0");

    // The model's window lies where the X server shows it: content below the bar.
    auto followsServer = [&] {
        const Rect shown = fX.WindowArea(NativeOf(*doc));
        const Rect content = doc->ContentRect();
        return shown.x == content.x && shown.y == content.y && shown.width == content.width
            && shown.height == content.height + Window::kMenuBarHeight;
    };
    const Rect before = doc->ContentRect();
    ASSERT_EQ(RunTool({"xdotool", "windowmove", "--sync", id, "100", "150"}), 0);
    ASSERT_TRUE(RunUntil([&] { return doc->ContentRect().x != before.x && followsServer(); }));
    EXPECT_EQ(doc->ContentRect().width, before.width);

    ASSERT_EQ(RunTool({"xdotool", "windowsize", "--sync", id, "500", "322"}), 0);
    ASSERT_TRUE(RunUntil([&] { return doc->ContentRect().width == 500 && followsServer(); }));
    EXPECT_EQ(doc->ContentRect().height, 300);
    ASSERT_TRUE(ScreenShows({doc.Get()}));

    fX.Tap("F4", {"Alt_L"}); // the window manager's close
    ASSERT_TRUE(RunUntil([&] { return owner.asked == 1; }));
    EXPECT_TRUE(doc->IsVisible()); // modified: it stays
    owner.modified = false;
    fX.Tap("F4", {"Alt_L"});
    ASSERT_TRUE(RunUntil([&] { return !doc->IsVisible(); }));
    doc->SetDelegate(nullptr);
}

TEST_F(DesktopTest, GeneralPasteboardTextIsTheDesktopClipboard)
{
    Ref<Window> doc = ShowDocument(Rect{200, 200, 300, 120}, "Clipboard");
    ASSERT_TRUE(ScreenShows({doc.Get()}));
    Pasteboard::General().Clear();
    Pasteboard::General().SetText(Pasteboard::kTypeText, "copied in Sonalyx");
    std::string pasted;
    ASSERT_EQ(RunTool({"xclip", "-o", "-selection", "clipboard"}, &pasted), 0);
    EXPECT_EQ(pasted, "copied in Sonalyx");

    ASSERT_EQ(RunTool({"xclip", "-i", "-selection", "clipboard", "-loops", "1"}, nullptr, "copied elsewhere"), 0);
    ASSERT_TRUE(RunUntil([] {
        const auto data = Pasteboard::General().Data(Pasteboard::kTypeText);
        return data && std::string(data->begin(), data->end()) == "copied elsewhere";
    }));
}

namespace {

// A window that takes dropped files and keeps their URLs.
class DropTarget final : public WindowDelegate {
public:
    uint32_t DraggingEntered(const DraggingInfo&) override { return kDragCopy; }
    uint32_t DraggingUpdated(const DraggingInfo&) override { return kDragCopy; }
    bool PrepareForDragOperation(const DraggingInfo&) override { return true; }
    bool PerformDragOperation(const DraggingInfo& info) override
    {
        for (size_t i = 0; i < info.pasteboard->ItemCount(); ++i) {
            const auto& item = info.pasteboard->ItemAt(i);
            if (auto it = item.find(Pasteboard::kTypeFileUrl); it != item.end())
                urls.emplace_back(it->second.begin(), it->second.end());
        }
        return true;
    }
    std::vector<std::string> urls;
};

// The program's part in drops no window takes: it opens the files.
class FileOpener final : public ApplicationDelegate {
public:
    bool OpenFile(const std::string& path) override
    {
        opened.push_back(path);
        return true;
    }
    std::vector<std::string> opened;
};

std::string DropScript()
{
    return std::string(SONALYX_SOURCE_DIR) + "/tests/display/xdnd_drop.py";
}

} // namespace

TEST_F(DesktopTest, FilesDroppedFromAFileManagerArriveAtThePointer)
{
    Ref<Window> doc = ShowDocument(Rect{200, 200, 360, 240}, "Drop");
    DropTarget target;
    doc->SetDelegate(&target);
    doc->RegisterForDraggedTypes({Pasteboard::kTypeFileUrl});
    ASSERT_TRUE(ScreenShows({doc.Get()}));
    const std::string id = std::to_string(NativeOf(*doc));
    fX.MoveTo(Point{300, 300});
    ASSERT_EQ(RunTool({"/usr/bin/python3", DropScript(), id, "300", "600", "/tmp/a b.snx", "/tmp/take.tks"}), 0);
    ASSERT_TRUE(RunUntil([&] { return target.urls.size() == 2; }));
    EXPECT_EQ(target.urls[0], "file:///tmp/a%20b.snx");
    EXPECT_EQ(target.urls[1], "file:///tmp/take.tks");

    // Over a window that takes no files the program opens them.
    doc->UnregisterDraggedTypes();
    FileOpener program;
    Application::Shared().SetDelegate(&program);
    ASSERT_EQ(RunTool({"/usr/bin/python3", DropScript(), id, "300", "600", "/tmp/c.snx"}), 0);
    ASSERT_TRUE(RunUntil([&] { return program.opened.size() == 1; }));
    EXPECT_EQ(program.opened[0], "/tmp/c.snx");
    doc->SetDelegate(nullptr);
}

TEST_F(DesktopTest, TheDisplaysAreTheScreensAndAStoredRectangleOffThemComesBack)
{
    const std::vector<Screen> screens = Screens::All();
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0].frame.width, 1440);
    EXPECT_EQ(screens[0].frame.height, 900);
    // A window rectangle stored on a display that is gone lands on the main screen.
    CLRect stored{3000, 2000, 3400, 2300};
    CDesktop::ShiftOntoScreen(nullptr, stored);
    EXPECT_EQ(stored.Width(), 400);
    EXPECT_EQ(stored.Height(), 300);
    EXPECT_LE(stored.right, 1440);
    EXPECT_LE(stored.bottom, 900);
}
