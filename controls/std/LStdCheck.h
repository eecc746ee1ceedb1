#pragma once
#include "controls/std/LStdCtl.h"

namespace plat {
class Button;
}

// A check box over a native switch button. Its own flag is the state; the button only shows it.
// A click reports "LStdCtl_Selected"; when that comes back unclaimed the state flips and
// "LStdCheck_Change" follows, so a handler that consumes the first vetoes the change.
class LStdCheck : public LStdCtl {
public:
    static const char* msgChange;

    LStdCheck(LPane* parent, const LStdCtlDesc& desc);

    void SetChecked(bool flag);
    bool IsChecked() const;
    bool StoredState() const { return fOn; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void Action() override;

protected:
    // For the radio button: a control around a view made by the subclass.
    LStdCheck(LPane* parent, const LStdCtlDesc& desc, std::unique_ptr<plat::Control> model);
    plat::Button* NativeButton() const;
    void StoreState(bool on) { fOn = on; }

private:
    bool fOn = false;
};
