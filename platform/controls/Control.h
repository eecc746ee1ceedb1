#pragma once
#include "platform/Geometry.h"
#include "platform/draw/Font.h"
#include "platform/values/ValueRef.h"

#include <functional>
#include <string>

namespace plat {

class Canvas;

// Behaviour shared by the native control models: enabled state, an action callback, a size and
// mouse tracking in the control's own flipped coordinates (origin top-left, y down). A control is
// placed in a window by its view; the view forwards one press, the drags that follow and the
// release to these operations.
class Control {
public:
    using Action = std::function<void()>;

    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The callback run when the user acts on the control (its target and action).
    void SetAction(Action action) { fAction = std::move(action); }
    bool HasAction() const { return static_cast<bool>(fAction); }

    bool IsEnabled() const { return fEnabled; }
    void SetEnabled(bool enabled) { fEnabled = enabled; }

    // Whether the action runs on every change during tracking, or only at the release.
    bool IsContinuous() const { return fContinuous; }
    void SetContinuous(bool continuous) { fContinuous = continuous; }

    // The control's size; its bounds are (0, 0, width, height).
    double Width() const { return fWidth; }
    double Height() const { return fHeight; }
    void SetSize(double width, double height);

    // Mouse tracking: a press, the drags while the button is held, the release. A disabled
    // control ignores the press and everything up to the next press.
    void MouseDown(Point where);
    void MouseDragged(Point where);
    void MouseUp(Point where);
    // Ends the tracking without a release (the release was lost): nothing is chosen.
    void CancelTracking();
    bool IsTracking() const { return fTracking; }
    // A press and a release in the middle: what the Space key does to a focused control.
    void PerformClick();
    // Whether the control has the keyboard focus and shows its ring (DrawFocusRing).
    bool ShowsFocus() const { return fShowsFocus; }
    void SetShowsFocus(bool shows) { fShowsFocus = shows; }
    // Draws the focus ring round the bounds when the control shows the focus; after Draw.
    void DrawFocusRing(Canvas& canvas) const;

    bool Contains(Point where) const;

    // The font of the control's text; null draws no text and measures it as empty.
    Font* GetFont() const { return fFont.Get(); }
    void SetFont(Font* font) { fFont = Ref<Font>(font); }
    // Regular or small control size (a small control uses tighter margins).
    enum class Size { Regular, Small, Mini };
    Size ControlSize() const { return fControlSize; }
    void SetControlSize(Size size) { fControlSize = size; }

    // The title the control shows (buttons; the selected item of a pop-up); empty by default.
    virtual std::string Title() const { return {}; }
    virtual void SetTitle(const std::string& /*title*/) {}

    // The size the control needs for its content in its font: the width and height that show
    // its title and decoration. 0 x 0 for controls without a natural size.
    virtual plat::Rect NaturalSize() const { return {}; }

    // Draws the control into its bounds on the canvas (origin at the control's top-left).
    virtual void Draw(Canvas& canvas) const = 0;

protected:
    Control() = default;

    // Runs the action callback, when there is one.
    void SendAction();

    virtual void TrackDown(Point where) = 0;
    virtual void TrackDrag(Point /*where*/) {}
    virtual void TrackUp(Point /*where*/) {}
    virtual void TrackCancel() {}
    virtual void SizeChanged() {}

private:
    Action fAction;
    bool fEnabled = true;
    bool fContinuous = false;
    bool fTracking = false;
    bool fShowsFocus = false;
    double fWidth = 0.0;
    double fHeight = 0.0;
    Ref<Font> fFont;
    Size fControlSize = Size::Regular;
};

// Width of a text in a font (0 without a font).
double TextAdvance(const Font* font, const std::string& text);
// Line height of a font (a 12-point line without a font).
double FontLineHeight(const Font* font);
// Draws a one-line text centred vertically in the rectangle, starting at its left edge.
void DrawLabel(Canvas& canvas, const Font* font, const std::string& text, const Rect& box, bool enabled = true);

} // namespace plat
