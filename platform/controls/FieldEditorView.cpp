#include "platform/controls/FieldEditorView.h"
#include "platform/controls/TextFieldView.h"
#include "platform/window/Window.h"

namespace plat {

void FieldEditorView::TakeClient(TextFieldView* field)
{
    if (fClient == field)
        return;
    if (fClient)
        fClient->EndEditing();   // gives the editor back through ReleaseClient
    fClient = field;
}

void FieldEditorView::ReleaseClient(TextFieldView* field)
{
    if (fClient != field)
        return;
    fClient = nullptr;
    fEditor.SetShouldChange({});
    fEditor.SetCommandHook({});
    fEditor.SetOnChange({});
    Ref<View> keep(this);
    RemoveFromSuperview();
}

void FieldEditorView::MouseMoved(const Event& event)
{
    Window* window = GetWindow();
    if (View* content = window ? window->ContentView() : nullptr; content && content != this)
        content->MouseMoved(event);
}

} // namespace plat
