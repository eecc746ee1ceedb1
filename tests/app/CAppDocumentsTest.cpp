#include "analysis/records/CAppPrefs.h"
#include "analysis/records/SnxFields.h"
#include "analysis/window/CSpecWindow.h"
#include "app/CApp.h"
#include "app/CreateGlobals.h"
#include "foundation/records/LObject.h"
#include "platform/app/ApplicationDriver.h"
#include "outputs/dmx/CDmxOutput.h"
#include "outputs/midi/CMIDIOutPort.h"
#include "platform/midi/MidiSystem.h"
#include "platform/prefs/Preferences.h"
#include "platform/resources/ResourceFile.h"
#include "platform/window/EventQueue.h"
#include "platform/window/PanelTestDriver.h"
#include "platform/window/Window.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/app/AppDelegate.h"
#include "shell/app/CExtCmd.h"
#include "shell/files/FileUrls.h"
#include "tests/support/ProgramResourceFile.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/menus/LMenuItem.h"
#include "ui/windows/LWindow.h"

#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// The whole application as the program makes it, with its own preferences folder, the
// shipped resources, the headless window system and scripted panels.
class AppDocuments : public testing::Test {
protected:
    AppDocuments()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "docs-XXXXXX").string();
        dir = mkdtemp(pattern.data());
        // Each test starts without preferences.
        std::filesystem::remove(plat::Preferences::DomainPath(""));
        (void)plat::Preferences::Domain("").Synchronize();
        SetProgramResourceFile(resources.Ref());
        LFormulaLayout prelude(nullptr, nullptr);
        Launch();
    }
    ~AppDocuments() override
    {
        DestroyGlobals();
        SetProgramResourceFile(0);
        std::filesystem::remove_all(dir);
    }

    void Launch() { ASSERT_EQ(CreateGlobals(), 0); }
    // Quits and launches again: the documents close without questions, the preferences stay.
    void Relaunch()
    {
        DestroyGlobals();
        Launch();
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
    void Choose(const char* command)
    {
        struct Item : LMenuItem {
            explicit Item(const char* c) : LMenuItem(nullptr) { AddCommand(c); }
        } item(command);
        LMessage::Send(LMessage(LMenuItem::msgSelected, &item, &App()));
    }
    // A saved document file at dir/name, made and closed through the application.
    std::string MakeDocument(const std::string& name)
    {
        const std::string path = dir + "/" + name;
        CSpecWindow* window = App().OpenDocument("");
        EXPECT_TRUE(window && window->Save(path));
        Send(LFrame::msgClose, window);
        return path;
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

    ProgramResourceFile resources;
    std::string dir;
    plat::WindowTestDriver windows;
    plat::ApplicationDriver application;
    plat::PanelTestDriver panels;
};

TEST_F(AppDocuments, AnOpenPathBringsItsWindowForwardInsteadOfASecond)
{
    const std::string a = MakeDocument("a.snx");
    const std::string b = MakeDocument("b.snx");
    CSpecWindow* first = App().OpenDocument(a);
    CSpecWindow* second = App().OpenDocument(UrlFromPosixPath(b).Text());
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(IsFront(*second));
    EXPECT_EQ(App().OpenDocument(a), first);
    EXPECT_EQ(OpenPaths(), (std::vector<std::string>{a, b}));
    EXPECT_TRUE(IsFront(*first));
}

TEST_F(AppDocuments, AFileThatDoesNotOpenLeavesNoWindowButItsRecord)
{
    const std::string bad = dir + "/broken.snx";
    { std::FILE* f = std::fopen(bad.c_str(), "w"); std::fputs("<not a document", f); std::fclose(f); }
    EXPECT_EQ(App().OpenDocument(bad), nullptr);
    EXPECT_EQ(App().OpenDocument(dir + "/missing.snx"), nullptr);
    EXPECT_EQ(App().DocumentCount(), 0u);
    EXPECT_EQ(Prefs()->GetArrayCount(kPrefDocs), 2u);
    EXPECT_EQ(Prefs()->GetChild(kPrefDocs, 0)->GetByte(kWindLsop), 0);
}

TEST_F(AppDocuments, ALaunchWithoutFilesReopensTheLastDocumentsInListOrder)
{
    const std::string a = MakeDocument("a.snx");
    const std::string b = MakeDocument("b.snx");
    const std::string c = MakeDocument("c.snx");
    OpenRequest({b, a, c});
    Send(LFrame::msgClose, App().Document(2)); // c closes before the quit
    Send(LFrame::msgActivate, App().Document(0)); // b used last
    Relaunch();
    OpenRequest({});
    EXPECT_EQ(OpenPaths(), (std::vector<std::string>{a, b}));

    for (size_t n = App().DocumentCount(); n > 0; --n)
        Send(LFrame::msgClose, App().Document(0));
    Relaunch();
    OpenRequest({});
    EXPECT_EQ(OpenPaths(), std::vector<std::string>{""}) << "an untitled document when none was open";
}

TEST_F(AppDocuments, ALaunchWithAFileClearsTheFlagsOfTheLastRun)
{
    const std::string a = MakeDocument("a.snx");
    const std::string b = MakeDocument("b.snx");
    const std::string c = MakeDocument("c.snx");
    OpenRequest({a, b});
    Relaunch();
    OpenRequest({c});
    EXPECT_EQ(OpenPaths(), std::vector<std::string>{c});
    for (uint32_t i = 0; i < Prefs()->GetArrayCount(kPrefDocs); ++i) {
        LObject* record = Prefs()->GetChild(kPrefDocs, i);
        EXPECT_EQ(record->GetByte(kWindLsop), record == App().Document(0)->WindowRecord()) << i;
    }
    OpenRequest({a});
    EXPECT_EQ(OpenPaths(), (std::vector<std::string>{c, a})) << "a file opened later keeps the others";
}

TEST_F(AppDocuments, AQuitAsksEachDocumentInOrderUntilOneRefuses)
{
    OpenRequest({MakeDocument("a.snx"), MakeDocument("b.snx"), MakeDocument("c.snx")});
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
    AppDelegate delegate;
    delegate.SetMain(&App().MainLoop());
    EXPECT_EQ(delegate.ShouldTerminate(), plat::ApplicationDelegate::TerminateReply::Cancel);
    delegate.SetMain(nullptr);
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
    OpenRequest({MakeDocument("a.snx"), MakeDocument("b.snx")});
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

TEST_F(AppDocuments, ActivatingADocumentMakesItsRecordTheMostRecent)
{
    const std::string a = MakeDocument("a.snx");
    const std::string b = MakeDocument("b.snx");
    OpenRequest({a, b});
    EXPECT_EQ(KnownFiles(), (std::vector<std::string>{a, b}));
    Send(LFrame::msgActivate, App().Document(0));
    EXPECT_EQ(KnownFiles(), (std::vector<std::string>{b, a}));
    LFrame other(nullptr, nullptr);
    Send(LFrame::msgActivate, &other);
    EXPECT_EQ(KnownFiles(), (std::vector<std::string>{b, a})) << "another frame changes nothing";
}

TEST_F(AppDocuments, NewAndOpenCommands)
{
    const std::string a = MakeDocument("a.snx");
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

    for (size_t n = App().DocumentCount(); n > 0; --n)
        Send(LFrame::msgClose, App().Document(0));
    panels.ScriptFilePanel([](plat::FilePanel&) { return plat::FilePanel::kCancel; });
    Choose("LStdCmd_Open");
    EXPECT_EQ(OpenPaths(), std::vector<std::string>{""}) << "cancelled with nothing open: an untitled document";
}

TEST_F(AppDocuments, AShutDownWithoutQuestionsNamesTheUnsavedAndKeepsTheirFiles)
{
    const std::string a = MakeDocument("a.snx");
    const std::string b = MakeDocument("b.snx");
    OpenRequest({a, b});
    (void)App().OpenDocument("");
    Modify(*App().Document(1));
    Modify(*App().Document(2));
    const auto before = std::filesystem::last_write_time(b);
    const uintmax_t size = std::filesystem::file_size(b);
    testing::internal::CaptureStderr();
    Relaunch();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "sonalyx: quit without saving the changes of " + b + ", untitled\n");
    EXPECT_EQ(std::filesystem::last_write_time(b), before);
    EXPECT_EQ(std::filesystem::file_size(b), size);
    OpenRequest({});
    EXPECT_EQ(OpenPaths(), (std::vector<std::string>{a, b, ""})) << "every document reopens";

    AppDelegate delegate;
    delegate.SetMain(&App().MainLoop());
    EXPECT_EQ(delegate.ShouldTerminate(), plat::ApplicationDelegate::TerminateReply::Now);
    delegate.SetMain(nullptr);
    testing::internal::CaptureStderr();
    DestroyGlobals();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "an agreed quit names nothing";
}

TEST_F(AppDocuments, ConnectingTheMidiOutputHandsTheDmxOutputToTheActiveDocument)
{
    plat::MidiSystem& midi = plat::MidiSystem::Shared();
    const plat::MidiEndpoint synth = midi.AddVirtualDestination({false, "", "", "Soft Synth"});
    SetComboIdParam(Prefs()->GetChild(kPrefMdot), LStringRef("Soft Synth"));
    OpenRequest({MakeDocument("a.snx"), MakeDocument("b.snx")});
    CSpecWindow* back = App().Document(0);
    CSpecWindow* front = App().Document(1);
    ASSERT_TRUE(front->IsFullyActive());
    back->TakeDmxOutput();
    App().ShowMidiStatus(true);
    EXPECT_EQ(App().DmxOutput().Driver(), &front->FaderEngine());
    midi.RemoveVirtualDestination(synth);
}

} // namespace
