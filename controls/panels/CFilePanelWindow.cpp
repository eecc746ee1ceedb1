#include "controls/panels/CFilePanelWindow.h"
#include "controls/panels/PanelLine.h"
#include "controls/panels/CEmbeddedViewPane.h"
#include "controls/settings/SettingsLayout.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/LStrList.h"
#include "platform/TextEncoding.h"
#include "platform/files/FileSystem.h"
#include "platform/window/FilePanel.h"
#include "platform/window/Window.h"
#include "shell/draw/LFont.h"
#include "ui/dialogs/CSimpleMessageDialog.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/panes/LPaneFlags.h"
#include "ui/windows/LWindow.h"

#include <algorithm>

const char* const CFilePanelWindow::kResName = "CFILEPANEL";

namespace {

enum TextItem : uint32_t {
    kTitleOpen, kTitleSave, kButtonOpen, kButtonSave, kButtonCancel, kButtonUp, kShowHidden, kNameLabel,
    kUnreadable, kReplaceQuestion,
};

constexpr uint32_t kPanelWindowKind = 0;
constexpr uint32_t kMessageWindowKind = 3;
// How long the panel waits for input before it looks at its folder again.
constexpr uint32_t kPollMs = 500;
constexpr int32_t kWidth = 640, kListHeight = 300, kPlacesWidth = 130, kSpace = 10, kLine = 22, kButtonWidth = 90;
constexpr size_t kMaxNameLength = 255;

LStringRef Item(uint32_t n)
{
    LStrList texts({0, CFilePanelWindow::kResName}, nullptr, kStrListDialogTexts);
    return texts.GetItem(n);
}

bool IsFolder(const std::string& path)
{
    plat::ItemInfo info;
    return plat::ReadItemInfo(path, info) == plat::FileResult::Ok && info.isFolder;
}

bool Exists(const std::string& path)
{
    plat::ItemInfo info;
    return plat::ReadItemInfo(path, info) == plat::FileResult::Ok;
}

// A name the user may save under: not empty, not a dot name, no slash, valid UTF-8, bounded.
bool IsSavableName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.size() <= kMaxNameLength && plat::IsValidUtf8(name);
}

// A proposed name never holds a slash: each becomes a hyphen.
std::string WithoutSlashes(std::string name)
{
    std::replace(name.begin(), name.end(), '/', '-');
    return name;
}

} // namespace

CFilePanelWindow::CFilePanelWindow(LHandler* parent, plat::FilePanel& panel)
    : LModalDialog(parent, nullptr, ModalWindowDef(kPanelWindowKind)), fPanel(panel), fOk(this, LStdCtlDesc{}),
      fCancel(this, LStdCtlDesc{}), fUp(this, LStdCtlDesc{}), fPath(this, this, 0), fPlaces(this, this),
      fList(this, this, fBrowser), fHidden(this, LStdCtlDesc{}), fAccessoryStop(this), fNameLabel(this, this, 0),
      fName(this, LEditText::kSingleLine, 0), fMessage(this, this, 0)
{
    SetDefaultButton(&fOk);
    SetCancelButton(&fCancel);
    SetTexts();
    PlacePanes();
    EmbedAccessory();
    fBrowser.SetFilter([this](const std::string& path) { return fPanel.ShouldShow(path); });
    fTypes = fPanel.AllowedFileTypes();
    fBrowser.SetTypes(fTypes);
    fBrowser.Open(fPanel.Directory());
    if (IsSave()) {
        fName.SetText(LStringRef(WithoutSlashes(fPanel.FileName()).c_str()));
    } else {
        fNameLabel.SetState(kEventHide);
        fName.SetState(kEventHide);
        (void)fBrowser.SelectName(fPanel.FileName());
    }
    FolderChanged();
}

CFilePanelWindow::~CFilePanelWindow()
{
    fAccessoryStop.Attach(nullptr);
    if (auto* view = dynamic_cast<MEmbeddedView*>(fPanel.AccessoryView()))
        view->RemoveFromSuperview();
}

bool CFilePanelWindow::IsSave() const
{
    return fPanel.GetKind() == plat::FilePanel::Kind::Save;
}

