#pragma once
#include "platform/Geometry.h"
#include "platform/Shared.h"
#include "platform/values/ValueRef.h"

#include <vector>

namespace plat {

class Event;
class Window;

// A rectangle of a window's content that draws itself and takes input. Its frame is in its
// superview's coordinates; its own coordinates run from its bottom-left corner with y
// growing upward, or from its top-left corner with y growing downward when it is flipped.
// A superview keeps its subviews alive; subviews are drawn and hit-tested after (above)
// their superview, later ones above earlier ones.
//
// Input callbacks pass the event on to the next responder (the superview) by default.
class View : public Shared {
public:
    static Ref<View> Make(const Rect& frame) { return Ref<View>::Adopt(new View(frame)); }

    const Rect& Frame() const { return fFrame; }
    void SetFrame(const Rect& frame);
    // {0, 0, width, height}.
    Rect Bounds() const { return Rect{0, 0, fFrame.width, fFrame.height}; }
    virtual bool IsFlipped() const { return false; }
    bool IsHidden() const { return fHidden; }
    void SetHidden(bool hidden);

    void AddSubview(View* view);
    // Detaches the view from its superview; it lives on while someone holds it.
    void RemoveFromSuperview();
    const std::vector<Ref<View>>& Subviews() const { return fSubviews; }
    View* Superview() const { return fSuperview; }
    Window* GetWindow() const { return fWindow; }

    // Point and rectangle conversions between this view and its window's base coordinates
    // (bottom-left of the window frame, y upward).
    Point ConvertToWindow(const Point& p) const;
    Point ConvertFromWindow(const Point& p) const;
    Rect ConvertRectToWindow(const Rect& r) const;

    // Asks for a redraw of part of the view (its own coordinates) in the next display pass.
    void SetNeedsDisplayInRect(const Rect& rect);
    void SetNeedsDisplay() { SetNeedsDisplayInRect(Bounds()); }
    const std::vector<Rect>& DirtyRects() const { return fDirty; }
    void ClearDirty() { fDirty.clear(); }
    bool NeedsDisplay() const { return !fDirty.empty(); }

    // The deepest visible view under p (superview coordinates): this view or a subview, later
    // subviews first. Null when p lies outside the frame.
    virtual View* HitTest(const Point& p);

    // Drawing: called by the display cycle with the current drawing set up and clipped to the
    // rectangles being drawn; dirty is their union in view coordinates.
    virtual void DrawRect(const Rect& dirty);

    // Responder chain: input the view does not take goes to its superview.
    virtual View* NextResponder() const { return fSuperview; }
    virtual bool AcceptsFirstResponder() const { return false; }
    virtual bool AcceptsFirstMouse(const Event* event);
    // True keeps the window where it is while the click is delivered.
    virtual bool ShouldDelayWindowOrdering(const Event& event);
    // True when the view showed a context menu for the event (the click ends there).
    virtual bool MenuForEvent(const Event& event);
    virtual void MouseDown(const Event& event);
    virtual void MouseDragged(const Event& event);
    virtual void MouseUp(const Event& event);
    virtual void RightMouseDown(const Event& event);
    virtual void RightMouseUp(const Event& event);
    virtual void MouseMoved(const Event& event);
    virtual void ScrollWheel(const Event& event);
    virtual void KeyDown(const Event& event);
    virtual void KeyUp(const Event& event);
    virtual void FlagsChanged(const Event& event);

    // Stored settings that a real backend may honour.
    bool autoresizesSubviews = true;
    bool postsFrameChanged = true;
    bool postsBoundsChanged = true;

protected:
    explicit View(const Rect& frame) : fFrame(frame) {}
    ~View() override;

private:
    friend class Window;
    void AttachToWindow(Window* window);
    // p from this view's coordinates to its superview's, and back.
    Point ToSuperview(const Point& p) const;
    Point FromSuperview(const Point& p) const;

    Rect fFrame;
    bool fHidden = false;
    View* fSuperview = nullptr;
    Window* fWindow = nullptr;
    std::vector<Ref<View>> fSubviews;
    std::vector<Rect> fDirty;
};

} // namespace plat
