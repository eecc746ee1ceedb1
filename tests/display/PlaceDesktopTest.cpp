// Windows come back over the same screen area, and a maximized window is drawn whole, under a
// real window manager.
#include "tests/display/DesktopFixture.h"
#include "tests/display/ProgramProcess.h"
#include "platform/window/WindowServer.h"
#include "platform/window/sdl/SdlBackend.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>

using namespace plat;

namespace {

unsigned long XWindowOf(const Window& window)
{
    return static_cast<SdlBackend&>(WindowServer::Shared().Backend()).NativeWindow(window.Number());
}

bool Near(const Rect& a, const Rect& b)
{
    return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1 && std::abs(a.width - b.width) <= 1 &&
           std::abs(a.height - b.height) <= 1;
}

std::string Show(const Rect& r)
{
    std::ostringstream out;
    out << r.x << "," << r.y << " " << r.width << "x" << r.height;
    return out.str();
}

// Asks the window manager to maximize the window, as its title bar's button does.
const char* const kMaximize = R"(
import sys
from Xlib import display, X, protocol
d = display.Display()
w = d.create_resource_object('window', int(sys.argv[1]))
state = d.intern_atom('_NET_WM_STATE')
horz = d.intern_atom('_NET_WM_STATE_MAXIMIZED_HORZ')
vert = d.intern_atom('_NET_WM_STATE_MAXIMIZED_VERT')
event = protocol.event.ClientMessage(window=w, client_type=state, data=(32, [1, horz, vert, 1, 0]))
d.screen().root.send_event(event, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
d.sync()
)";

class PlaceOnDesktop : public DesktopTest {
protected:
    // Starts the program with a home of the test's own (kept across restarts within the test),
    // so that no earlier test's (or repeat's) windows reopen.
    void StartProgram()
    {
        fProgram = std::make_unique<ProgramProcess>(fHome);
        ASSERT_TRUE(fProgram->Started());
    }
    // Quits with Ctrl+Q in the program's key window; true when it ended by itself.
    bool QuitProgram()
    {
        if (!fProgram)
            return true;
        fX.Tap("q", {"Control_L"});
        return RunUntil([&] { return !fProgram->Alive(); }, 15000);
    }
    void TearDown() override
    {
        fProgram.reset();
        DesktopTest::TearDown();
    }
    // The X windows of the program's untitled documents, in stacking order of the search.
    std::vector<unsigned long> Documents()
    {
        std::string found;
        if (RunTool({"xdotool", "search", "--onlyvisible", "--name", "^untitled"}, &found) != 0)
            return {};
        std::vector<unsigned long> ids;
        std::istringstream lines(found);
        for (unsigned long id; lines >> id;)
            ids.push_back(id);
        return ids;
    }
    bool WaitForDocuments(size_t count)
    {
        return RunUntil([&] { return Documents().size() >= count; }, 15000);
    }
    // Waits until the window's area stops changing; answers it.
    Rect SettledArea(unsigned long id)
    {
        Rect last = fX.WindowArea(id);
        RunUntil([&] {
            RunUntil([] { return false; }, 200);
            const Rect now = fX.WindowArea(id);
            const bool still = Near(now, last);
            last = now;
            return still;
        });
        return last;
    }

    ProgramHome fHome;
    std::unique_ptr<ProgramProcess> fProgram;
};

} // namespace

