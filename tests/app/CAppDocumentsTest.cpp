#include "analysis/records/CAppPrefs.h"
#include "analysis/records/SnxFields.h"
#include "analysis/window/CSpecWindow.h"
#include "foundation/records/LObject.h"
#include "outputs/dmx/CDmxOutput.h"
#include "outputs/midi/CMIDIOutPort.h"
#include "platform/menus/MenuBarHost.h"
#include "platform/midi/MidiSystem.h"
#include "platform/window/EventQueue.h"
#include "shell/app/CExtCmd.h"
#include "shell/files/FileUrls.h"
#include "tests/app/AppRunKit.h"
#include "tests/foundation/TempFiles.h"
#include "ui/menus/LMenu.h"
#include "ui/dialogs/CSimpleMessageDialog.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

// The application's documents over a temporary folder, from a first launch.
class AppDocuments : public AppRunTest {
protected:
    void SetUp() override
    {
        AppRunTest::SetUp();
        dir = TempPath("docs");
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        Start();
    }
    // Quits and launches again: the documents close without questions, the preferences stay.
    void Relaunch()
    {
        Stop();
        Start();
    }
    CApp& App() const { return *CApp::Get(); }
    LObject* Prefs() const { return App().Prefs().Root(); }

    // An open request as the system sends it at launch or for files opened later.
    void OpenRequest(const std::vector<std::string>& paths)
    {
        CExtCmd command{LStringRef()};
        for (const std::string& path : paths)
            command.Paths().Append(UrlFromPosixPath(path));
        LMessage::Send(LMessage(CExtCmd::msgOpen, &command, &App().MainLoop()));
    }
    void Send(const char* type, LFrame* frame) { LMessage::Send(LMessage(type, frame, &App())); }
    void CloseAll()
    {
        for (size_t n = App().DocumentCount(); n > 0; --n)
            Send(LFrame::msgClose, App().Document(0));
    }
    // Saved document files dir/name, made and closed through the application.
    std::vector<std::string> MakeDocuments(std::initializer_list<const char*> names)
    {
        std::vector<std::string> paths;
        for (const char* name : names) {
            paths.push_back(dir + "/" + name);
            CSpecWindow* window = App().OpenDocument("");
            EXPECT_TRUE(window && window->Save(paths.back()));
            Send(LFrame::msgClose, window);
        }
        return paths;
    }
    std::vector<std::string> OpenPaths() const
    {
        std::vector<std::string> paths;
        for (size_t i = 0; i < App().DocumentCount(); ++i)
            paths.push_back(App().Document(i)->DocumentPath());
        return paths;
    }
    std::vector<std::string> KnownFiles() const
    {
        std::vector<std::string> files;
        for (uint32_t i = 0; i < Prefs()->GetArrayCount(kPrefDocs); ++i)
            files.emplace_back(PosixPathFromUrl(Prefs()->GetChild(kPrefDocs, i)->GetString(kWindDcfl).View()).View());
        return files;
    }
    static void Modify(CSpecWindow& window) { window.SetCutDC(1); }
    static bool IsFront(CSpecWindow& window) { return window.Window()->Native()->IsKey(); }

    std::string dir;
};

TEST_F(AppDocuments, AnOpenPathBringsItsWindowForwardInsteadOfASecond)
{
    const auto paths = MakeDocuments({"a.snx", "b.snx"});
    CSpecWindow* first = App().OpenDocument(paths[0]);
    CSpecWindow* second = App().OpenDocument(UrlFromPosixPath(paths[1]).Text());
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(IsFront(*second));
    EXPECT_EQ(App().OpenDocument(paths[0]), first);
    EXPECT_EQ(OpenPaths(), paths);
    EXPECT_TRUE(IsFront(*first));
}

TEST_F(AppDocuments, AFileThatDoesNotOpenLeavesNoWindowAndOnlyTheRecordKnownBefore)
{
    WriteAll(dir + "/broken.snx", "<not a document");
    const std::string known = MakeDocuments({"known.snx"})[0];
    OpenRequest({known});
    Relaunch();
    std::filesystem::remove(known);
    testing::internal::CaptureStderr();
    EXPECT_EQ(App().OpenDocument(dir + "/broken.snx"), nullptr);
    EXPECT_EQ(App().OpenDocument(dir + "/missing.snx"), nullptr);
    OpenRequest({}); // the reopen of the last run fails too
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "sonalyx: cannot open " + dir + "/broken.snx: it is not a document this program can read\n"
              "sonalyx: cannot open " + dir + "/missing.snx: no such file\n"
              "sonalyx: cannot open " + known + ": no such file\n");
    EXPECT_EQ(OpenPaths(), std::vector<std::string>{""}) << "only the untitled document of the start";
    EXPECT_EQ(KnownFiles(), (std::vector<std::string>{known, ""})) << "no record for the failed opens alone";
    EXPECT_EQ(Prefs()->GetChild(kPrefDocs, 0)->GetByte(kWindLsop), 0) << "not reopened at the next start";
}

