#pragma once
#include "tests/shell/app/AppBaseKit.h"

#include <string>

// Runs dialogs under the application base and answers them as the user would: at the first
// modal step, once the dialog is on screen, the keys typed and then Return or Escape.
class DialogAnswerTest : public AppBaseTest {
protected:
    void Answer(const std::string& typed, bool ok)
    {
        app->modalSteps = 0;
        app->onModalStep = [this, typed, ok](LModalDialog&) {
            if (app->modalSteps != 1) {
                Nudge(100);
                return;
            }
            for (char c : typed)
                PostKey(std::string(1, c), 0);
            // An edited value field takes the first Return to fix its value; the next is the dialog's.
            if (ok && !typed.empty())
                PressReturn();
            ok ? PressReturn() : PressEscape();
        };
    }
};
