#include "tests/support/ProgramWindows.h"
#include "analysis/events/CEventWindow.h"
#include "analysis/views/CColorSetDlg.h"
#include "analysis/window/CPeakDialog.h"
#include "analysis/window/CSpecWindow.h"
#include "analysis/window/WindowMessage.h"
#include "app/CApp.h"
#include "controls/panels/CColorPanelWindow.h"
#include "controls/panels/CFilePanelWindow.h"
#include "controls/panels/CFontPanelWindow.h"
#include "controls/settings/CFqIntvDlg.h"
#include "controls/settings/CMenuKeyDlg.h"
#include "controls/settings/CSimpleProgressDialog.h"
#include "controls/settings/CSpecSaveDlg.h"
#include "controls/settings/CSplRtDlg.h"
#include "controls/viewprefs/CViewPrefsDlg.h"
#include "outputs/consoles/CDMXCONSOLE.h"
#include "outputs/consoles/CMIDICONSOLE.h"
#include "foundation/text/LStrList.h"
#include "platform/app/ApplicationDriver.h"
#include "platform/window/ColorPanel.h"
#include "platform/window/FilePanel.h"
#include "platform/window/FontPanel.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/app/CAboutDlg.h"
#include "sources/ports/CIPPORTDIALOG.h"
#include "sources/ports/CSIMPLETCPSERVERDIALOG.h"
#include "tests/support/MenuCommand.h"
#include "ui/dialogs/CSaveChangesDialog.h"
#include "ui/windows/LWindow.h"

#include <memory>