TEST_F(PlaceOnDesktop, ANewWindowAndItsSuccessorShowOverTheAreaTheModelGaveThem)
{
    const Rect content{300, 260, 420, 240};
    const Rect area{content.x, content.y, content.width, content.height + Window::kMenuBarHeight};
    Ref<Window> first = ShowDocument(content, "Placed");
    // Shown where the model put it from the start, not first where the frame would have put it.
    EXPECT_TRUE(Near(fX.WindowArea(XWindowOf(*first)), area)) << Show(fX.WindowArea(XWindowOf(*first)));
    ASSERT_TRUE(ScreenShows({first.Get()}));
    RunUntil([] { return false; }, 300);  // the window manager's late reports are in
    const Rect model = first->ContentRect();
    EXPECT_TRUE(Near(model, content)) << "the model kept its place: " << Show(model);
    const Rect shown = fX.WindowArea(XWindowOf(*first));
    EXPECT_TRUE(Near(shown, area)) << "on the screen: " << Show(shown);

    // Closed, and a window opened again with the place it had: the same screen area.
    first->OrderOut();
    RunUntil([] { return false; }, 200);
    EXPECT_TRUE(Near(first->ContentRect(), model)) << "a hidden window keeps its place: " << Show(first->ContentRect());
    first->MakeKeyAndOrderFront();
    ASSERT_TRUE(ScreenShows({first.Get()}));
    RunUntil([] { return false; }, 300);
    EXPECT_TRUE(Near(fX.WindowArea(XWindowOf(*first)), shown)) << Show(fX.WindowArea(XWindowOf(*first)));
    first->OrderOut();
    Ref<Window> again = ShowDocument(model, "Placed again");
    ASSERT_TRUE(ScreenShows({again.Get()}));
    RunUntil([] { return false; }, 300);
    EXPECT_TRUE(Near(fX.WindowArea(XWindowOf(*again)), shown)) << Show(fX.WindowArea(XWindowOf(*again)));
}

TEST_F(PlaceOnDesktop, AMaximizedWindowIsDrawnWhole)
{
    Ref<Window> doc = ShowDocument(Rect{200, 300, 360, 240}, "Maximized");
    ASSERT_TRUE(ScreenShows({doc.Get()}));
    const std::string id = std::to_string(XWindowOf(*doc));
    ASSERT_EQ(RunTool({"/usr/bin/python3", "-c", kMaximize, id}), 0);
    ASSERT_TRUE(RunUntil([&] { return doc->ContentRect().width > 1000; })) << Show(doc->ContentRect());
    EXPECT_TRUE(ScreenShows({doc.Get()})) << ScreenDifference(*doc) << " pixels differ from the window's image";
}

TEST_F(PlaceOnDesktop, TheProgramsDocumentWindowKeepsItsPlaceCascadesAndComesBackAfterARestart)
{
    StartProgram();
    ASSERT_TRUE(WaitForDocuments(1));
    const unsigned long first = Documents().front();
    SettledArea(first);
    ASSERT_EQ(RunTool({"xdotool", "windowmove", "--sync", std::to_string(first), "260", "170"}), 0);
    const Rect moved = SettledArea(first);

    // A new window with the moved one still open: 18 across and 18 down from it.
    fX.Tap("n", {"Control_L"});
    ASSERT_TRUE(WaitForDocuments(2));
    unsigned long second = 0;
    for (unsigned long id : Documents())
        if (id != first)
            second = id;
    ASSERT_NE(second, 0u);
    const Rect cascaded = SettledArea(second);
    EXPECT_TRUE(Near(cascaded, Rect{moved.x + 18, moved.y - 18, moved.width, moved.height}))
        << "the new window shows at " << Show(cascaded) << " beside " << Show(moved);

    ASSERT_TRUE(QuitProgram()) << "Ctrl+Q did not quit";
    StartProgram();
    ASSERT_TRUE(WaitForDocuments(2));
    // Both come back over the areas they had, whichever opens first.
    std::vector<Rect> areas;
    for (unsigned long id : Documents())
        areas.push_back(SettledArea(id));
    std::string shown;
    for (const Rect& r : areas)
        shown += " " + Show(r);
    for (const Rect& before : {moved, cascaded})
        EXPECT_TRUE(std::any_of(areas.begin(), areas.end(), [&](const Rect& r) { return Near(r, before); }))
            << "a window comes back at " << Show(before) << "; the windows show at" << shown;
    EXPECT_TRUE(QuitProgram());
}
