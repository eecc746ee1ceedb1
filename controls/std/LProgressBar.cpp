#include "controls/std/LProgressBar.h"

#include "platform/controls/ProgressIndicator.h"

namespace {

std::unique_ptr<plat::ProgressIndicator> MakeIndicator()
{
    auto indicator = std::make_unique<plat::ProgressIndicator>();
    indicator->SetBezeled(true);
    indicator->SetMaxValue(100);
    indicator->SetIndeterminate(false);
    return indicator;
}

} // namespace

LProgressBar::LProgressBar(LPane* parent) : LStdCtl(parent, WrapNew(NewWithFont(0), MakeIndicator(), 0)) {}

plat::ProgressIndicator* LProgressBar::Indicator() const
{
    return dynamic_cast<plat::ProgressIndicator*>(NativeControl());
}

void LProgressBar::SetMax(int32_t n)
{
    plat::ProgressIndicator* indicator = Indicator();
    if (n == fMax || !indicator)
        return;
    fMax = n;
    if (n >= 1)
        indicator->SetMaxValue(n);
    indicator->SetIndeterminate(n < 1);
    NativeView()->SetNeedsDisplay();
}

void LProgressBar::SetValue(int32_t n)
{
    plat::ProgressIndicator* indicator = Indicator();
    if (n == fValue || !indicator)
        return;
    fValue = n;
    indicator->SetValue(n);
    NativeView()->SetNeedsDisplay();
}