namespace {

constexpr uint32_t kWaitWindowKind = 2;     // the lengthy task's wait dialog
constexpr uint32_t kOpenFailedItem = 7;     // "The source could not be opened."
constexpr uint16_t kEscapeKey = 53;

// A window the test makes and drops, as the program does with its modal dialogs.
template <typename Make>
std::function<void(ProgramWindowsHost&, const WindowVisit&)> Made(Make make)
{
    return [make](ProgramWindowsHost& host, const WindowVisit& visit) {
        const std::unique_ptr<LFrame> window = make(host);
        visit(*window);
    };
}

template <typename Dialog>
std::function<void(ProgramWindowsHost&, const WindowVisit&)> MadeFor()
{
    return Made([](ProgramWindowsHost& host) -> std::unique_ptr<LFrame> { return std::make_unique<Dialog>(&host.document); });
}

// A window the program keeps: shown through its own path, visited, hidden again.
std::function<void(ProgramWindowsHost&, const WindowVisit&)> Kept(std::function<LFrame*(ProgramWindowsHost&)> show)
{
    return [show](ProgramWindowsHost& host, const WindowVisit& visit) {
        LFrame* window = show(host);
        if (!window)
            return;
        visit(*window);
        window->HideWindow();
    };
}

// A modal window the program runs itself: visited at its first idle moment, then left with
// Escape as a person would.
std::function<void(ProgramWindowsHost&, const WindowVisit&)> Running(std::function<void(ProgramWindowsHost&)> run)
{
    return [run](ProgramWindowsHost& host, const WindowVisit& visit) {
        host.user.PlayWhenIdle({[&host, visit] {
            if (LWindow* window = LWindow::FindByNative(host.windows.KeyWindow()))
                if (auto* frame = dynamic_cast<LFrame*>(window->GetOwner()))
                    visit(*frame);
            host.windows.PostKey(plat::EventType::KeyDown, "\x1b", kEscapeKey);
            host.windows.PostKey(plat::EventType::KeyUp, "\x1b", kEscapeKey);
        }});
        run(host);
    };
}

std::function<void(ProgramWindowsHost&, const WindowVisit&)> FilePanel(plat::FilePanel::Kind kind)
{
    return [kind](ProgramWindowsHost& host, const WindowVisit& visit) {
        const plat::Ref<plat::FilePanel> panel = plat::FilePanel::Make(kind);
        CFilePanelWindow window(&host.app, *panel);
        visit(window);
    };
}

// A recording played from the documents folder (its place in the open panel's side list, then
// the first recording listed there), then File > Export Spectra… and a name typed into its save
// panel, replacing the file of an earlier export; `then` follows in the export's options.
std::vector<std::string> ExportWay(const std::vector<std::string>& then)
{
    std::vector<std::string> way = {"menu File>Play Recording…", "pick WAV sound recording", "at 52,89", "at 200,69",
                                    "key Return", "menu File>Export Spectra…", "type spectra", "key Return",
                                    "answer Sonalyx>OK"};
    way.insert(way.end(), then.begin(), then.end());
    return way;
}

std::vector<ProgramWindow> MakeList()
{
    using Host = ProgramWindowsHost;
    return {
        {"document", "SNXWIN", {"File", "New"}, Kept([](Host& host) -> LFrame* { return &host.document; }), "untitled.snx -Sonalyx"},
        {"About", "ABOUT", {"Sonalyx", "About Sonalyx"},
         Made([](Host& host) { return std::make_unique<CAboutDlg>(&host.app, LStringRef()); }), "About Sonalyx"},
        {"DMX console", "CDMXCONSOLE", {"Faders", "DMX Console"}, Kept([](Host& host) -> LFrame* {
             ChooseCommand(&host.document, "CAppCmd_DmxConsole");
             return host.document.DmxConsole();
         }), "DMX Console"},
        {"MIDI console", "CMIDICONSOLE", {"Faders", "MIDI Console"}, Kept([](Host& host) -> LFrame* {
             ChooseCommand(&host.document, "CAppCmd_MidiConsole");
             return host.document.MidiConsole();
         }), "MIDI Console"},
        {"Event Texts", "EVTXWIN", {"Faders", "Event Texts"}, Kept([](Host& host) -> LFrame* {
             ChooseCommand(&host.document, "cEventText");
             return host.document.EventWindow();
         }), "Event Texts"},
        {"TCP address", "CIPPORTDIALOG", {}, Made([](Host& host) {
             return std::make_unique<CIPPORTDIALOG>(&host.document, true, LStringRef("127.0.0.1:51000"));
         }), "Network Address", "", {}, {"press Source…", "pick TCP Text Stream", "press OK"}},
        {"MIDI Output", "CMACMIDIOUTPUTDIALOG", {"Sonalyx", "MIDI Output…"},
         Running([](Host& host) { ChooseCommand(&host.app, "CAppCmd_MidiUse"); }), "MIDI Output"},
        {"Assign Menu Shortcut", "CMENUKEYDLG", {"Sonalyx", "Assign Menu Shortcut…"},
         Made([](Host& host) { return std::make_unique<CMenuKeyDlg>(&host.app); }), "Menu Shortcut", "",
         {"Analysis", "Remove DC Offset"}},
        {"Colours", "COLORSETDLG", {"Sonalyx", "Colours…"}, Kept([](Host& host) -> LFrame* {
             ChooseCommand(&host.app, "CAppCmd_ColorSet");
             return host.app.ColorWindow();
         }), "Colours"},
        {"View Fonts", "CVIEWPREFSDLG", {"Sonalyx", "View Fonts…"}, Kept([](Host& host) -> LFrame* {
             ChooseCommand(&host.app, "LStdCmd_ViewPref");
             return host.app.ViewPrefsDialog();
         }), "View Fonts"},
        {"save changes", "CSAVECHANGESDIALOG", {"File", "Close"}, Running([](Host& host) {
             host.document.Document().SetModified(true);
             (void)host.document.AskSaveChanges();
             host.document.Document().SetModified(false);
         }), "Sonalyx", "", {}, {"menu Faders>Add Fader", "key ctrl+w"}, {"Save"}},
        {"wait", "CSIMPLEPROGRESSDIALOG", {}, Made([](Host& host) {
             // As a task that takes longer than a second shows it.
             auto dialog = std::make_unique<CSimpleProgressDialog>(&host.app, kWaitWindowKind);
             LStrList texts({0, "CLENGTHYTASK"}, nullptr, kStrListDialogTexts);
             dialog->SetTitle(texts.GetItem(0));
             dialog->Button().SetState(kEventHide);
             dialog->Progress().SetMax(0);
             dialog->SetMessage(texts.GetItem(1));
             return dialog;
         }), "Working", "", {}, ExportWay({"key ctrl+a", "type 1190", "key Return", "key Return"})},
        {"Data Server", "CSIMPLETCPSERVERDIALOG", {"File", "Data Server…"}, MadeFor<CSIMPLETCPSERVERDIALOG>(), "Data Server"},
        {"Frequency Interval", "FQINTVDLG", {"Analysis", "Frequency Bands…"}, MadeFor<CFqIntvDlg>(), "Frequency Interval"},
        {"Peak Detection", "PEAKDLG", {"View", "Peaks…"}, MadeFor<CPeakDialog>(), "Peak Detection"},
        {"Source", "SERPORTDLG", {}, Running([](Host& host) { host.document.SelectSource(); }), "Serial Port", "Source…"},
        {"Export Spectra", "SPECSAVEDLG", {"File", "Export Spectra…"}, MadeFor<CSpecSaveDlg>(), "Export Spectra", "", {},
         ExportWay({})},
        {"Sample Rate", "SPLRTDLG", {"Analysis", "Sample Rate…"}, MadeFor<CSplRtDlg>(), "Sample Rate"},
        {"message", "", {}, Running([](Host& host) { ShowWindowMessage(&host.document, kOpenFailedItem); }), "Sonalyx"},
        {"open panel", "", {"File", "Open…"}, FilePanel(plat::FilePanel::Kind::Open), "Open"},
        {"save panel", "", {"File", "Save As…"}, FilePanel(plat::FilePanel::Kind::Save), "Save"},
        {"colour panel", "", {}, Made([](Host& host) {
             return std::make_unique<CColorPanelWindow>(&host.app, plat::ColorPanel::Shared());
         }), "Pick a Colour", "", {}, {"menu Sonalyx>Colours…", "at 131,24"}},
        {"font panel", "", {}, Made([](Host& host) {
             return std::make_unique<CFontPanelWindow>(&host.app, plat::FontPanel::Shared(),
                                                       CFontPanelWindow::Mode::Modeless);
         }), "Fonts", "", {}, {"menu Sonalyx>View Fonts…", "at 300,12"}},
    };
}

} // namespace

const std::vector<ProgramWindow>& ProgramWindows()
{
    static const std::vector<ProgramWindow> list = MakeList();
    return list;
}

const std::vector<std::string>& PaneLayouts()
{
    static const std::vector<std::string> names = {
        "CDMXCONSOLECELL", "CMIDICONSOLECELL", "CVPFONTCELL", "EVTXCELL",  "GRIDINFOF", "SNXCHCELL",
        "SNXCHDATA",       "SNXCHFRM",         "SNXCHSPEC",   "SNXCHVW",   "SNXDRCELL", "SNXDRFRM",
        "SNXFRQVW",        "SRCCTLFRM",        "STDLAYOUT",   "ZEBSTATF",
    };
    return names;
}
