#pragma once
#include "controls/viewprefs/CVPFontList.h"
#include "ui/dialogs/LDialog.h"

// The view-preferences window: an ordinary window holding the list of view fonts, laid out by
// "CVIEWPREFSDLG" and fitted to its layout again when fonts change.
class CViewPrefsDlg : public LDialog {
public:
    static const char* const kResName;   // "CVIEWPREFSDLG"

    explicit CViewPrefsDlg(LHandler* parent);

    CVPFontList& FontList() { return fFontList; }

    void StateChanged(int32_t event) override;

private:
    CVPFontList fFontList;
};
