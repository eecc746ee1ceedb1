// The built program under a person's clicks through the X server: its push buttons and
// dialogs answer a normal click (press, 120 ms, release).
#include "tests/display/DesktopFixture.h"
#include "tests/display/ProgramProcess.h"

#include <sstream>

namespace {

// The program started with a home of its own, operated through what X shows of it.
class ProgramControls : public DesktopTest {
protected:
    // The top-left corner (root window pixels) of the visible window whose name matches; false
    // when none shows.
    bool WindowAt(const std::string& pattern, int& x, int& y)
    {
        std::string out;
        if (RunTool({"xdotool", "search", "--onlyvisible", "--name", pattern, "getwindowgeometry", "%@"}, &out) != 0)
            return false;
        const size_t at = out.find("Position: ");
        if (at == std::string::npos)
            return false;
        char comma = 0;
        std::istringstream(out.substr(at + 10)) >> x >> comma >> y;
        return true;
    }
    // Waits for the program's first window and makes sure an untitled document shows.
    void OpenUntitled()
    {
        ASSERT_TRUE(RunUntil([&] { return Shows("^Sonalyx$") || Shows("^untitled"); }, 15000));
        if (!Shows("^untitled")) {
            fX.Tap("n", {"Control_L"});
            ASSERT_TRUE(RunUntil([&] { return Shows("^untitled"); }, 15000));
        }
    }
    bool Shows(const std::string& pattern)
    {
        int x = 0, y = 0;
        return WindowAt(pattern, x, y);
    }
    // A normal click at a place of a window given in its pixels from the top-left corner.
    void ClickIn(const std::string& pattern, int dx, int dy)
    {
        int x = 0, y = 0;
        ASSERT_TRUE(WindowAt(pattern, x, y)) << "no window " << pattern;
        fX.Click(plat::Point{double(x + dx), double(899 - (y + dy))}); // model y grows upward
    }

    ProgramHome fHome;
};

// Where things are in the program's windows, in pixels from the window's top-left corner.
constexpr int kSourceX = 33, kSourceY = 15;   // the document window's "Source…" button
constexpr int kCancelX = 204, kCancelY = 44;  // the source chooser's Cancel button
constexpr int kAppMenuX = 39, kAppMenuY = -11; // the program's menu title, above the content
constexpr int kAboutX = 73, kAboutY = 12;      // its first item, "About Sonalyx"
constexpr int kAboutOkX = 415, kAboutOkY = 96; // the About box's OK button
constexpr int kAlertCancelX = 306, kAlertCancelY = 87;     // the save-changes alert's Cancel
constexpr int kAlertDontSaveX = 151, kAlertDontSaveY = 87; // and its Don't Save

} // namespace

TEST_F(ProgramControls, NormalClicksOpenTheSourceChooserAndCancelIt)
{
    ProgramProcess program(fHome);
    ASSERT_TRUE(program.Started());
    ASSERT_NO_FATAL_FAILURE(OpenUntitled());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ClickIn("^untitled", kSourceX, kSourceY);
        ASSERT_TRUE(RunUntil([&] { return Shows("^Serial Port$"); }, 5000)) << "Source… did not open the chooser";
        ClickIn("^Serial Port$", kCancelX, kCancelY);
        ASSERT_TRUE(RunUntil([&] { return !Shows("^Serial Port$"); }, 5000)) << "Cancel did not close it";
    }
}

TEST_F(ProgramControls, AboutOpensFromTheMenuAndItsOkClosesIt)
{
    ProgramProcess program(fHome);
    ASSERT_TRUE(program.Started());
    ASSERT_NO_FATAL_FAILURE(OpenUntitled());
    ClickIn("^untitled", kAppMenuX, kAppMenuY);
    fX.Wait(300);
    ClickIn("^untitled", kAboutX, kAboutY);
    ASSERT_TRUE(RunUntil([&] { return Shows("^About Sonalyx$"); }, 5000));
    ClickIn("^About Sonalyx$", kAboutOkX, kAboutOkY);
    EXPECT_TRUE(RunUntil([&] { return !Shows("^About Sonalyx$"); }, 5000)) << "OK did not close the About box";
}

TEST_F(ProgramControls, TheSaveChangesAlertTakesNormalClicksOnCancelAndDontSave)
{
    ProgramProcess program(fHome);
    ASSERT_TRUE(program.Started());
    ASSERT_NO_FATAL_FAILURE(OpenUntitled());
    fX.Tap("n", {"Control_L", "Shift_L"}); // Add Fader: a change to save
    fX.Wait(300);
    fX.Tap("w", {"Control_L"});
    ASSERT_TRUE(RunUntil([&] { return Shows("^sonalyx$"); }, 5000)) << "no save-changes alert";
    ClickIn("^sonalyx$", kAlertCancelX, kAlertCancelY);
    ASSERT_TRUE(RunUntil([&] { return !Shows("^sonalyx$"); }, 5000)) << "Cancel did not close the alert";
    EXPECT_TRUE(Shows("^untitled")) << "Cancel keeps the document";
    fX.Tap("w", {"Control_L"});
    ASSERT_TRUE(RunUntil([&] { return Shows("^sonalyx$"); }, 5000));
    ClickIn("^sonalyx$", kAlertDontSaveX, kAlertDontSaveY);
    EXPECT_TRUE(RunUntil([&] { return !Shows("^untitled"); }, 5000)) << "Don't Save did not close the document";
}
