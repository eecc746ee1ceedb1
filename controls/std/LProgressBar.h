#pragma once
#include "controls/std/LStdCtl.h"

namespace plat {
class ProgressIndicator;
}

// A progress bar over a native progress indicator; a maximum below 1 makes it indeterminate.
class LProgressBar : public LStdCtl {
public:
    explicit LProgressBar(LPane* parent);

    void SetMax(int32_t n);
    void SetValue(int32_t n);
    int32_t Max() const { return fMax; }
    int32_t Value() const { return fValue; }

    int32_t PrefWidth(LPaneContext* context, int32_t hint) override { (void)context; return hint == -1 ? 0 : 58; }
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override { (void)context; return hint == -1 ? 0 : 14; }

private:
    plat::ProgressIndicator* Indicator() const;

    int32_t fMax = 100;
    int32_t fValue = 0;
};
