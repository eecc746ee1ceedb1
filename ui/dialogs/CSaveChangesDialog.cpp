#include "ui/dialogs/CSaveChangesDialog.h"
#include "foundation/core/StrEqual.h"
#include "foundation/core/LArray.h"
#include "foundation/text/LStrList.h"
#include "foundation/text/TextTemplate.h"
#include "shell/files/LProcessInfo.h"
#include "shell/draw/LFont.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/windows/LWindowDef.h"

const char* const CSaveChangesDialog::kResName = "CSAVECHANGESDIALOG";

namespace {

constexpr uint32_t kWindowKind = 11;
constexpr uint32_t kFirstMessageItem = 3;
// Caption mode: lines word-wrapped inside the pane.
constexpr int32_t kWrappedLines = 2;
constexpr uint32_t kSystemFont = 0;

} // namespace

CSaveChangesDialog::CSaveChangesDialog(LHandler* parent, LPane* host)
    : LModalDialog(parent, host, ModalWindowDef(kWindowKind)), fButton1(this, LStdCtlDesc{}),
      fButton2(this, LStdCtlDesc{}), fButton3(this, LStdCtlDesc{}), fMessage(this, this, kWrappedLines), fIcon(this)
{
    LStrListRef layout;
    LStrListRef::Create(layout, {0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    fButton1.SetTitle(std::string(texts.GetItem(0).View()));
    fButton2.SetTitle(std::string(texts.GetItem(1).View()));
    fButton3.SetTitle(std::string(texts.GetItem(2).View()));
    fIcon.SetImage(LoadDialogIcon());
    (void)fMessage.SetFont(LFont(kSystemFont));
    SetDefaultButton(&fButton1);
    SetCancelButton(&fButton2);
    fApplicationName = LStringRef(LProcessInfo::ApplicationName());
}

const LStdButton& CSaveChangesDialog::Button(int index) const
{
    return index == 1 ? fButton1 : index == 2 ? fButton2 : fButton3;
}

int32_t CSaveChangesDialog::Run(uint32_t variant)
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    const LStringRef templateText = texts.GetItem(kFirstMessageItem + variant);
    const LStringRef name = fDocumentName.IsEmpty() ? LStringRef("untitled") : fDocumentName;
    LArray arguments(sizeof(const char*));
    const char* argument = name.Text();
    (void)arguments.Append(&argument);
    fMessage.SetText(FormatArgs(templateText.Text(), arguments));
    SetTitle(fApplicationName);
    FitWindowToLayout();
    uint32_t result = kNone;
    do
        result = ModalStep(LTimer::kMaxDelay);
    while (result != kDefault && result != kEscape && result != kResultDiscard);
    fAnswer = result == kDefault ? kSave : result == kEscape ? kKeepOpen : kDiscard;
    return fAnswer;
}

void CSaveChangesDialog::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fButton3 && StrEqual(msg.type, msgSelected)) {
        SetResult(kResultDiscard);
        LMessage::Clear(result);
        return;
    }
    LModalDialog::HandleMessage(result, msg);
}
