#pragma once
#include "platform/controls/Control.h"

#include <string>

namespace plat {

// A button model: a momentary push button, a push-on/push-off button, a check box (switch) or a
// radio button. A click (press and release inside) changes the state where the kind has one and
// then runs the action; while the press is held the button is highlighted when the pointer is over it.
class Button : public Control {
public:
    enum class Kind { Momentary, PushOnOff, Switch, Radio };
    enum class Bezel { Rounded, SquareShadowless };

    explicit Button(Kind kind = Kind::Momentary) : fKind(kind) {}

    Kind GetKind() const { return fKind; }
    void SetKind(Kind kind) { fKind = kind; }
    Bezel GetBezel() const { return fBezel; }
    void SetBezel(Bezel bezel) { fBezel = bezel; }

    std::string Title() const override { return fTitle; }
    void SetTitle(const std::string& title) override { fTitle = title; }
    // Rounded: the title with margins; check box and radio: the mark and the title beside it.
    plat::Rect NaturalSize() const override;

    // 0 off, 1 on.
    int State() const { return fState; }
    void SetState(int state) { fState = state ? 1 : 0; }

    bool IsHighlighted() const { return fHighlighted; }
    void SetHighlighted(bool highlighted) { fHighlighted = highlighted; }

    // The key that presses the button ("\r" for a default button, empty for none).
    const std::string& KeyEquivalent() const { return fKeyEquivalent; }
    void SetKeyEquivalent(std::string key) { fKeyEquivalent = std::move(key); }

    // Presses the button as a click would: the state changes and the action runs.
    void PerformClick();

    void Draw(Canvas& canvas) const override;

private:
    void TrackDown(Point where) override;
    void TrackDrag(Point where) override;
    void TrackUp(Point where) override;
    void TrackCancel() override { fHighlighted = false; }

    Kind fKind;
    Bezel fBezel = Bezel::Rounded;
    std::string fTitle;
    std::string fKeyEquivalent;
    int fState = 0;
    bool fHighlighted = false;
};

} // namespace plat
