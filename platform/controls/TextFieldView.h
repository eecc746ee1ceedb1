#pragma once
#include "platform/controls/FieldEditor.h"
#include "platform/controls/FieldEditorView.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/Font.h"
#include "platform/window/View.h"

#include <functional>
#include <memory>
#include <string>

namespace plat {

class Event;

// A text field in a window: a string value shown in a frame, edited through a field editor while
// the field is its window's first responder. Typed characters are inserted (through the change
// hook, the field's input filter); keys that stand for commands (arrows, Return, Tab, Backspace,
// Escape ...) are offered to the command hook first, so the program sees them before the field.
// Command-A, -C, -X and -V select all, copy, cut and paste with the general pasteboard.
class TextFieldView : public View {
public:
    // What the program hears from the field.
    struct Delegate {
        std::function<void()> didBeginEditing;
        std::function<void()> didChange;
        // true: someone else handled the command; the field does nothing more.
        std::function<bool(FieldEditor::Command)> doCommand;
        // false rejects a change of the text.
        std::function<bool(FieldEditor::Range, const std::string&)> shouldChange;
        std::function<void()> didScroll;
    };

    static Ref<TextFieldView> Make(const Rect& frame) { return Ref<TextFieldView>::Adopt(new TextFieldView(frame)); }

    bool IsFlipped() const override { return true; }
    bool AcceptsFirstResponder() const override { return fSelectable || fEditable; }

    // The text: the editor's while editing.
    std::string StringValue() const;
    void SetStringValue(const std::string& text);

    bool IsEditable() const { return fEditable; }
    void SetEditable(bool editable);
    bool IsSelectable() const { return fSelectable; }
    void SetSelectable(bool selectable) { fSelectable = selectable; }
    // A secure field shows bullets and keeps no change hook.
    bool IsSecure() const { return fSecure; }
    void SetSecure(bool secure) { fSecure = secure; }
    bool IsMultiLine() const { return fMultiLine; }
    void SetMultiLine(bool multiLine);
    bool Wraps() const { return fWraps; }
    void SetWraps(bool wraps) { fWraps = wraps; }
    bool IsBordered() const { return fBordered; }
    void SetBordered(bool bordered) { fBordered = bordered; }

    Font* GetFont() const { return fFont.Get(); }
    void SetFont(Font* font) { fFont = Ref<Font>(font); }
    void SetTextColor(const Color& color) { fTextColor = color; }
    const Color& TextColor() const { return fTextColor; }
    void SetBackgroundColor(const Color& color) { fBackground = color; }
    const Color& BackgroundColor() const { return fBackground; }

    void SetDelegate(Delegate delegate) { fDelegate = std::move(delegate); }

    // Editing: the field editor exists from BeginEditing until EndEditing.
    bool IsEditing() const { return fEditor != nullptr; }
    FieldEditor* CurrentEditor() const { return fEditor; }
    // The window's shared editor while the field edits with it; null otherwise.
    FieldEditorView* SharedEditor() const { return fSharedEditor.Get(); }
    // Makes the field its window's first responder and opens the editor with all text selected:
    // the editor the window's delegate lends (see WindowDelegate::FieldEditor), or one of its own.
    bool BeginEditing();
    // Takes the editor's text as the value and closes the editor.
    void EndEditing();

    // The scroll position of the text inside the field.
    Point ScrollPoint() const { return fScroll; }
    void ScrollTo(const Point& point);

    void MouseDown(const Event& event) override;
    // While the shared editor is lent, pointer moves go through it.
    void MouseMoved(const Event& event) override;
    void KeyDown(const Event& event) override;
    void DrawRect(const Rect& dirty) override;

    // Runs an edit command the way the Edit menu does: "cut", "copy", "paste", "delete", "selectAll".
    bool PerformEditAction(const std::string& action);

private:
    explicit TextFieldView(const Rect& frame) : View(frame) {}
    ~TextFieldView() override;
    void Changed();
    // Scrolls a one-line field sideways so that the caret stays inside it.
    void KeepCaretVisible();

    std::string fValue;
    FieldEditor* fEditor = nullptr;
    std::unique_ptr<FieldEditor> fOwnEditor;
    Ref<FieldEditorView> fSharedEditor;
    Delegate fDelegate;
    Point fScroll;
    Ref<Font> fFont;
    Color fTextColor{0, 0, 0, 1};
    Color fBackground{1, 1, 1, 1};
    bool fEditable = true;
    bool fSelectable = true;
    bool fSecure = false;
    bool fMultiLine = false;
    bool fWraps = false;
    bool fBordered = true;
};

} // namespace plat
