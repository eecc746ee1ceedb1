#include "app/CApp.h"
#include "analysis/window/CSpecWindow.h"
#include "analysis/records/CAppPrefs.h"
#include "analysis/views/CColorSetDlg.h"
#include "controls/settings/CMenuKeyTable.h"
#include "controls/viewprefs/CViewPrefsDlg.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/LObject.h"
#include "foundation/text/FileNameText.h"
#include "foundation/text/LStrList.h"
#include "foundation/text/TextTemplate.h"
#include "outputs/dmx/CDmxOutput.h"
#include "outputs/midi/CMIDIOutPort.h"
#include "outputs/midi/CMacMIDIOutputDialog.h"
#include "platform/app/Application.h"
#include "platform/prefs/Preferences.h"
#include "shell/CAsyncLoopThread.h"
#include "shell/CPrefs.h"
#include "shell/app/CExtCmd.h"
#include "shell/files/LProcessInfo.h"
#include "shell/windows/CDesktop.h"
#include "ui/dialogs/CSimpleMessageDialog.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/LTimer.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"
#include "ui/windows/LWindow.h"

#include <cstdio>

namespace {

CApp* gApp = nullptr;
// The application's MIDI output port: process-wide, made and deleted by the application.
CMIDIOutPort* gMidiOutPort = nullptr;

constexpr int32_t kModalLayer = 3;
constexpr uint32_t kMessageWindowKind = 3;
// Items of the message list: MIDI output that stays off, preferences that could not be saved.
constexpr uint32_t kNoMidiPortText = 0;
constexpr uint32_t kMidiDestinationGoneText = 1;
constexpr uint32_t kPrefsNotSaved = 7;
constexpr uint32_t kNoMidiDestinationText = 8;

// Fields of the preferences record.
constexpr uint8_t kFieldMidiUse = 0;
constexpr uint8_t kFieldMidiParams = 2;

constexpr const char* kNewCommand = "LStdCmd_New";
constexpr const char* kOpenCommand = "LStdCmd_Open";
constexpr const char* kQuitCommand = "LStdCmd_Quit";
constexpr const char* kHelpCommand = "LStdCmd_Help";
constexpr const char* kMidiUseCommand = "CAppCmd_MidiUse";

// The program file's name without its extension: the name of the MIDI output port.
LStringRef PortName()
{
    const LStringRef name = FileNameOfPath(LProcessInfo().applicationUrl);
    return name.IsEmpty() ? LStringRef("Sonalyx") : ReplaceExtension(name.Text(), "");
}

} // namespace

CApp::CApp()
{
    gApp = this;
    CMacMainLoop& loop = MainLoop();
    fDispatch = std::make_unique<CAsyncLoopThread>([&loop](CRunLoopSignal::Callback callback, void* context) {
        return std::unique_ptr<CRunLoopSignal>(loop.CreateWakeSignal(callback, context));
    });
    fPrefs = std::make_unique<CAppPrefs>();
    fDmx = std::make_unique<CDmxOutput>(this, fDispatch.get());
    fMenuKeys = std::make_unique<CMenuKeyTable>(this);
    MakeColorWindow();
    gMidiOutPort = NewMIDIOutPort(this, PortName().Text());
    LoadPrefs();
}

CApp::~CApp()
{
    CloseViewPrefs();
    if (!fQuitAgreed)
        ReportUnsavedDocuments();
    DeleteDocuments();
    if (!SavePrefs())
        ReportPrefsNotSaved();
    delete gMidiOutPort;
    gMidiOutPort = nullptr;
    fColorWindow.reset();
    fDmx.reset();
    fMenuKeys.reset();
    fPrefs.reset();
    // Every output that posts to the dispatch thread is gone by now.
    fDispatch.reset();
    gApp = nullptr;
}

CApp* CApp::Get() { return gApp; }

CFaderEngineLinks CApp::WindowLinks() const
{
    CFaderEngineLinks links;
    links.midiOut = gMidiOutPort;
    return links;
}

void CApp::LoadPrefs()
{
    CPrefs store(LStringRef(), CPrefs::kRead);
    LObject::LoadFromNode(store.Store(), fPrefs->Root());
    (void)store.Close();
    LoadShortcuts();
    UseViewFontPrefs();
    LoadColorWindowPrefs();
}

bool CApp::SavePrefs()
{
    SaveShortcuts();
    SaveColorWindowPrefs();
    CPrefs store(LStringRef(), CPrefs::kWrite);
    LObject::SaveToNode(store.Store(), fPrefs->Root());
    return store.Close();
}

LHandler* CApp::FrontDocumentWindow() const
{
    const LWindow* front = CDesktop::FrontVisibleWindow();
    return front ? front->GetOwner() : nullptr;
}

void CApp::ShowMidiStatus(bool show)
{
    if (!gMidiOutPort || !fPrefs->Root())
        return;
    LStringRef destination;
    (void)FindComboIdParam(fPrefs->Root()->GetChild(kFieldMidiParams), destination);
    gMidiOutPort->Deselect();
    const int32_t selected = gMidiOutPort->SelectDest(destination.Text());
    if (selected == CMIDIOutPort::kConnected) {
        fDmx->SetDriver(nullptr);
        for (const auto& document : fDocuments) {
            if (document->IsFullyActive()) {
                document->TakeDmxOutput();
                break;
            }
        }
        return;
    }
    if (show) {
        LStrList texts({0, "APPMSG"}, nullptr, kStrListDialogTexts);
        // Nothing chosen (the system offered no destination) is no destination gone missing.
        const uint32_t item = selected == CMIDIOutPort::kNoPort ? kNoMidiPortText
                              : destination.IsEmpty()          ? kNoMidiDestinationText
                                                               : kMidiDestinationGoneText;
        ShowMessage(texts.GetItem(item));
    }
}

