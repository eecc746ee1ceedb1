#pragma once
#include "platform/menus/MenuActions.h"

#include <cstdint>

// A colour as the shared colour panel reports it: components in a colour model.
struct MPanelColor {
    enum Model { kGray = 0, kRGB = 1, kCMYK = 2 };
    int model = kRGB;
    double components[4] = {0, 0, 0, 0}; // grey: white; RGB: red, green, blue; CMYK: c, m, y, k
    double alpha = 1.0;
};

// Target and window delegate of the shared colour panel: reports each colour change to a
// framework callback as red, green, blue and alpha, and ends the panel's modal session when
// the panel closes after running modally.
class MMachColorPanel : public plat::ActionResponder {
public:
    using Callback = void (*)(void* context, const float* rgba, int eventCode);
    static constexpr int kColorChanged = 2;

    MMachColorPanel(void* ref, Callback callback, bool modal) : mRef(ref), mCB(callback), mModal(modal) {}

    // The panel's colour changed (the panel's action).
    void ChangeColor(const MPanelColor& color);
    // The panel is about to close.
    void WindowWillClose();

    bool RespondsTo(std::string_view action) const override { return action == "changeColor:"; }
    // "changeColor:" from a menu item carries no colour, so there is nothing to report.
    void Perform(std::string_view, plat::MenuItem*) override {}

private:
    void* mRef;
    Callback mCB;
    bool mModal;
};
