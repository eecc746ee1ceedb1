#include "platform/controls/TextFieldView.h"

#include "platform/controls/KeyCommand.h"
#include "platform/draw/TextLayout.h"
#include "platform/window/CurrentDrawing.h"
#include "platform/window/Event.h"
#include "platform/window/Pasteboard.h"
#include "platform/window/Window.h"
#include "platform/window/WindowBackend.h"
#include "platform/window/WindowServer.h"

#include <algorithm>

namespace plat {

TextFieldView::~TextFieldView()
{
    if (fSharedEditor)
        fSharedEditor->ReleaseClient(this);
}

std::string TextFieldView::StringValue() const
{
    return fEditor ? fEditor->Text() : fValue;
}

void TextFieldView::SetStringValue(const std::string& text)
{
    fValue = text;
    if (fEditor)
        fEditor->SetText(text);
    SetNeedsDisplay();
}

void TextFieldView::SetEditable(bool editable)
{
    fEditable = editable;
    if (fEditor)
        fEditor->SetEditable(editable);
}

void TextFieldView::SetMultiLine(bool multiLine)
{
    fMultiLine = multiLine;
    if (fEditor)
        fEditor->SetMultiLine(multiLine);
}

bool TextFieldView::BeginEditing()
{
    if (!AcceptsFirstResponder())
        return false;
    if (Window* window = GetWindow(); window && window->FirstResponder() != this)
        window->MakeFirstResponder(this);
    if (fEditor)
        return true;
    Window* window = GetWindow();
    fSharedEditor = Ref<FieldEditorView>(window ? dynamic_cast<FieldEditorView*>(window->FieldEditor(this)) : nullptr);
    if (fSharedEditor) {
        fSharedEditor->TakeClient(this);
        AddSubview(fSharedEditor.Get());
        fEditor = &fSharedEditor->Editor();
    } else {
        fOwnEditor = std::make_unique<FieldEditor>();
        fEditor = fOwnEditor.get();
        fEditor->SetMultiLine(fMultiLine);
    }
    WindowServer::Shared().Backend().SetTextInput(true); // composed characters while editing
    fEditor->SetText(fValue);
    fEditor->SetEditable(fEditable);
    fEditor->SelectAll();
    if (!fSecure && fDelegate.shouldChange)
        fEditor->SetShouldChange([this](FieldEditor::Range range, const std::string& text) {
            return fDelegate.shouldChange(range, text);
        });
    fEditor->SetCommandHook([this](FieldEditor::Command command) {
        return fDelegate.doCommand && fDelegate.doCommand(command);
    });
    fEditor->SetOnChange([this] { Changed(); });
    if (fDelegate.didBeginEditing)
        fDelegate.didBeginEditing();
    SetNeedsDisplay();
    return true;
}

void TextFieldView::EndEditing()
{
    if (!fEditor)
        return;
    fValue = fEditor->Text();
    fEditor = nullptr;
    fOwnEditor.reset();
    if (Ref<FieldEditorView> shared = std::move(fSharedEditor))
        shared->ReleaseClient(this);
    WindowServer::Shared().Backend().SetTextInput(false);
    if (Window* window = GetWindow(); window && window->FirstResponder() == this)
        window->MakeFirstResponder(Superview());
    SetNeedsDisplay();
}

void TextFieldView::ScrollTo(const Point& point)
{
    if (point.x == fScroll.x && point.y == fScroll.y)
        return;
    fScroll = point;
    SetNeedsDisplay();
    if (fDelegate.didScroll)
        fDelegate.didScroll();
}

void TextFieldView::KeepCaretVisible()
{
    if (!fEditor || !fFont || fMultiLine || fWraps)
        return;
    const std::string text = fSecure ? std::string(fEditor->Text().size(), '*') : fEditor->Text();
    const FieldEditor::Range range = fEditor->Selection();
    const double caret = fFont->Advance(std::string_view(text).substr(0, range.start + range.length));
    const double width = Frame().width;
    double x = fScroll.x;
    if (caret - x > width - 1)
        x = caret - width + 1;
    if (caret < x)
        x = caret;
    const double widest = std::max(0.0, fFont->Advance(text) - width + 1);
    ScrollTo(Point{std::clamp(x, 0.0, widest), fScroll.y});
}

void TextFieldView::Changed()
{
    KeepCaretVisible();
    SetNeedsDisplay();
    if (fDelegate.didChange)
        fDelegate.didChange();
}

void TextFieldView::MouseDown(const Event&)
{
    Ref<View> keepAlive(this);
    if (BeginEditing() && fEditor)
        fEditor->SetSelection({fEditor->Text().size(), 0});
}

void TextFieldView::MouseMoved(const Event& event)
{
    if (fSharedEditor)
        fSharedEditor->MouseMoved(event);
    else
        View::MouseMoved(event);
}

bool TextFieldView::PerformEditAction(const std::string& action)
{
    if (!fEditor)
        return false;
    Pasteboard& board = Pasteboard::General();
    if (action == "copy" || action == "cut") {
        if (fEditor->Selection().length == 0 || fSecure)
            return true;
        board.Clear();
        board.SetText(Pasteboard::kTypeText, action == "cut" ? fEditor->Cut() : fEditor->Copy());
    } else if (action == "paste") {
        if (const auto data = board.Data(Pasteboard::kTypeText))
            fEditor->Paste(std::string(data->begin(), data->end()));
    } else if (action == "delete") {
        fEditor->Delete();
    } else if (action == "selectAll") {
        fEditor->SelectAll();
    } else {
        return false;
    }
    SetNeedsDisplay();
    return true;
}

void TextFieldView::KeyDown(const Event& event)
{
    Ref<View> keepAlive(this);
    if (!fEditor) {
        View::KeyDown(event);
        return;
    }
    const uint32_t character = FirstCharacter(event.characters);
    if (event.modifierFlags & kModCommand) {
        static const char* const kActions[][2] = {{"a", "selectAll"}, {"c", "copy"}, {"x", "cut"}, {"v", "paste"}};
        for (const auto& entry : kActions)
            if (event.charactersIgnoringModifiers == entry[0] && PerformEditAction(entry[1]))
                return;
        View::KeyDown(event);
        return;
    }
    if (const auto command = KeyToCommand(character, event.modifierFlags)) {
        fEditor->DoCommand(*command);
        KeepCaretVisible();
        SetNeedsDisplay();
        return;
    }
    if (character >= 0x20 && !(event.modifierFlags & kModControl) && (character < 0xF700 || character > 0xF8FF))
        fEditor->InsertText(event.characters);
}

void TextFieldView::DrawRect(const Rect&)
{
    const CurrentDrawing* drawing = CurrentDrawing::Get();
    if (!drawing || !drawing->canvas)
        return;
    Canvas& canvas = *drawing->canvas;
    canvas.Save();
    canvas.SetFillColor(fBackground);
    canvas.FillRect(Bounds());
    std::string shown = StringValue();
    if (fSecure)
        shown = std::string(shown.size(), '*');
    canvas.Translate(-fScroll.x, -fScroll.y);
    if (fFont && fEditor && !fMultiLine) {
        // The selection (or the caret) of a one-line field, measured along its line.
        const FieldEditor::Range range = fEditor->Selection();
        const auto xAt = [&](size_t offset) { return fFont->Advance(std::string_view(shown).substr(0, offset)); };
        const double start = xAt(range.start);
        const double end = range.length ? xAt(range.start + range.length) : start + 1;
        canvas.SetFillColor(range.length ? Color{0.70, 0.80, 1.0, 1.0} : fTextColor);
        canvas.FillRect(Rect{start, 0, end - start, Frame().height});
    }
    if (fFont && !shown.empty()) {
        canvas.SetFillColor(fTextColor);
        TextLayout(*fFont, shown, fWraps ? Frame().width : 0.0).Draw(canvas, Bounds(), TextAlign::Left);
    }
    canvas.Restore();
}

} // namespace plat
