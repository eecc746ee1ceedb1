#include "controls/edit/CMacEditText.h"

#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "platform/controls/TextFieldView.h"
#include "platform/window/Event.h"
#include "platform/window/EventQueue.h"
#include "platform/window/Pasteboard.h"
#include "platform/window/Window.h"
#include "shell/windows/MWindowView.h"
#include "shell/windows/ScreenCoords.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"
#include "ui/panes/LPane.h"
#include "ui/panes/LPaneContext.h"

#include <cmath>

const char* CMacEditText::msgChange = "CEditText_Change";
const char* CMacEditText::msgScroll = "CEditText_Scroll";

namespace {

constexpr const char* kMouseCursor = "LMouse_Cursor";
constexpr uint8_t kEscape = 27;

} // namespace

CMacEditText::CMacEditText(LPane* owner, const CLRect& inner, const CLRect& textRect, InputFilter filter,
                           uint32_t mode, const LFont& font, bool secret, bool readOnly, bool)
    : LHandler(nullptr), fOwner(owner), fInner(inner), fTextRect(textRect), fFilter(std::move(filter)),
      fFont(font), fMode(mode)
{
    fField = plat::TextFieldView::Make(plat::Rect{0, 0, 1, 1});
    fField->SetSecure(secret);
    if (readOnly) {
        fField->SetEditable(false);
        fField->SetSelectable(true);
    }
    fField->SetFont(fFont.GetNSFont());
    fField->SetBordered(false);
    fField->SetWraps(mode == 2);
    fField->SetMultiLine(mode == 1 || mode == 2);
    plat::TextFieldView::Delegate delegate;
    delegate.didChange = [this] {
        fChanged = true;
        LMessage::Send(LMessage(msgChange, this, fOwner));
    };
    delegate.shouldChange = [this](plat::FieldEditor::Range, const std::string& text) { return FilterInsertion(text); };
    delegate.doCommand = [this](plat::FieldEditor::Command) { return OfferCommandKey(); };
    delegate.didScroll = [this] { LMessage::Send(LMessage(msgScroll, this, fOwner)); };
    fField->SetDelegate(std::move(delegate));
    PlaceField();
}

CMacEditText::~CMacEditText()
{
    if (!fField)
        return;
    fField->EndEditing();
    fField->SetDelegate({});
    fField->RemoveFromSuperview();
}

void CMacEditText::PlaceField()
{
    const LPaneContext context = LPaneContext::FromPane(*fOwner);
    CLRect rect = fTextRect;
    rect.Offset(context.originX, context.originY);
    plat::View* host = context.view;
    if (host && fField->Superview() != host)
        host->AddSubview(fField.Get());
    const plat::View* super = fField->Superview();
    fField->SetFrame(RectToNSRect(rect, super ? static_cast<int32_t>(super->Frame().height) : 0));
}

bool CMacEditText::FilterInsertion(const std::string& replacement)
{
    if (replacement.empty() || !fFilter)
        return true;
    LStringRef copy{std::string_view(replacement)};
    if (!fFilter(fOwner, 0, copy))
        return false;
    if (copy.View() == replacement)
        return true;
    // The filter kept part of the text: insert that part instead of the proposal, as it is.
    if (!copy.IsEmpty() && fField->CurrentEditor()) {
        InputFilter saved = std::move(fFilter);
        fFilter = nullptr;
        fField->CurrentEditor()->InsertText(copy.View());
        fFilter = std::move(saved);
    }
    return false;
}

bool CMacEditText::OfferCommandKey()
{
    // The window's view turns the current key event into "LKeyboard_Down" (and "LKeyboard_Char"
    // when a handler lets the key through); a key the framework used is not the field's.
    LKeyboard* keyboard = LKeyboard::Current();
    for (plat::View* view = fField->Superview(); view; view = view->NextResponder()) {
        if (auto* windowView = dynamic_cast<MWindowView*>(view)) {
            windowView->DoCommandBySelector();
            return keyboard && keyboard->charFlag != 0;
        }
    }
    return false;
}

