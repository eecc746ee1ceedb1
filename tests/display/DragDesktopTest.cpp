// A person drags a fader row from one document's window to another's: the press, the moves
// and the release reach the program through the X server while the drag runs.
#include "tests/display/DesktopFixture.h"
#include "controls/drag/CDragger.h"
#include "platform/window/DragTracking.h"
#include "shell/windows/CDesktop.h"
#include "tests/controls/lists/ListDragKit.h"
#include "tests/outputs/FaderDocumentKit.h"
#include "tests/support/FireDueTimers.h"

#include <chrono>
#include <thread>

namespace {

// The program's resources and input objects for framework windows on the desktop, with the
// user's pointer playing drags.
class FrameworkOnDesktop {
public:
    FrameworkOnDesktop() : fPrevious(LResourceSource::Global())
    {
        LResourceSource::SetGlobal(&fResources.Source());
        LFormulaLayout prelude(nullptr, nullptr);  // fills the process-wide prelude store
        CDragger::SetDragRunner(&plat::DragTracking::Run);
    }
    ~FrameworkOnDesktop()
    {
        CDragger::SetDragRunner(nullptr);
        LResourceSource::SetGlobal(fPrevious);
    }
    const CNativeWindowKind* DocumentKind() const { return static_cast<const CNativeWindowKind*>(fKind.Get()); }

private:
    ProgramResourceFile fResources;
    LResourceSource* fPrevious;
    CDesktop fDesktop;
    LMouse fMouse;
    LRef fKind{new CNativeWindowKind(9)};
};

} // namespace

TEST_F(DesktopTest, AFaderRowDraggedToAnotherWindowIsCopiedThere)
{
    FrameworkOnDesktop framework;
    FaderDocument source({40, 80, 620, 420}, framework.DocumentKind());
    FaderDocument target({700, 80, 1280, 420}, framework.DocumentKind());
    source.Add("AB");
    target.Add("XY");
    source.List().ApplySelection(RowSet({0}));
    ASSERT_TRUE(ScreenShows({source.window->GetNativeWindow(), target.window->GetNativeWindow()}));
    // The person works in the source window: it takes the focus once the window manager has
    // given it to the window that opened last.
    RunUntil([] { return false; }, 300);
    source.window->GetNativeWindow()->MakeKeyAndOrderFront();
    ASSERT_TRUE(RunUntil([&] { return source.window->GetNativeWindow()->IsKey(); }));

    const CLRect cell = source.List().CellRect({0, 0});
    const plat::Point from = ListDragKit::Screen(source.List(), {cell.left + 2, cell.top + 2});
    const plat::Point to = ListDragKit::Gap(target.List(), 1);
    // The hand moves while the program runs the drag; the X server queues what it does.
    std::thread hand([&] {
        const auto pause = [] { std::this_thread::sleep_for(std::chrono::milliseconds(150)); };
        fX.MoveTo(from);
        fX.Press();
        pause();
        fX.MoveTo({from.x, from.y - 10});
        pause();
        fX.MoveTo({(from.x + to.x) / 2, to.y});  // between the windows
        pause();
        fX.MoveTo(to);
        pause();
        fX.Release();
        fX.Sync();
    });
    const bool copied = RunUntil(
        [&] {
            FireDueTimers();  // the framework's timers, as the main loop serves them
            return target.Names() == "XAY";
        },
        10000);
    hand.join();
    EXPECT_TRUE(copied) << "target shows " << target.Names();
    EXPECT_EQ(source.Names(), "AB");
    EXPECT_FALSE(plat::DragTracking::IsRunning());
}
