#pragma once
#include "controls/edit/LEditText.h"
#include "controls/panels/CEmbeddedViewPane.h"
#include "controls/panels/CFileListPane.h"
#include "controls/panels/CFolderBrowser.h"
#include "controls/panels/CPlacesPane.h"
#include "controls/std/LStdButton.h"
#include "controls/std/LStdCheck.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/panes/LCaptionPane.h"

#include <optional>
#include <string>
#include <vector>

namespace plat {
class FilePanel;
}

// The open or save panel as the user sees it: a modal window with the folder's path and an Up
// button, the places, the sortable file list filtered by the panel's types, a check box for
// hidden files, the accessory area (with the type pop-up) and, on the save panel, the name
// field, which takes the name of a file selected in the list. OK opens a folder or takes the
// file; saving over an existing file asks first.
class CFilePanelWindow : public LModalDialog {
public:
    static const char* const kResName;   // "CFILEPANEL"

    CFilePanelWindow(LHandler* parent, plat::FilePanel& panel);
    ~CFilePanelWindow() override;

    // Shows the panel until the user answers: the panel's kOK (with its path chosen) or kCancel.
    int Run();

    CFolderBrowser& Browser() { return fBrowser; }
    CFileListPane& List() { return fList; }
    CPlacesPane& Places() { return fPlaces; }
    LStdButton& OkButton() { return fOk; }
    LStdButton& CancelButton() { return fCancel; }
    LStdButton& UpButton() { return fUp; }
    LStdCheck& HiddenCheck() { return fHidden; }
    LEditText& NameField() { return fName; }
    const LCaptionPane& PathCaption() const { return fPath; }
    // Where the accessory view sits in the window (empty without one).
    const CLRect& AccessoryRect() const { return fAccessoryRect; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    // Points in the accessory area find the accessory's panes, which live in their own view.
    LPane* HitTest(const CLPoint& point) override;

private:
    bool IsSave() const;
    void SetTexts();
    void PlacePanes();
    void EmbedAccessory();
    void ShowFolder(const std::string& folder);
    void FolderChanged();
    // Notices changes made while the panel waits: another type chosen, the folder gone.
    void Poll();
    void ProposeExtension();
    void OpenSelected();
    // On the save panel, a file selected in the list gives the name field its name; a folder
    // leaves the name as it was.
    void TakeSelectedName();
    // OK: true when the panel may end with the chosen path.
    bool Accept();
    bool AcceptSave();
    bool AskToReplace(const std::string& name);

    plat::FilePanel& fPanel;
    CFolderBrowser fBrowser;
    std::optional<std::vector<std::string>> fTypes;
    CLRect fAccessoryRect{};
    LStdButton fOk;
    LStdButton fCancel;
    LStdButton fUp;
    LCaptionPane fPath;
    CPlacesPane fPlaces;
    CFileListPane fList;
    LStdCheck fHidden;
    // The accessory's place in the Tab ring, between the check box and the name field.
    CEmbeddedFocusStop fAccessoryStop;
    LCaptionPane fNameLabel;
    LEditText fName;
    LCaptionPane fMessage;
};
