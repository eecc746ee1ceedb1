#include "shell/app/CAboutDlg.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/LStrList.h"
#include "platform/system/BundleInfo.h"
#include "shell/draw/LFont.h"
#include "shell/draw/LFontData.h"
#include "shell/system/ICLaunch.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/dialogs/DialogLayout.h"
#include "ui/windows/LWindowDef.h"

const char* const CAboutDlg::kResName = "ABOUT";

namespace {

constexpr uint32_t kWindowKind = 0;
// Caption modes: one line, or lines word-wrapped inside the pane.
constexpr int32_t kOneLine = 0;
constexpr int32_t kWrappedLines = 2;
constexpr uint32_t kSystemFont = 0;
constexpr uint32_t kSmallSystemFont = 2;
constexpr int32_t kHeadingScale = 200;

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

void ShowText(LCaptionPane& pane, const LStringRef& text)
{
    pane.SetText(text);
    if (text.IsEmpty())
        pane.SetState(kEventHide);
}

} // namespace

CAboutDlg::CAboutDlg(LHandler* parent, const LStringRef& linkText)
    : LModalDialog(parent, nullptr, ModalWindowDef(kWindowKind)), fLinkText(linkText),
      fOk(this, LStdCtlDesc{}), fLink(this, LStdCtlDesc{}), fTitle(this, this, kWrappedLines), fIcon(this),
      fVersion(this, this, kOneLine), fHeading(this, this, kOneLine)
{
    SetFonts();
    SetTexts();
    SetDefaultButton(&fOk);
    SetCancelButton(&fOk);
    RunLayout();
}

void CAboutDlg::SetFonts()
{
    (void)fTitle.SetFont(LFont(kSmallSystemFont));
    (void)fVersion.SetFont(LFont(kSmallSystemFont));
    LFontData heading(kSystemFont);
    heading.scale = kHeadingScale;
    (void)fHeading.SetFont(LFont::Intern(heading));
}

void CAboutDlg::SetTexts()
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    SetTitle(texts.GetItem(kWindowTitle));
    fOk.SetTitle(std::string(texts.GetItem(kOkTitle).View()));
    fLink.SetTitle(std::string(texts.GetItem(kLinkTitle).View()));
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
