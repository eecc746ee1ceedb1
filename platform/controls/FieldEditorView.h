#pragma once
#include "platform/controls/FieldEditor.h"
#include "platform/window/View.h"

namespace plat {

class TextFieldView;

// The one text editor a window lends to whichever of its text fields is being edited. The
// field that takes it first ends the editing of the field that had it, so each field's text
// is kept. It sits inside the edited field as a tiny subview; its single-line setting comes
// from the window's delegate when it hands the editor out.
class FieldEditorView : public View {
public:
    static Ref<FieldEditorView> Make() { return Ref<FieldEditorView>::Adopt(new FieldEditorView()); }

    FieldEditor& Editor() { return fEditor; }
    const FieldEditor& Editor() const { return fEditor; }
    // True: the editor works on one line, line feeds and tabs end the editing instead of being text.
    void SetFieldEditor(bool singleLine) { fEditor.SetMultiLine(!singleLine); }
    bool IsFieldEditor() const { return !fEditor.IsMultiLine(); }

    // The field editing with this editor now; null when none.
    TextFieldView* Client() const { return fClient; }
    // Makes `field` the client: the previous one ends its editing first.
    void TakeClient(TextFieldView* field);
    // The field gives the editor back: its hooks are cleared and it leaves the field.
    void ReleaseClient(TextFieldView* field);

    // Pointer moves go on to the window's content view, so the program's cursor tracking keeps
    // working over the field being edited.
    void MouseMoved(const Event& event) override;

private:
    FieldEditorView() : View(Rect{0, 0, 1, 1}) {}

    FieldEditor fEditor;
    TextFieldView* fClient = nullptr;
};

} // namespace plat
