#pragma once
#include "foundation/core/LStringRef.h"
#include "controls/std/LStdButton.h"
#include "ui/panes/LCaptionPane.h"
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
    const LStdButton& OkButton() const { return fOk; }
    const LStdButton& LinkButton() const { return fLink; }
    const LCaptionPane& TitleCaption() const { return fTitle; }
    const LCaptionPane& VersionCaption() const { return fVersion; }
    const LCaptionPane& Heading() const { return fHeading; }
    const LImagePane& Icon() const { return fIcon; }

    // The link button opens the link text and leaves the box open.
    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    void SetTexts();
    void RunLayout();

    LStringRef fLinkText;
    void SetFonts();

    LStdButton fOk;
    LStdButton fLink;
    LCaptionPane fTitle;
    LImagePane fIcon;
    LCaptionPane fVersion;
    LCaptionPane fHeading;
};
