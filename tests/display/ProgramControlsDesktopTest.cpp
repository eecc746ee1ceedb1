// The built program under a person's clicks through the X server: its push buttons and
// dialogs answer a normal click (press, 120 ms, release).
#include "tests/display/ProgramReport.h"


namespace {

// The program operated by normal clicks on the controls it reports, judged by what X shows.
class ProgramControls : public ProgramReport {
protected:
    // Waits for the program's first window and makes sure an untitled document shows.
    void OpenUntitled()
    {
        ASSERT_NO_FATAL_FAILURE(Start());
        if (!Shows("^untitled")) {
            fX.Tap("n", {"Control_L"});
            ASSERT_TRUE(RunUntil([&] { return Shows("^untitled"); }, 15000));
        }
    }
    // Whether X shows a window whose name matches.
    bool Shows(const std::string& pattern)
    {
        std::string found;
        return RunTool({"xdotool", "search", "--onlyvisible", "--name", pattern}, &found) == 0 && !found.empty();
    }
};

} // namespace

TEST_F(ProgramControls, NormalClicksOpenTheSourceChooserAndCancelIt)
{
    ASSERT_NO_FATAL_FAILURE(OpenUntitled());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ClickButton("Source…");
        ASSERT_TRUE(RunUntil([&] { return Shows("^Serial Port$"); }, 5000)) << "Source… did not open the chooser";
        ClickButton("Cancel");
        ASSERT_TRUE(RunUntil([&] { return !Shows("^Serial Port$"); }, 5000)) << "Cancel did not close it";
    }
}

TEST_F(ProgramControls, AboutOpensFromTheMenuAndItsOkClosesIt)
{
    ASSERT_NO_FATAL_FAILURE(OpenUntitled());
    ASSERT_NO_FATAL_FAILURE(Choose("Sonalyx", "About Sonalyx"));
    ASSERT_TRUE(RunUntil([&] { return Shows("^About Sonalyx$"); }, 5000));
    ClickButton("OK");
    EXPECT_TRUE(RunUntil([&] { return !Shows("^About Sonalyx$"); }, 5000)) << "OK did not close the About box";
}

TEST_F(ProgramControls, TheSaveChangesAlertTakesNormalClicksOnCancelAndDontSave)
{
    ASSERT_NO_FATAL_FAILURE(OpenUntitled());
    fX.Tap("n", {"Control_L", "Shift_L"}); // Add Fader: a change to save
    fX.Wait(300);
    fX.Tap("w", {"Control_L"});
    ASSERT_TRUE(RunUntil([&] { return Shows("^sonalyx$"); }, 5000)) << "no save-changes alert";
    ClickButton("Cancel");
    ASSERT_TRUE(RunUntil([&] { return !Shows("^sonalyx$"); }, 5000)) << "Cancel did not close the alert";
    EXPECT_TRUE(Shows("^untitled")) << "Cancel keeps the document";
    fX.Tap("w", {"Control_L"});
    ASSERT_TRUE(RunUntil([&] { return Shows("^sonalyx$"); }, 5000));
    ClickButton("Don’t Save");
    EXPECT_TRUE(RunUntil([&] { return !Shows("^untitled"); }, 5000)) << "Don't Save did not close the document";
}
