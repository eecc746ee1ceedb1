#pragma once
#include "foundation/core/LStringRef.h"
#include "ui/dialogs/CDialogTextPane.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/images/LImagePane.h"

// The modal About box. Every text comes from the string list "ABOUT" and the layout from the
// layout list "ABOUT": a heading, the program's icon, a line about the program, its version
// and a button that opens the program's web address.
class CAboutDlg : public LModalDialog {
public:
    static const char* const kResName; // "ABOUT"

    // An empty link text takes the address from the resources.
    CAboutDlg(LHandler* parent, const LStringRef& linkText);

    const LStringRef& LinkText() const { return fLinkText; }
    const CDialogTextPane& OkButton() const { return fOk; }
    const CDialogTextPane& LinkButton() const { return fLink; }
    const CDialogTextPane& TitleCaption() const { return fTitle; }
    const CDialogTextPane& VersionCaption() const { return fVersion; }
    const CDialogTextPane& Heading() const { return fHeading; }
    const LImagePane& Icon() const { return fIcon; }

    // The link button opens the link text and leaves the box open.
    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    void SetTexts();
    void RunLayout();

    LStringRef fLinkText;
    CDialogTextPane fOk;
    CDialogTextPane fLink;
    // NOTE: the captions take the small system font (the heading the system font at double
    // size) once caption panes with fonts replace the text panes.
    CDialogTextPane fTitle;
    LImagePane fIcon;
    CDialogTextPane fVersion;
    CDialogTextPane fHeading;
};
