#pragma once
#include "controls/std/LStdCtl.h"

namespace plat {
class Button;
}

// The push button: a rounded native button; the default button answers Return.
class LStdButton : public LStdCtl {
public:
    LStdButton(LPane* parent, const LStdCtlDesc& desc);

    // A default button takes Return as its key equivalent.
    void SetDefault(bool flag);
    bool IsDefault() const { return fDefault; }
    void SetHighlight(bool flag);

    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;

private:
    plat::Button* NativeButton() const;

    bool fDefault = false;
};
