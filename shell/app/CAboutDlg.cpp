#include "shell/app/CAboutDlg.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/LStrList.h"
#include "platform/system/BundleInfo.h"
#include "shell/system/ICLaunch.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/dialogs/DialogLayout.h"
#include "ui/windows/LWindowDef.h"

const char* const CAboutDlg::kResName = "ABOUT";

namespace {

constexpr uint32_t kWindowKind = 0;

enum : uint32_t {
    kWindowTitle = 0,
    kOkTitle = 1,
    kLinkTitle = 2,
    kTitleText = 3,
    kLinkAddress = 4,
    kVersionPrefix = 5,
    kHeadingText = 6,
};

// The version the program's bundle declares; empty when it declares none.
LStringRef BundleVersion()
{
    const auto version = plat::MainBundleValue("CFBundleVersion");
    return version ? LStringRef(std::string_view(*version)) : LStringRef();
}

void ShowText(CDialogTextPane& pane, const LStringRef& text)
{
    pane.SetText(text);
    if (text.IsEmpty())
        pane.SetState(kEventHide);
}

} // namespace

CAboutDlg::CAboutDlg(LHandler* parent, const LStringRef& linkText)
    : LModalDialog(parent, nullptr, ModalWindowDef(kWindowKind)), fLinkText(linkText),
      fOk(this, this, CDialogTextPane::Kind::Button), fLink(this, this, CDialogTextPane::Kind::Button),
      fTitle(this, this), fIcon(this), fVersion(this, this), fHeading(this, this)
{
    SetTexts();
    SetDefaultButton(&fOk);
    SetCancelButton(&fOk);
    RunLayout();
}

void CAboutDlg::SetTexts()
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    SetTitle(texts.GetItem(kWindowTitle));
    fOk.SetText(texts.GetItem(kOkTitle));
    fLink.SetText(texts.GetItem(kLinkTitle));
    fTitle.SetText(texts.GetItem(kTitleText));
    fIcon.SetImage(LoadDialogIcon());
    ShowText(fHeading, texts.GetItem(kHeadingText));
    if (fLinkText.IsEmpty())
        fLinkText = texts.GetItem(kLinkAddress);
    if (fLinkText.IsEmpty())
        fLink.SetState(kEventHide);
    const LStringRef version = BundleVersion();
    if (version.IsEmpty()) {
        fVersion.SetState(kEventHide);
        return;
    }
    const LStringRef prefix = texts.GetItem(kVersionPrefix);
    fVersion.SetText(LStringRef(std::string(prefix.View()) + std::string(version.View())));
}

// Runs the three layout texts in order and places the box where they put pane 0.
void CAboutDlg::RunLayout()
{
    LStrListRef layout;
    LStrListRef::Create(layout, {0, kResName}, nullptr, kStrListLayouts);
    if (LStrListRef::Count(layout) < 3)
        return;
    PlaceDialogByTexts(*this, LStrListRef::GetItem(layout, 0).View(), LStrListRef::GetItem(layout, 1).View(),
                       LStrListRef::GetItem(layout, 2).View());
}

void CAboutDlg::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fLink && StrEqual(msg.type, msgSelected)) {
        LaunchURL(fLinkText.View());
        LMessage::Clear(result);
        return;
    }
    LModalDialog::HandleMessage(result, msg);
}
