#include "controls/panels/CNameListPane.h"
#include "controls/CColor.h"
#include "controls/panels/PanelDrawing.h"
#include "controls/std/PaneMouse.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LPortState.h"
#include "ui/panes/LPaneFlags.h"

#include <algorithm>
#include <cctype>

const char* CNameListPane::msgSelected = "CNameList_Selected";

namespace {

constexpr int32_t kTextInset = 6;
constexpr int32_t kNavUp = 3, kNavDown = 4;
constexpr int32_t kSelectionColourId = 3;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

} // namespace

CNameListPane::CNameListPane(LHandler* parent, LPane* host) : CRowListPane(parent, host, 0) {}

void CNameListPane::SetNames(std::vector<std::string> names)
{
    const std::string selected = SelectedName();
    fNames = std::move(names);
    ScrollToTop();
    fTyped.Clear();
    fSelected = -1;
    if (!selected.empty())
        (void)SelectName(selected);
    Changed();
}

std::string CNameListPane::SelectedName() const
{
    return fSelected < 0 ? std::string() : fNames[size_t(fSelected)];
}

void CNameListPane::Select(int32_t row)
{
    fSelected = fNames.empty() || row < 0 ? -1 : std::min(row, int32_t(fNames.size()) - 1);
    ScrollToRow(fSelected);
    Changed();
}

bool CNameListPane::SelectName(const std::string& name)
{
    const std::string wanted = Lower(name);
    const auto at = std::find_if(fNames.begin(), fNames.end(), [&](const std::string& n) { return Lower(n) == wanted; });
    Select(at == fNames.end() ? -1 : int32_t(at - fNames.begin()));
    return fSelected >= 0;
}

void CNameListPane::UserSelects(int32_t row)
{
    const int32_t before = fSelected;
    Select(row);
    if (fSelected >= 0 && fSelected != before)
        Announce(msgSelected, Parent());
}

bool CNameListPane::HandleClick(LMouse&)
{
    FocusOnClick();
    const int32_t row = RowAt(MouseInPane(*this), int32_t(fNames.size()));
    if (row >= 0)
        UserSelects(row);
    return true;
}

void CNameListPane::Typed(char32_t character)
{
    const std::string prefix = Lower(fTyped.Add(character));
    for (size_t i = 0; i < fNames.size(); ++i) {
        if (Lower(fNames[i]).rfind(prefix, 0) == 0) {
            UserSelects(int32_t(i));
            return;
        }
    }
}

bool CNameListPane::HandleKey()
{
    const LKeyboard* keyboard = LKeyboard::Current();
    if (!keyboard || !HasFlags(kPaneFocused))
        return false;
    const int32_t nav = keyboard->GetNavKey();
    if (nav == kNavUp || nav == kNavDown) {
        UserSelects(fSelected < 0 ? 0 : std::max(0, fSelected + (nav == kNavUp ? -1 : 1)));
        return true;
    }
    if (keyboard->charCode > 0x20 && keyboard->charCode < 0xF700 && keyboard->charCode != 0x7F &&
        !keyboard->IsCommand()) {
        Typed(keyboard->charCode);
        return true;
    }
    return false;
}

void CNameListPane::DrawSelf(LPortState& port) const
{
    LFillRegionOp(LRegion(Rect()), PanelGrey(0xFF)).Draw(port);
    const int32_t count = int32_t(fNames.size());
    for (int32_t row = TopRow(); row < count && row < TopRow() + VisibleRows(); ++row) {
        const CLRect rect = RowRect(row);
        if (row == fSelected) {
            CColorRef selection;
            CColor::AssignById(selection, kSelectionColourId);
            LFillRegionOp(LRegion(rect), selection).Draw(port);
        }
        DrawPanelText(port, fNames[size_t(row)], CLRect{rect.left + kTextInset, rect.top, rect.right - kTextInset, rect.bottom});
    }
    DrawFocusRing(port);
}