TEST_F(AppDocuments, OnADesktopTheFailuresOfOneRequestShowInOneMessage)
{
    std::vector<std::string> paths;
    for (int i = 0; i < 7; ++i)
        paths.push_back(dir + "/missing" + std::to_string(i) + ".snx");
    std::vector<std::string> shown;
    user.PlayWhenIdle({[&] {
                           const auto* box = KeyDialog<CSimpleMessageDialog>();
                           shown.push_back(box ? std::string(box->Message().Text().View()) : "none");
                           PressReturn();
                       },
                       [&] {
                           shown.push_back("extra");
                           PressEscape();
                       }});
    plat::Application::Shared().SetCanAskQuestions(true);
    testing::internal::CaptureStderr();
    OpenRequest(paths);
    const std::string error = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(shown.empty()) << "the message waits until the request is done";
    App().MainLoop().DispatchDueTimers();
    plat::Application::Shared().SetCanAskQuestions(false);
    std::string expected = "These files could not be opened:";
    for (int i = 0; i < 5; ++i)
        expected += "\n\u201cmissing" + std::to_string(i) + ".snx\u201d: no such file.";
    expected += "\n\u2026and 2 more.";
    EXPECT_EQ(shown, std::vector<std::string>{expected});
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 7);
    EXPECT_EQ(Prefs()->GetArrayCount(kPrefDocs), 0u);
}

TEST_F(AppDocuments, ALaunchWithoutFilesReopensTheLastDocumentsInListOrder)
{
    const auto p = MakeDocuments({"a.snx", "b.snx", "c.snx"});
    OpenRequest({p[1], p[0], p[2]});
    Send(LFrame::msgClose, App().Document(2)); // c closes before the quit
    Send(LFrame::msgActivate, App().Document(0)); // b used last
    Relaunch();
    OpenRequest({});
    EXPECT_EQ(OpenPaths(), (std::vector<std::string>{p[0], p[1]}));

    CloseAll();
    Relaunch();
    OpenRequest({});
    EXPECT_EQ(OpenPaths(), std::vector<std::string>{""}) << "an untitled document when none was open";
}

TEST_F(AppDocuments, ALaunchWithAFileClearsTheFlagsOfTheLastRun)
{
    const auto p = MakeDocuments({"a.snx", "b.snx", "c.snx"});
    OpenRequest({p[0], p[1]});
    Relaunch();
    OpenRequest({p[2]});
    EXPECT_EQ(OpenPaths(), std::vector<std::string>{p[2]});
    for (uint32_t i = 0; i < Prefs()->GetArrayCount(kPrefDocs); ++i) {
        LObject* record = Prefs()->GetChild(kPrefDocs, i);
        EXPECT_EQ(record->GetByte(kWindLsop), record == App().Document(0)->WindowRecord()) << i;
    }
    OpenRequest({p[0]});
    EXPECT_EQ(OpenPaths(), (std::vector<std::string>{p[2], p[0]})) << "a file opened later keeps the others";
}

