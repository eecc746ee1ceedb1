#include "controls/settings/SettingsLayout.h"
#include "controls/edit/LEditText.h"
#include "foundation/text/LStrList.h"
#include "shell/draw/LFontData.h"
#include "ui/frames/LFrame.h"
#include "shell/draw/LFont.h"
#include "ui/dialogs/DialogLayout.h"
#include "ui/panes/LCaptionPane.h"

namespace {

constexpr uint32_t kDialogFont = 0;

// Text fields of a dialog draw in the dialogs' font: a font a person chose for the views stays
// in the views. Fields given a font of their own (numbers in the fixed-width one) keep it.
void UseDialogFontInFields(LFrame& dialog)
{
    const LFont viewFont(LFontData::kUserFont);
    for (uint32_t n = 1; n <= dialog.Children().Count(); ++n) {
        auto* field = dynamic_cast<LEditText*>(dialog.PaneAt(n));
        if (field && field->Font() == viewFont)
            field->SetFont(LFont(kDialogFont));
    }
}

} // namespace

void PlaceByLayoutList(LFrame& dialog, const char* name, const std::function<void(LFormula&)>& prepare)
{
    UseDialogFontInFields(dialog);
    LStrList texts({0, name}, nullptr, kStrListLayouts);
    PlaceDialogByTexts(dialog, texts.GetItem(0).View(), texts.GetItem(1).View(), texts.GetItem(2).View(), prepare);
}

void SetCaption(LCaptionPane& caption, const LStringRef& text, uint32_t fontId)
{
    (void)caption.SetFont(LFont(fontId));
    (void)caption.SetText(text);
}