// The file keeps the settings saved before; the person who chose Quit also gets a message box
// (never a logout or another signal-driven exit: nobody is there to read it).
void CApp::ReportPrefsNotSaved()
{
    const std::string path = plat::Preferences::DomainPath("");
    std::fprintf(stderr, "sonalyx: the settings could not be saved in %s; it keeps the settings saved before\n",
                 path.c_str());
    if (!fQuitChosen || !plat::Application::Shared().CanAskQuestions())
        return;
    LStrList texts({0, "APPMSG"}, nullptr, kStrListDialogTexts);
    const char* words[] = {path.c_str()};
    ShowMessage(FormatTemplate(texts.GetItem(kPrefsNotSaved).Text(), words, 1));
}

void CApp::ShowMessage(const LStringRef& text)
{
    // Without a document window the application itself runs the box's modal steps.
    LHandler* owner = FrontDocumentWindow();
    CSimpleMessageDialog box(owner ? owner : this, nullptr, ModalWindowDef(kMessageWindowKind));
    (void)box.Run(text, 0, false);
}

void CApp::EnableCommands(LMenuBar& bar)
{
    bar.EnableCommand(kNewCommand);
    bar.EnableCommand(kOpenCommand);
    bar.EnableCommand(kQuitCommand);
    bar.EnableCommand(kHelpCommand);
    if (gMidiOutPort) {
        bar.EnableCommand(kMidiUseCommand);
        if (gMidiOutPort->IsConnected())
            (void)bar.CheckCommand(kMidiUseCommand);
    }
    EnableShortcutCommand(bar);
    bar.EnableCommand(kColorSetCommand);
}

void CApp::CmdMidiUse()
{
    LObject* prefs = fPrefs->Root();
    if (!prefs)
        return;
    LHandler* owner = FrontDocumentWindow();
    std::unique_ptr<CMacMIDIOutputDialog> dialog = NewMIDIOutputDialog(owner ? owner : this);
    LStringRef chosen;
    if (FindComboIdParam(prefs->GetChild(kFieldMidiParams), chosen))
        SetComboIdParam(dialog->Params(), chosen);
    if (dialog->Run() == LModalDialog::kDefault) {
        LObject::SetBool(prefs, nullptr, kFieldMidiUse, true, LObject::Merge::No);
        if (FindComboIdParam(dialog->Params(), chosen) && prefs->GetChild(kFieldMidiParams))
            SetComboIdParam(prefs->GetChild(kFieldMidiParams), chosen);
        dialog.reset();
        ShowMidiStatus(true);
        return;
    }
    LObject::SetBool(prefs, nullptr, kFieldMidiUse, false, LObject::Merge::No);
    if (gMidiOutPort && gMidiOutPort->IsConnected())
        gMidiOutPort->Deselect();
}

bool CApp::HandleCommand(const LMessage& msg)
{
    auto* item = static_cast<LMenuItem*>(msg.subject);
    if (item->HasCommand(kNewCommand)) {
        (void)OpenDocument(std::string());
        return true;
    }
    if (item->HasCommand(kOpenCommand)) {
        CmdOpen();
        return true;
    }
    if (item->HasCommand(kQuitCommand)) {
        fQuitChosen = true;
        MainLoop().Quit();
        return true;
    }
    if (item->HasCommand(kColorSetCommand)) {
        CmdColorSet();
        return true;
    }
    if (item->HasCommand(kMidiUseCommand)) {
        CmdMidiUse();
        return true;
    }
    return item->HasCommand(kHelpCommand);
}

void CApp::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (HandleShortcutMessage(msg) || HandleViewPrefsCommand(msg)) {
        LMessage::Clear(result);
        return;
    }
    if (StrEqual(msg.type, LMenuBar::msgReady) && msg.subject) {
        auto& bar = *static_cast<LMenuBar*>(msg.subject);
        // View Fonts is offered at every menu check; the rest waits for a modal window to go.
        EnableViewPrefsCommand(bar);
        if (!CDesktop::FindWindowOfLayer(kModalLayer))
            EnableCommands(bar);
    }
    if (StrEqual(msg.type, LMenuItem::msgSelected) && msg.subject && HandleCommand(msg)) {
        LMessage::Clear(result);
        return;
    }
    if (fFailedOpenTimer && msg.subject == fFailedOpenTimer.get() && StrEqual(msg.type, LTimer::msgExpire)) {
        ShowFailedOpens();
        LMessage::Clear(result);
        return;
    }
    if (StrEqual(msg.type, CExtCmd::msgOpen) && msg.subject) {
        OpenRequested(*static_cast<const CExtCmd*>(msg.subject));
        LMessage::Clear(result);
        return;
    }
    if (HandleColorWindowMessage(result, msg))
        return;
    if (StrEqual(msg.type, LFrame::msgClose) && CloseDocument(static_cast<LFrame*>(msg.subject))) {
        LMessage::Clear(result);
        return;
    }
    if (StrEqual(msg.type, LFrame::msgActivate)) {
        TouchDocument(static_cast<LFrame*>(msg.subject));
        LMessage::Clear(result);
        return;
    }
    // Another program took the keyboard: a text typed into a document ends its edit, as when
    // another window of this program takes it.
    if (msg.subject == &MainLoop() && StrEqual(msg.type, CMainLoopBase::msgSwitch) && !MainLoop().active) {
        for (const auto& document : fDocuments)
            document->EnterTypedText();
    }
    if (msg.subject == &MainLoop() && StrEqual(msg.type, CMainLoopBase::msgQuit) && !AskEveryDocument()) {
        fQuitChosen = false;
        LMessage::Clear(result); // a document stays open: the quit is cancelled
        return;
    }
    CAppBase::HandleMessage(result, msg);
}