void CFilePanelWindow::SetTexts()
{
    SetTitle(Item(IsSave() ? kTitleSave : kTitleOpen));
    fOk.SetTitle(std::string(Item(IsSave() ? kButtonSave : kButtonOpen).View()));
    fCancel.SetTitle(std::string(Item(kButtonCancel).View()));
    fUp.SetTitle(std::string(Item(kButtonUp).View()));
    fHidden.SetTitle(std::string(Item(kShowHidden).View()));
    SetCaption(fNameLabel, Item(kNameLabel));
    (void)fPath.SetFont(LFont(0));
    SetCaption(fMessage, LStringRef(fPanel.Message().c_str()));
    fList.SetUnreadableText(Item(kUnreadable));
}

void CFilePanelWindow::PlacePanes()
{
    const int32_t line = PanelLine(fName, kLine);
    const plat::View* accessory = fPanel.AccessoryView();
    const int32_t accessoryHeight = accessory ? int32_t(accessory->Frame().height) : 0;
    int32_t y = kSpace;
    fMessage.SetRect(CLRect{kSpace, y, kWidth - kSpace, y + (fPanel.Message().empty() ? 0 : line)});
    y = fMessage.Rect().bottom + (fPanel.Message().empty() ? 0 : kSpace);
    fUp.SetRect(CLRect{kSpace, y, kSpace + 60, y + line});
    fPath.SetRect(CLRect{kSpace + 70, y + 3, kWidth - kSpace, y + line});
    y += line + kSpace;
    fPlaces.SetRect(CLRect{kSpace, y, kSpace + kPlacesWidth, y + kListHeight});
    fList.SetRect(CLRect{kSpace * 2 + kPlacesWidth, y, kWidth - kSpace, y + kListHeight});
    y += kListHeight + kSpace;
    fHidden.SetRect(CLRect{kSpace * 2 + kPlacesWidth, y, kWidth - kSpace, y + line});
    y += line + kSpace;
    if (accessoryHeight > 0) {
        const int32_t width = int32_t(accessory->Frame().width);
        fAccessoryRect = CLRect{kSpace * 2 + kPlacesWidth, y, kSpace * 2 + kPlacesWidth + width, y + accessoryHeight};
        fAccessoryStop.SetRect(fAccessoryRect);
        y = fAccessoryRect.bottom + kSpace;
    }
    fNameLabel.SetRect(CLRect{kSpace, y + 3, kSpace + kPlacesWidth, y + line});
    fName.SetRect(CLRect{kSpace * 2 + kPlacesWidth, y, kWidth - kSpace, y + line});
    y += IsSave() ? line + kSpace : 0;
    fCancel.SetRect(CLRect{kWidth - 2 * (kButtonWidth + kSpace), y, kWidth - kButtonWidth - 2 * kSpace, y + line});
    fOk.SetRect(CLRect{kWidth - kButtonWidth - kSpace, y, kWidth - kSpace, y + line});
    const int32_t height = y + line + kSpace;
    PlaceAt(CLRect{200, 100, 200 + kWidth, 100 + height});
}

// The caller's panes (the type pop-up among them) sit under the list, in their own view.
void CFilePanelWindow::EmbedAccessory()
{
    auto* view = dynamic_cast<MEmbeddedView*>(fPanel.AccessoryView());
    plat::Window* window = Window() ? Window()->Native() : nullptr;
    if (!view || !window || fAccessoryRect.IsEmpty())
        return;
    const double contentHeight = window->ContentView()->Frame().height;
    plat::Rect frame = view->Frame();
    frame.x = fAccessoryRect.left;
    frame.y = contentHeight - fAccessoryRect.bottom;
    view->SetFrame(frame);
    window->ContentView()->AddSubview(view);
    view->DidMoveToWindow();
    fAccessoryStop.Attach(view->Owner());
}

void CFilePanelWindow::ShowFolder(const std::string& folder)
{
    fBrowser.Open(folder);
    FolderChanged();
}

void CFilePanelWindow::FolderChanged()
{
    (void)fPath.SetText(LStringRef(plat::Utf8WithReplacements(fBrowser.Folder()).c_str()));
    fList.Reload();
}

void CFilePanelWindow::ProposeExtension()
{
    if (!IsSave() || !fTypes || fTypes->empty())
        return;
    std::string name(fName.GetText().View());
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    if (!name.empty())
        fName.SetText(LStringRef((name + "." + fTypes->front()).c_str()));
}

