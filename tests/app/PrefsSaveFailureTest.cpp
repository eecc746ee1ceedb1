// Settings that cannot be saved at the end of a run: the file keeps what it held, one line
// says so, and a person who chose Quit also gets a message box.
#include "platform/prefs/Preferences.h"
#include "tests/app/AppRunKit.h"
#include "ui/dialogs/CSimpleMessageDialog.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class PrefsSaveFailure : public AppRunTest {
protected:
    void SetUp() override
    {
        AppRunTest::SetUp();
        Start();
    }
    void TearDown() override
    {
        plat::Application::Shared().SetCanAskQuestions(false);
        fs::remove_all(fPath);
        AppRunTest::TearDown();
    }
    // A folder holding a file where the settings go: the new file cannot take its place.
    void BlockThePreferencesFile()
    {
        fs::remove_all(fPath);
        fs::create_directories(fPath);
        std::ofstream(fPath + "/keep") << "keep";
    }
    // Answers a message box with Return, noting its text; anything more is noted as "extra".
    void AnswerMessages()
    {
        user.PlayWhenIdle({[this] {
                               const auto* box = KeyDialog<CSimpleMessageDialog>();
                               shown.push_back(box ? std::string(box->Message().Text().View()) : "none");
                               PressReturn();
                           },
                           [this] {
                               shown.push_back("extra");
                               PressEscape();
                           }});
    }

    std::string fPath = plat::Preferences::DomainPath("");
    std::vector<std::string> shown;
};

TEST_F(PrefsSaveFailure, QuitChosenByThePersonShowsAMessageAndALine)
{
    plat::Application::Shared().SetCanAskQuestions(true);
    BlockThePreferencesFile();
    AnswerMessages();
    Choose("LStdCmd_Quit");
    testing::internal::CaptureStderr();
    Stop();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "sonalyx: the settings could not be saved in " + fPath + "; it keeps the settings saved before\n");
    EXPECT_EQ(shown, std::vector<std::string>{"The settings of this session could not be saved in \u201c" + fPath +
                                              "\u201d. The file keeps the settings saved before."});
    std::ifstream kept(fPath + "/keep");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep");
}

TEST_F(PrefsSaveFailure, AnExitWithoutTheQuitCommandOnlyPrintsTheLine)
{
    plat::Application::Shared().SetCanAskQuestions(true);
    BlockThePreferencesFile();
    AnswerMessages();
    testing::internal::CaptureStderr();
    Stop();   // as a logout or a termination signal ends the run
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "sonalyx: the settings could not be saved in " + fPath + "; it keeps the settings saved before\n");
    EXPECT_TRUE(shown.empty());
}

} // namespace
