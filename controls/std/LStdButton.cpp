#include "controls/std/LStdButton.h"

#include "platform/controls/Button.h"

#include <algorithm>

namespace {

// The narrowest push button.
constexpr int32_t kMinButtonWidth = 58;

} // namespace

LStdButton::LStdButton(LPane* parent, const LStdCtlDesc& desc)
    : LStdCtl(parent, WrapNew(desc, std::make_unique<plat::Button>(plat::Button::Kind::Momentary), 0))
{
}

plat::Button* LStdButton::NativeButton() const
{
    return dynamic_cast<plat::Button*>(NativeControl());
}

void LStdButton::SetDefault(bool flag)
{
    fDefault = flag;
    if (plat::Button* button = NativeButton())
        button->SetKeyEquivalent(flag ? "\r" : "");
}

void LStdButton::SetHighlight(bool flag)
{
    if (plat::Button* button = NativeButton())
        button->SetHighlighted(flag);
}

int32_t LStdButton::PrefWidth(LPaneContext*, int32_t hint)
{
    switch (hint) {
    case -13: return ReferenceWidth("x");
    case -11: return 8;
    case 0: return std::max(NaturalSize().x, kMinButtonWidth);
    default: return NaturalSize().x;
    }
}

int32_t LStdButton::PrefHeight(LPaneContext* context, int32_t hint)
{
    switch (hint) {
    case -12: return BaselineOffset(static_cast<int32_t>(Rect().Height()));
    case -10: return BaselineOffset(PrefHeight(context, 0));
    default: return NaturalSize().y;
    }
}
