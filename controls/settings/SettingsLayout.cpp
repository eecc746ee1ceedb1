#include "controls/settings/SettingsLayout.h"
#include "foundation/text/LStrList.h"
#include "shell/draw/LFont.h"
#include "ui/dialogs/DialogLayout.h"
#include "ui/panes/LCaptionPane.h"

void PlaceByLayoutList(LFrame& dialog, const char* name, const std::function<void(LFormula&)>& prepare)
{
    LStrList texts({0, name}, nullptr, kStrListLayouts);
    PlaceDialogByTexts(dialog, texts.GetItem(0).View(), texts.GetItem(1).View(), texts.GetItem(2).View(), prepare);
}

void SetCaption(LCaptionPane& caption, const LStringRef& text, uint32_t fontId)
{
    (void)caption.SetFont(LFont(fontId));
    (void)caption.SetText(text);
}