TEST_F(AppDocuments, AQuitAsksEachDocumentInOrderUntilOneRefuses)
{
    // The first document is untitled: saving it asks for a file (documents that have one are
    // saved into it without a panel).
    const auto paths = MakeDocuments({"b.snx", "c.snx"});
    ASSERT_NE(App().OpenDocument(""), nullptr);
    OpenRequest(paths);
    for (size_t i = 0; i < 3; ++i)
        Modify(*App().Document(i));
    int savePanels = 0;
    panels.ScriptFilePanel([&](plat::FilePanel& panel) {
        ++savePanels;
        windows.PostKey(plat::EventType::KeyDown, "\x1b", 53); // the second question: Cancel
        panel.ChoosePath(dir + "/a.snx");
        return plat::FilePanel::kOK;
    });
    windows.PostKey(plat::EventType::KeyDown, "\r", 36); // the first question: Save
    // A third question would wait for an answer: it gets one late, and the test fails.
    std::atomic<bool> done{false}, rescued{false};
    std::thread guard([&] {
        for (int i = 0; i < 500 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        while (!done) {
            rescued = true;
            plat::EventQueue::Shared().Post(windows.MakeKey(plat::EventType::KeyDown, "\x1b", "\x1b", 53));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    EXPECT_EQ(delegate.ShouldTerminate(), plat::ApplicationDelegate::TerminateReply::Cancel);
    done = true;
    guard.join();
    EXPECT_FALSE(rescued) << "the third document was asked";
    EXPECT_EQ(savePanels, 1);
    EXPECT_EQ(plat::EventQueue::Shared().Count(), 0u);
    ASSERT_EQ(App().DocumentCount(), 3u) << "nothing closes";
    EXPECT_FALSE(App().Document(0)->IsModified());
    EXPECT_TRUE(App().Document(1)->IsModified());
    EXPECT_TRUE(App().Document(2)->IsModified());
}

TEST_F(AppDocuments, ClosingAsksOnlyAboutChangesAndARefusalKeepsTheWindow)
{
    OpenRequest(MakeDocuments({"a.snx", "b.snx"}));
    LObject* first = App().Document(0)->WindowRecord();
    Send(LFrame::msgClose, App().Document(0));
    EXPECT_EQ(App().DocumentCount(), 1u) << "unmodified: closed without a question";
    EXPECT_EQ(first->GetByte(kWindLsop), 0);
    Modify(*App().Document(0));
    windows.PostKey(plat::EventType::KeyDown, "\x1b", 53);
    Send(LFrame::msgClose, App().Document(0));
    EXPECT_EQ(App().DocumentCount(), 1u);
    EXPECT_EQ(App().Document(0)->WindowRecord()->GetByte(kWindLsop), 1);
}

// Save, answered when a changed document that has a file closes, writes that file; no file
// panel asks where, and the window closes.
TEST_F(AppDocuments, SaveOnClosingWritesTheDocumentsOwnFile)
{
    const std::string path = MakeDocuments({"a.snx"})[0];
    OpenRequest({path});
    const auto before = std::filesystem::file_size(path);
    Modify(*App().Document(0));
    int savePanels = 0;
    panels.ScriptFilePanel([&](plat::FilePanel&) {
        ++savePanels;
        return plat::FilePanel::kCancel;
    });
    windows.PostKey(plat::EventType::KeyDown, "\r", 36); // Save
    Send(LFrame::msgClose, App().Document(0));
    EXPECT_EQ(savePanels, 0);
    EXPECT_EQ(App().DocumentCount(), 0u) << "the window stayed";
    EXPECT_NE(std::filesystem::file_size(path), before) << "the change was not written";
}

TEST_F(AppDocuments, ActivatingADocumentMakesItsRecordTheMostRecent)
{
    const auto p = MakeDocuments({"a.snx", "b.snx"});
    OpenRequest(p);
    EXPECT_EQ(KnownFiles(), p);
    Send(LFrame::msgActivate, App().Document(0));
    EXPECT_EQ(KnownFiles(), (std::vector<std::string>{p[1], p[0]}));
    LFrame other(nullptr, nullptr);
    Send(LFrame::msgActivate, &other);
    EXPECT_EQ(KnownFiles(), (std::vector<std::string>{p[1], p[0]})) << "another frame changes nothing";
}

TEST_F(AppDocuments, NewAndOpenCommands)
{
    const std::string a = MakeDocuments({"a.snx"})[0];
    std::string startFolder;
    panels.ScriptFilePanel([&](plat::FilePanel& panel) {
        startFolder = panel.Directory();
        panel.ChoosePath(a);
        return plat::FilePanel::kOK;
    });
    Choose("LStdCmd_Open");
    EXPECT_EQ(startFolder, std::filesystem::path(MakeUntitledDocumentPath()).parent_path().string());
    EXPECT_EQ(OpenPaths(), std::vector<std::string>{a});
    Choose("LStdCmd_New");
    Choose("LStdCmd_New");
    EXPECT_EQ(OpenPaths(), (std::vector<std::string>{a, "", ""}));
    const plat::Rect one = App().Document(1)->Window()->Native()->Frame();
    const plat::Rect two = App().Document(2)->Window()->Native()->Frame();
    EXPECT_EQ(two.x - one.x, 18) << "new windows cascade";
    EXPECT_EQ(one.y - two.y, 18);

    CloseAll();
    panels.ScriptFilePanel([](plat::FilePanel&) { return plat::FilePanel::kCancel; });
    Choose("LStdCmd_Open");
    EXPECT_EQ(OpenPaths(), std::vector<std::string>{""}) << "cancelled with nothing open: an untitled document";
}

TEST_F(AppDocuments, AShutDownWithoutQuestionsNamesTheUnsavedAndKeepsTheirFiles)
{
    const auto p = MakeDocuments({"a.snx", "b.snx"});
    OpenRequest(p);
    (void)App().OpenDocument("");
    Modify(*App().Document(1));
    Modify(*App().Document(2));
    const auto before = std::filesystem::last_write_time(p[1]);
    const uintmax_t size = std::filesystem::file_size(p[1]);
    testing::internal::CaptureStderr();
    Relaunch();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "sonalyx: quit without saving the changes of " + p[1] + ", untitled\n");
    EXPECT_EQ(std::filesystem::last_write_time(p[1]), before);
    EXPECT_EQ(std::filesystem::file_size(p[1]), size);
    OpenRequest({});
    EXPECT_EQ(OpenPaths(), (std::vector<std::string>{p[0], p[1], ""})) << "every document reopens";

    EXPECT_EQ(delegate.ShouldTerminate(), plat::ApplicationDelegate::TerminateReply::Now);
    testing::internal::CaptureStderr();
    Stop();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "an agreed quit names nothing";
}

TEST_F(AppDocuments, ConnectingTheMidiOutputHandsTheDmxOutputToTheActiveDocument)
{
    plat::MidiSystem& midi = plat::MidiSystem::Shared();
    const plat::MidiEndpoint synth = midi.AddVirtualDestination({false, "", "", "Soft Synth"});
    SetComboIdParam(Prefs()->GetChild(kPrefMdot), LStringRef("Soft Synth"));
    OpenRequest(MakeDocuments({"a.snx", "b.snx"}));
    CSpecWindow* front = App().Document(1);
    ASSERT_TRUE(front->IsFullyActive());
    App().Document(0)->TakeDmxOutput();
    App().ShowMidiStatus(true);
    EXPECT_EQ(App().DmxOutput().Driver(), &front->FaderEngine());
    midi.RemoveVirtualDestination(synth);
}

} // namespace

TEST_F(AppDocuments, AMovedWindowsPlaceIsWhereTheNextNewOneOpensAndAnOpenOneCascades)
{
    CSpecWindow* first = App().OpenDocument("");
    ASSERT_NE(first, nullptr);
    // The window manager moves the window, as a person dragging its title bar does.
    plat::Window& native = *first->Window()->Native();
    plat::Rect frame = native.Frame();
    frame.x += 130;
    frame.y -= 70;
    native.SetFrame(frame, true);
    const CLRect moved = first->GetWindowContentRect();
    EXPECT_EQ(Prefs()->GetChild(kPrefComn)->GetRect(kWndsDcwp), moved) << "kept for the next new window";

    CSpecWindow* second = App().OpenDocument("");
    ASSERT_NE(second, nullptr);
    CLRect cascaded = moved;
    cascaded.Offset(18, 18);
    EXPECT_EQ(second->GetWindowContentRect(), cascaded) << "beside the first, which still shows";

    CloseAll();
    CSpecWindow* third = App().OpenDocument("");
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->GetWindowContentRect(), cascaded) << "where the last one was";
    Relaunch();
    CloseAll();
    CSpecWindow* after = App().OpenDocument("");
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->GetWindowContentRect(), cascaded) << "the place outlives the program";
}

