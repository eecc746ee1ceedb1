#pragma once
#include "ui/LTimer.h"
#include "ui/dialogs/LDialog.h"

#include <cstdint>

// A dialog run modally, one modal step at a time through the main loop, until a handler sets
// a result. While it runs only the Help command reaches the application through the menus.
class LModalDialog : public LDialog {
public:
    enum Result : uint32_t { kNone = 0, kDefault = 1, kEscape = 2 };
    static const char* msgMode;   // "LHandler_Mode" {dialog, parent}: run one modal step

    LModalDialog(LHandler* parent, LPane* host);
    LModalDialog(LHandler* parent, LPane* host, const LWindowDef& def);

    uint32_t Result() const { return fResult; }
    void SetResult(uint32_t code) { fResult = code; }
    // Shows the window when needed, then runs one modal step that waits at most `ms`;
    // returns the result it produced (0: none yet).
    uint32_t ModalStep(uint32_t ms);
    // Steps until a result is set and returns it.
    uint32_t RunModal();

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    uint32_t fResult = kNone;
    LTimer fTimer{this};
};
