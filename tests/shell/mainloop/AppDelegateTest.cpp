#include "foundation/core/LMessage.h"
#include "platform/app/ApplicationMain.h"
#include "shell/app/CExtCmd.h"
#include "shell/app/CPathArray.h"
#include "shell/files/FileUrls.h"
#include "shell/system/LAEDesc.h"
#include "tests/shell/mainloop/MainLoopKit.h"

#include <vector>

namespace {

// The paths of every "CExtCmd_Open" that reaches the handler, one list per message.
std::vector<std::vector<std::string>> gOpens;

void NoteOpens(const LMessage& msg)
{
    if (!StrEqual(msg.type, CExtCmd::msgOpen))
        return;
    auto* command = static_cast<CExtCmd*>(msg.subject);
    std::vector<std::string> paths;
    LStringRef path;
    for (uint32_t i = 0; command->GetPath(i, path); ++i)
        paths.emplace_back(path.View());
    gOpens.push_back(paths);
}

int Launch(std::vector<const char*> args)
{
    args.insert(args.begin(), "sonalyx");
    return plat::ApplicationMain(int(args.size()), const_cast<char**>(args.data()), *AppDelegate::Current());
}

} // namespace

TEST_F(MainLoopTest, LaunchingWithTwoFilesOpensEachAndNoUntitled)
{
    gOpens.clear();
    app.onMessage = [](const LMessage& msg) {
        NoteOpens(msg);
        if (StrEqual(msg.type, CMainLoopBase::msgSwitch))
            plat::Application::Shared().Terminate(); // quit once launched and active
    };
    Launch({"/tmp/one.snx", "/tmp/two.snx"});
    ASSERT_EQ(gOpens.size(), 2u);
    EXPECT_EQ(gOpens[0], (std::vector<std::string>{std::string(UrlFromPosixPath("/tmp/one.snx").View())}));
    EXPECT_EQ(gOpens[1], (std::vector<std::string>{std::string(UrlFromPosixPath("/tmp/two.snx").View())}));
    EXPECT_EQ(Count(app, "CMainLoopBase_Quit"), 1);
    EXPECT_EQ(Count(app, "CMainLoopBase_Switch"), 1);
    EXPECT_TRUE(loop->active);
    app.onMessage = nullptr;
}

TEST_F(MainLoopTest, LaunchingWithoutFilesSendsOneEmptyOpen)
{
    gOpens.clear();
    app.onMessage = [](const LMessage& msg) {
        NoteOpens(msg);
        if (StrEqual(msg.type, CMainLoopBase::msgSwitch))
            plat::Application::Shared().Terminate();
    };
    Launch({});
    EXPECT_EQ(gOpens, (std::vector<std::vector<std::string>>{{}}));
    app.onMessage = nullptr;
    // A file that arrives later still opens.
    EXPECT_TRUE(delegate.OpenFile("/tmp/late.snx"));
    EXPECT_EQ(Count(app, "CExtCmd_Open"), 2);
}

TEST_F(MainLoopTest, WithoutAMainLoopNothingIsSentAndQuitIsGranted)
{
    AppDelegate lone;
    EXPECT_TRUE(lone.OpenFile("/tmp/x.snx"));
    lone.DidFinishLaunching();
    lone.WillUpdate();
    EXPECT_EQ(lone.ShouldTerminate(), plat::ApplicationDelegate::TerminateReply::Now);
    EXPECT_EQ(Count(app, "CExtCmd_Open"), 0);
}

TEST_F(MainLoopTest, AnUpdateDuringTheDeferredPassSendsNothing)
{
    int nested = 0;
    app.onMessage = [&](const LMessage& msg) {
        if (StrEqual(msg.type, CMainLoopBase::msgDeferred) && nested++ == 0)
            delegate.WillUpdate(); // a handler running a nested event loop
    };
    delegate.WillUpdate();
    EXPECT_EQ(Count(app, "CMainLoopBase_Deferred"), 1);
    delegate.WillUpdate();
    EXPECT_EQ(Count(app, "CMainLoopBase_Deferred"), 2);
    app.onMessage = nullptr;

    loop->RequestWindowUpdate();
    EXPECT_TRUE(plat::Application::Shared().WindowsNeedUpdate());
    plat::Application::Shared().UpdateWindows();
    EXPECT_EQ(Count(app, "CMainLoopBase_Deferred"), 3);
}

TEST(CPathArray, GrowsToTwiceTheCountPlusTwoAndKeepsOrder)
{
    CPathArray paths;
    EXPECT_EQ(paths.Capacity(), 0u);
    paths.Append(LStringRef("b"));
    EXPECT_EQ(paths.Capacity(), 2u);
    paths.Insert(0, LStringRef("a"));
    paths.Append(LStringRef("d"));
    EXPECT_EQ(paths.Capacity(), 6u);
    paths.Insert(2, LStringRef("c"));
    paths.Insert(99, LStringRef("f"));
    paths.Insert(4, LStringRef("e"));
    paths.Append(LStringRef("g"));
    EXPECT_EQ(paths.Capacity(), 14u);
    std::string all;
    for (uint32_t i = 0; i < paths.Count(); ++i)
        all += paths.At(i).View();
    EXPECT_EQ(all, "abcdefg");
    EXPECT_EQ(paths.At(7), "");
}
