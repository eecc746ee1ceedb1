#pragma once
#include "controls/panels/CEmbeddedViewPane.h"
#include "controls/std/LPopupList.h"

class CFileDialog;
class CFileTypeList;
namespace plat {
class FilePanel;
}

// The accessory area of an open or save panel: the panes the dialog and its caller add, shown
// under the panel's file list.
class CPanelAccessoryPane : public CEmbeddedViewPane {
public:
    CPanelAccessoryPane(plat::FilePanel* panel, CFileDialog* dialog);

    plat::FilePanel* Panel() const { return fPanel; }
    CFileDialog* Dialog() const { return fDialog; }

private:
    plat::FilePanel* fPanel;
    CFileDialog* fDialog;
};

// The pop-up of file types in the accessory area: choosing an entry makes the panel list that
// type and the dialog choose it.
class CFileTypePopupPane : public LFrame {
public:
    CFileTypePopupPane(LPane* accessory, CFileDialog* dialog, CFileTypeList* types);

    LPopupList& Popup() { return fPopup; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    CFileDialog* fDialog;
    CFileTypeList* fTypes;
    LPopupList fPopup;
};