void CFilePanelWindow::Poll()
{
    if (fPanel.AllowedFileTypes() != fTypes) {
        fTypes = fPanel.AllowedFileTypes();
        fBrowser.SetTypes(fTypes);
        (void)fBrowser.Refresh();
        fList.Reload();
        ProposeExtension();
        return;
    }
    if (!IsFolder(fBrowser.Folder()) && fBrowser.Refresh())
        FolderChanged();
}

void CFilePanelWindow::OpenSelected()
{
    const int32_t row = fBrowser.Selected();
    if (row < 0)
        return;
    const CFolderBrowser::Entry& entry = fBrowser.Entries()[size_t(row)];
    if (entry.isFolder) {
        ShowFolder(fBrowser.PathOf(row));
        return;
    }
    if (IsSave()) {
        TakeSelectedName();
        return;
    }
    fPanel.ChoosePath(fBrowser.PathOf(row));
    SetResult(kDefault);
}

void CFilePanelWindow::TakeSelectedName()
{
    const int32_t row = fBrowser.Selected();
    if (!IsSave() || row < 0 || fBrowser.Entries()[size_t(row)].isFolder)
        return;
    fName.SetText(LStringRef(fBrowser.Entries()[size_t(row)].shownName.c_str()));
}

bool CFilePanelWindow::Accept()
{
    if (IsSave())
        return AcceptSave();
    const int32_t row = fBrowser.Selected();
    if (row < 0)
        return false;
    if (fBrowser.Entries()[size_t(row)].isFolder) {
        ShowFolder(fBrowser.PathOf(row));
        return false;
    }
    fPanel.ChoosePath(fBrowser.PathOf(row));
    return true;
}

bool CFilePanelWindow::AcceptSave()
{
    const std::string name(fName.GetText().View());
    if (!IsSavableName(name) || fBrowser.ListStatus() != CFolderBrowser::Status::Listed)
        return false;
    const std::string path = ChildPath(fBrowser.Folder(), name);
    if (IsFolder(path)) {
        ShowFolder(path);
        return false;
    }
    if (Exists(path) && !AskToReplace(name))
        return false;
    fPanel.ChoosePath(path);
    return true;
}

bool CFilePanelWindow::AskToReplace(const std::string& name)
{
    std::string question(Item(kReplaceQuestion).View());
    const size_t at = question.find("^0");
    if (at != std::string::npos)
        question.replace(at, 2, name);
    CSimpleMessageDialog box(this, nullptr, ModalWindowDef(kMessageWindowKind));
    return box.Run(LStringRef(question.c_str()), 0, true);
}

LPane* CFilePanelWindow::HitTest(const CLPoint& point)
{
    auto* view = dynamic_cast<MEmbeddedView*>(fPanel.AccessoryView());
    if (view && view->Owner() && fAccessoryRect.Contains(point)) {
        if (LPane* hit = view->Owner()->HitTest(CLPoint{point.x - fAccessoryRect.left, point.y - fAccessoryRect.top}))
            return hit;
    }
    return LModalDialog::HitTest(point);
}

int CFilePanelWindow::Run()
{
    ShowWindow();
    if (IsSave())
        fName.FocusAndSelect();
    else
        fList.SetState(kEventFocus);
    uint32_t answer = kNone;
    while ((answer = ModalStep(kPollMs)) == kNone)
        Poll();
    return answer == kDefault ? plat::FilePanel::kOK : plat::FilePanel::kCancel;
}

void CFilePanelWindow::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == this && StrEqual(msg.type, msgDefault) && !Accept()) {
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == &fList && StrEqual(msg.type, CFileListPane::msgOpen)) {
        OpenSelected();
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == &fList && StrEqual(msg.type, CFileListPane::msgSelected)) {
        TakeSelectedName();
        LMessage::Clear(result);
        return;
    }
    const bool up = (msg.subject == &fList && StrEqual(msg.type, CFileListPane::msgUp)) ||
                    (msg.subject == &fUp && StrEqual(msg.type, LStdCtl::msgSelected));
    if (up) {
        if (fBrowser.GoUp())
            FolderChanged();
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == &fPlaces && StrEqual(msg.type, CPlacesPane::msgChosen) && fPlaces.Chosen()) {
        ShowFolder(fPlaces.Chosen()->path);
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == &fHidden && StrEqual(msg.type, LStdCheck::msgChange)) {
        fBrowser.SetShowHidden(fHidden.IsChecked());
        (void)fBrowser.Refresh();
        fList.Reload();
        LMessage::Clear(result);
        return;
    }
    LModalDialog::HandleMessage(result, msg);
}
