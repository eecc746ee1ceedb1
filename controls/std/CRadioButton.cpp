#include "controls/std/CRadioButton.h"

#include "foundation/core/StrEqual.h"
#include "platform/controls/Button.h"

namespace {

// Rings longer than this are not walked further (a broken ring never loops for ever).
constexpr int32_t kMaxRing = 1000;

std::unique_ptr<plat::Control> MakeRadio()
{
    auto button = std::make_unique<plat::Button>(plat::Button::Kind::Radio);
    button->SetSize(1, 1);
    return button;
}

} // namespace

CRadioButton::CRadioButton(LPane* parent, const LStdCtlDesc& desc) : LStdCheck(parent, desc, MakeRadio()) {}

template <class Fn>
void CRadioButton::ForEachInRing(Fn fn) const
{
    const CRadioButton* button = this;
    for (int32_t i = 0; button && i < kMaxRing; ++i) {
        if (!fn(const_cast<CRadioButton*>(button), i))
            return;
        button = button->fNext;
        if (button == this)
            return;
    }
}

void CRadioButton::SelectIndex(int32_t n)
{
    ForEachInRing([n](CRadioButton* button, int32_t i) {
        button->SetChecked(i == n);
        return true;
    });
}

int32_t CRadioButton::SelectedIndex() const
{
    int32_t found = -1;
    ForEachInRing([&found](CRadioButton* button, int32_t i) {
        if (button->IsChecked())
            found = i;
        return found < 0;
    });
    return found;
}

void CRadioButton::Action()
{
    if (plat::Button* button = NativeButton())
        button->SetState(0);
    LStdCtl::Action();
}

void CRadioButton::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == this && StrEqual(msg.type, msgSelected)) {
        if (IsChecked()) {
            LMessage::Clear(result);
            return;
        }
        SelectIndex(0);
        LMessage::Make(result, msgChange, this, Parent());
        return;
    }
    LStdCheck::HandleMessage(result, msg);
}

LRegion CRadioButton::GetShape(const CLRect& rect) const
{
    return LRegion(CLRect{rect.left, rect.top - 1, rect.right, rect.bottom + 1});
}