bool CMacEditText::HandleCommand(const LMessage& msg)
{
    if (StrEqual(msg.type, LKeyboard::msgChar)) {
        auto* keyboard = dynamic_cast<LKeyboard*>(msg.subject);
        if (!keyboard || keyboard->character == kEscape)
            return false;
        keyboard->charFlag = 0;
        return true;
    }
    if (StrEqual(msg.type, LMenuBar::msgReady)) {
        auto* bar = dynamic_cast<LMenuBar*>(msg.subject);
        if (!bar)
            return false;
        if (fField->IsEditable() && plat::Pasteboard::General().Data(plat::Pasteboard::kTypeText))
            bar->EnableCommand("LStdCmd_Paste", LStringRef());
        if (HasSelection()) {
            bar->EnableCommand("LStdCmd_Copy", LStringRef());
            if (fField->IsEditable()) {
                bar->EnableCommand("LStdCmd_Cut", LStringRef());
                bar->EnableCommand("LStdCmd_Delete", LStringRef());
            }
        }
        return false;
    }
    if (StrEqual(msg.type, LMenuItem::msgSelected)) {
        auto* item = dynamic_cast<LMenuItem*>(msg.subject);
        if (!item)
            return false;
        static const char* const kCommands[][2] = {
            {"LStdCmd_Cut", "cut"}, {"LStdCmd_Copy", "copy"}, {"LStdCmd_Paste", "paste"}, {"LStdCmd_Delete", "delete"}};
        for (const auto& command : kCommands)
            if (item->HasCommand(command[0]))
                return fField->PerformEditAction(command[1]);
        return false;
    }
    if (StrEqual(msg.type, kMouseCursor)) {
        LMouse::SetCursor(2);
        return true;
    }
    return false;
}

bool CMacEditText::HasSelection() const
{
    const plat::FieldEditor* editor = fField ? fField->CurrentEditor() : nullptr;
    return editor && editor->Selection().length != 0;
}

bool CMacEditText::IsAllSelected() const
{
    const plat::FieldEditor* editor = fField ? fField->CurrentEditor() : nullptr;
    if (!editor)
        return true;
    return editor->Selection().start == 0 && editor->Selection().length >= editor->Text().size();
}

void CMacEditText::SelectAll()
{
    if (!fField->CurrentEditor())
        fField->BeginEditing();
    if (plat::FieldEditor* editor = fField->CurrentEditor())
        editor->SelectAll();
}

void CMacEditText::SetSelection(uint32_t start, uint32_t length)
{
    if (plat::FieldEditor* editor = fField->CurrentEditor())
        editor->SetSelection({start, length});
}

std::pair<uint32_t, uint32_t> CMacEditText::GetSelection() const
{
    const plat::FieldEditor* editor = fField->CurrentEditor();
    if (!editor)
        return {0, 0};
    return {static_cast<uint32_t>(editor->Selection().start), static_cast<uint32_t>(editor->Selection().length)};
}

void CMacEditText::EndCompletion()
{
    // The field offers no completion list; the flag only brackets the call.
    fCompletionOff = true;
    fCompletionOff = false;
}

LStringRef CMacEditText::GetText()
{
    fChanged = false;
    return fField ? LStringRef(std::string_view(fField->StringValue())) : LStringRef();
}

void CMacEditText::SetText(const LStringRef& text)
{
    if (!fField)
        return;
    fField->SetStringValue(std::string(text.View()));
    fChanged = false;
}

void CMacEditText::SetActive(bool active)
{
    if (!active || !fField)
        return;
    fField->BeginEditing();
}

void CMacEditText::SetPlace(LPortState*, const CLRect& inner, const CLRect& textRect)
{
    fInner = inner;
    fTextRect = textRect;
    PlaceField();
}

void CMacEditText::ForwardClick(const CLPoint&)
{
    plat::Ref<plat::Event> event = plat::EventQueue::Shared().Current();
    const LMouse* mouse = LMouse::Current();
    const auto* pressed = mouse ? dynamic_cast<const plat::Event*>(mouse->event.Get()) : nullptr;
    if (pressed)
        fField->MouseDown(*pressed);
    else if (event)
        fField->MouseDown(*event);
    else
        fField->BeginEditing();
}

CLPoint CMacEditText::GetScroll()
{
    if (fField) {
        const plat::Point point = fField->ScrollPoint();
        fScroll = {static_cast<int32_t>(point.x), static_cast<int32_t>(point.y)};
    }
    return fScroll;
}

void CMacEditText::SetScroll(int32_t x, int32_t y)
{
    if (!fField || (x == fScroll.x && y == fScroll.y))
        return;
    fScroll = {x, y};
    fField->ScrollTo(plat::Point{double(x), double(y)});
}

void CMacEditText::SetBackgroundColor(const CColor* color)
{
    fField->SetBackgroundColor(color ? color->PlatformColor() : plat::Color{1, 1, 1, 1});
}

void CMacEditText::SetTextColor(const LBrush* brush)
{
    fField->SetTextColor(BrushColor(brush));
}
