#include "platform/window/FieldEditorActions.h"
#include "platform/controls/TextFieldView.h"
#include "platform/menus/MenuActions.h"
#include "platform/menus/MenuItem.h"
#include "platform/window/Pasteboard.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"

#include <string>

namespace plat {

namespace {

constexpr std::string_view kActions[] = {"cut:", "copy:", "paste:", "delete:", "selectAll:"};

FieldEditor* FocusedEditor()
{
    Window* window = WindowServer::Shared().KeyWindow();
    auto* field = window ? dynamic_cast<TextFieldView*>(window->FirstResponder()) : nullptr;
    return field ? field->CurrentEditor() : nullptr;
}

std::string PasteboardText()
{
    const std::optional<Pasteboard::Bytes> data = Pasteboard::General().Data(Pasteboard::kTypeText);
    return data ? std::string(data->begin(), data->end()) : std::string();
}

class EditorResponder final : public ActionResponder {
public:
    bool RespondsTo(std::string_view action) const override
    {
        for (std::string_view known : kActions)
            if (action == known)
                return FocusedEditor() != nullptr;
        return false;
    }

    bool ValidateMenuItem(const MenuItem& item) const override
    {
        const FieldEditor* editor = FocusedEditor();
        if (!editor)
            return false;
        const std::string& action = item.Action();
        const bool selected = editor->Selection().length > 0;
        if (action == "copy:")
            return selected;
        if (action == "cut:" || action == "delete:")
            return selected && editor->IsEditable();
        if (action == "paste:")
            return editor->IsEditable() && Pasteboard::General().AvailableType({Pasteboard::kTypeText}).has_value();
        return true;
    }

    void Perform(std::string_view action, MenuItem*) override
    {
        FieldEditor* editor = FocusedEditor();
        if (!editor)
            return;
        if (action == "copy:" || action == "cut:") {
            Pasteboard::General().Clear();
            Pasteboard::General().SetText(Pasteboard::kTypeText, editor->Copy());
        }
        if (action == "cut:")
            (void)editor->Cut();
        else if (action == "paste:")
            editor->Paste(PasteboardText());
        else if (action == "delete:")
            editor->Delete();
        else if (action == "selectAll:")
            editor->SelectAll();
    }
};

} // namespace

ActionResponder* FieldEditorResponder(std::string_view action)
{
    static EditorResponder responder;
    return responder.RespondsTo(action) ? &responder : nullptr;
}

} // namespace plat
