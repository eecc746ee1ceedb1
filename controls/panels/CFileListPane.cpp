#include "controls/panels/CFileListPane.h"
#include "controls/CColor.h"
#include "controls/panels/PanelDrawing.h"
#include "controls/std/PaneMouse.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "platform/TextEncoding.h"
#include "platform/files/FileSystem.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LPortState.h"
#include "ui/panes/LPaneFlags.h"

#include <algorithm>
#include <ctime>

const char* CFileListPane::msgOpen = "CFileList_Open";
const char* CFileListPane::msgUp = "CFileList_Up";
const char* CFileListPane::msgSelected = "CFileList_Selected";

namespace {

constexpr int32_t kDateWidth = 140;
constexpr int32_t kTextInset = 6;
constexpr uint8_t kBackspace = 8;
constexpr uint8_t kDelete = 127;
constexpr int32_t kNavUp = 3, kNavDown = 4, kNavReturn = 5;
constexpr int32_t kSelectionColourId = 3;

std::string DateText(double modified)
{
    const std::time_t when = std::time_t(modified + plat::kReferenceDateOffset);
    std::tm local{};
    if (!localtime_r(&when, &local))
        return {};
    char text[32];
    return std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) ? text : "";
}

} // namespace

CFileListPane::CFileListPane(LHandler* parent, LPane* host, CFolderBrowser& browser)
    : CRowListPane(parent, host, kHeaderHeight), fBrowser(browser)
{
}

int32_t CFileListPane::RowAt(const CLPoint& point) const
{
    return CRowListPane::RowAt(point, int32_t(fBrowser.Entries().size()));
}

void CFileListPane::Reload()
{
    ScrollToTop();
    fTyped.Clear();
    ScrollToRow(fBrowser.Selected());
    Changed();
}

bool CFileListPane::HandleClick(LMouse& mouse)
{
    FocusOnClick();
    const CLPoint where = MouseInPane(*this);
    if (where.y < Rect().top + kHeaderHeight) {
        const bool onDate = where.x >= Rect().right - kDateWidth;
        fBrowser.SortOn(onDate ? CFolderBrowser::SortBy::Date : CFolderBrowser::SortBy::Name);
        ScrollToRow(fBrowser.Selected());
        Changed();
        return true;
    }
    const int32_t row = RowAt(where);
    const bool twice = mouse.IsDoubleClick(fClickCookie) && row == fClickRow;
    fClickRow = row;
    if (row < 0)
        return true;
    fBrowser.Select(row);
    Changed();
    Announce(msgSelected, Parent());
    if (twice)
        Announce(msgOpen, Parent());
    return true;
}

void CFileListPane::Typed(char32_t character)
{
    if (fBrowser.SelectByPrefix(fTyped.Add(character))) {
        ScrollToRow(fBrowser.Selected());
        Changed();
        Announce(msgSelected, Parent());
    }
}

bool CFileListPane::HandleKey()
{
    const LKeyboard* keyboard = LKeyboard::Current();
    if (!keyboard || !HasFlags(kPaneFocused))
        return false;
    const int32_t nav = keyboard->GetNavKey();
    if (nav == kNavUp || nav == kNavDown) {
        const int32_t selected = fBrowser.Selected();
        fBrowser.Select(selected < 0 ? 0 : selected + (nav == kNavUp ? -1 : 1));
        ScrollToRow(fBrowser.Selected());
        Changed();
        Announce(msgSelected, Parent());
        return true;
    }
    if (nav == kNavReturn && fBrowser.Selected() >= 0) {
        Announce(msgOpen, Parent());
        return true;
    }
    if (keyboard->character == kBackspace || keyboard->character == kDelete) {
        Announce(msgUp, Parent());
        return true;
    }
    if (keyboard->charCode >= 0x20 && keyboard->charCode < 0xF700 && !keyboard->IsCommand()) {
        Typed(keyboard->charCode);
        return true;
    }
    return false;
}

void CFileListPane::DrawHeader(LPortState& port) const
{
    const CLRect header{Rect().left, Rect().top, Rect().right, Rect().top + kHeaderHeight};
    LFillRegionOp(LRegion(header), PanelGrey(0xE0)).Draw(port);
    const bool byName = fBrowser.SortColumn() == CFolderBrowser::SortBy::Name;
    const std::string arrow = fBrowser.SortsDescending() ? " \u25BC" : " \u25B2";
    DrawPanelText(port, std::string("Name") + (byName ? arrow : ""),
             CLRect{header.left + kTextInset, header.top, header.right - kDateWidth, header.bottom});
    DrawPanelText(port, std::string("Modified") + (byName ? "" : arrow),
             CLRect{header.right - kDateWidth, header.top, header.right - kTextInset, header.bottom});
}

void CFileListPane::DrawRow(LPortState& port, int32_t row) const
{
    const CFolderBrowser::Entry& entry = fBrowser.Entries()[size_t(row)];
    const CLRect rect = RowRect(row);
    if (row == fBrowser.Selected()) {
        CColorRef selection;
        CColor::AssignById(selection, kSelectionColourId);
        LFillRegionOp(LRegion(rect), selection).Draw(port);
    }
    const std::string name = entry.isFolder ? entry.shownName + "/" : entry.shownName;
    DrawPanelText(port, name, CLRect{rect.left + kTextInset, rect.top, rect.right - kDateWidth, rect.bottom});
    DrawPanelText(port, DateText(entry.modified), CLRect{rect.right - kDateWidth, rect.top, rect.right - kTextInset, rect.bottom});
}

void CFileListPane::DrawSelf(LPortState& port) const
{
    LFillRegionOp(LRegion(Rect()), PanelGrey(0xFF)).Draw(port);
    DrawHeader(port);
    if (fBrowser.ListStatus() == CFolderBrowser::Status::Unreadable) {
        const CLRect below{Rect().left + kTextInset, Rect().top + kHeaderHeight + 8, Rect().right, Rect().bottom};
        DrawPanelText(port, std::string(fUnreadable.View()), below);
        return;
    }
    const int32_t count = int32_t(fBrowser.Entries().size());
    for (int32_t row = TopRow(); row < count && row < TopRow() + VisibleRows(); row++)
        DrawRow(port, row);
    DrawFocusRing(port);
}
