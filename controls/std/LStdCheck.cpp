#include "controls/std/LStdCheck.h"

#include "foundation/core/StrEqual.h"
#include "platform/controls/Button.h"

const char* LStdCheck::msgChange = "LStdCheck_Change";

namespace {

std::unique_ptr<plat::Control> MakeSwitch()
{
    auto button = std::make_unique<plat::Button>(plat::Button::Kind::Switch);
    button->SetTitle("\xE2\x80\x8B");   // one zero-width space
    return button;
}

} // namespace

LStdCheck::LStdCheck(LPane* parent, const LStdCtlDesc& desc) : LStdCheck(parent, desc, MakeSwitch()) {}

LStdCheck::LStdCheck(LPane* parent, const LStdCtlDesc& desc, std::unique_ptr<plat::Control> model)
    : LStdCtl(parent, WrapNew(desc, std::move(model), 0))
{
}

plat::Button* LStdCheck::NativeButton() const
{
    return dynamic_cast<plat::Button*>(NativeControl());
}

void LStdCheck::SetChecked(bool flag)
{
    plat::Button* button = NativeButton();
    if (!button)
        return;
    fOn = flag;
    button->SetState(flag ? 1 : 0);
    NativeView()->SetNeedsDisplay();
}

bool LStdCheck::IsChecked() const
{
    const plat::Button* button = NativeButton();
    return button && button->State() != 0;
}

void LStdCheck::Action()
{
    // The button toggled itself before acting: show the stored state until the report is taken.
    if (plat::Button* button = NativeButton())
        button->SetState(fOn ? 1 : 0);
    LStdCtl::Action();
}

void LStdCheck::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == this && StrEqual(msg.type, msgSelected)) {
        if (plat::Button* button = NativeButton()) {
            fOn = button->State() < 1;
            button->SetState(fOn ? 1 : 0);
            NativeView()->SetNeedsDisplay();
        }
        LMessage::Make(result, msgChange, this, Parent());
        return;
    }
    LStdCtl::HandleMessage(result, msg);
}

int32_t LStdCheck::PrefWidth(LPaneContext*, int32_t)
{
    return NaturalSize().x;
}

int32_t LStdCheck::PrefHeight(LPaneContext* context, int32_t hint)
{
    switch (hint) {
    case -12: return BaselineOffset(static_cast<int32_t>(Rect().Height()));
    case -1: return FontLineHeight() + 2;
    case -10: return BaselineOffset(PrefHeight(context, 0));
    default: {
        const CLPoint natural = NaturalSize();
        return natural.x > 0 && natural.y > 0 ? natural.y : 16;
    }
    }
}