TEST_F(AppDocuments, WithTheLastDocumentClosedTheMenuWindowKeepsTheApplicationsCommands)
{
    plat::MenuBarHost::SetEnabled(true);
    App().OpenDocument("");
    CloseAll();
    plat::MenuBarHost::Update();
    plat::Window* host = plat::MenuBarHost::HostWindow();
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(host->IsKey()) << "the small window carries the menu bar";
    for (const char* command : {"LStdCmd_New", "LStdCmd_Open", "LStdCmd_Quit", "CAppCmd_ColorSet"})
        EXPECT_TRUE(Enabled(command)) << command;
    EXPECT_TRUE(plat::MenuDriver::PressKey("n", plat::kCommandKeyMask));
    EXPECT_EQ(App().DocumentCount(), 1u) << "Ctrl+N opens a document";
    CloseAll();
    plat::MenuBarHost::Update();
    bool asked = false;
    panels.ScriptFilePanel([&](plat::FilePanel&) { asked = true; return plat::FilePanel::kCancel; });
    EXPECT_TRUE(plat::MenuDriver::PressKey("o", plat::kCommandKeyMask));
    EXPECT_TRUE(asked) << "Ctrl+O shows the open panel";
    plat::MenuBarHost::SetEnabled(false);
}

TEST_F(AppDocuments, TheWindowMenuListsTheDocumentsAndChoosingOneBringsItForward)
{
    OpenRequest(MakeDocuments({"a.snx", "b.snx"}));
    delegate.MenuBarTrack();  // the menus made ready, as before one opens
    LMenu* menu = CApp::Get()->MainLoop().MenuBar()->FindMenu("WINDOW");
    ASSERT_TRUE(menu && menu->Native());
    const auto& native = menu->Native();
    std::vector<std::string> titles;
    for (size_t i = 0; i < native->Count(); ++i)
        titles.push_back(native->ItemAt(i)->Title() + (native->ItemAt(i)->State() ? " *" : ""));
    const std::string a = App().Document(0)->Window()->Native()->Title();
    const std::string b = App().Document(1)->Window()->Native()->Title();
    EXPECT_EQ(titles, (std::vector<std::string>{b + " *", a})) << "the front one checked";
    ASSERT_TRUE(plat::MenuDriver::Choose({"Window", a}));
    EXPECT_TRUE(IsFront(*App().Document(0)));
}
