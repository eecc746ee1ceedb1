#include "platform/window/View.h"
#include "platform/window/Window.h"

#include <algorithm>
#include <cmath>

namespace plat {

namespace {

// Hands an input event to the next responder, when there is one.
void PassOn(View* next, void (View::*callback)(const Event&), const Event& event)
{
    if (next)
        (next->*callback)(event);
}

} // namespace

View::~View()
{
    for (auto& sub : fSubviews)
        sub->fSuperview = nullptr;
}

void View::SetFrame(const Rect& frame)
{
    const bool resized = frame.width != fFrame.width || frame.height != fFrame.height;
    const bool moved = frame.x != fFrame.x || frame.y != fFrame.y;
    // The area a shown view leaves is its superview's to paint again.
    if ((moved || resized) && fSuperview && !fHidden)
        fSuperview->SetNeedsDisplayInRect(fFrame);
    fFrame = frame;
    if (resized || moved)
        SetNeedsDisplay();
}

void View::SetHidden(bool hidden)
{
    fHidden = hidden;
    if (fSuperview)
        fSuperview->SetNeedsDisplayInRect(fFrame);
}

void View::AddSubview(View* view)
{
    if (!view || view == this)
        return;
    Ref<View> keep(view);
    view->RemoveFromSuperview();
    view->fSuperview = this;
    view->AttachToWindow(fWindow);
    fSubviews.push_back(keep);
    view->SetNeedsDisplay();
}

void View::RemoveFromSuperview()
{
    View* super = fSuperview;
    if (!super)
        return;
    Ref<View> keep(this);
    super->SetNeedsDisplayInRect(fFrame);
    auto& list = super->fSubviews;
    list.erase(std::remove_if(list.begin(), list.end(), [this](const Ref<View>& v) { return v.Get() == this; }),
               list.end());
    fSuperview = nullptr;
    AttachToWindow(nullptr);
}

void View::AttachToWindow(Window* window)
{
    fWindow = window;
    for (auto& sub : fSubviews)
        sub->AttachToWindow(window);
}

Point View::ToSuperview(const Point& p) const
{
    const double up = IsFlipped() ? fFrame.height - p.y : p.y; // distance above the bottom edge
    const bool superFlipped = fSuperview && fSuperview->IsFlipped();
    const double y = superFlipped ? fFrame.y + fFrame.height - up : fFrame.y + up;
    return Point{fFrame.x + p.x, y};
}

Point View::FromSuperview(const Point& p) const
{
    const bool superFlipped = fSuperview && fSuperview->IsFlipped();
    const double up = superFlipped ? fFrame.y + fFrame.height - p.y : p.y - fFrame.y;
    return Point{p.x - fFrame.x, IsFlipped() ? fFrame.height - up : up};
}

Point View::ConvertToWindow(const Point& p) const
{
    Point q = p;
    for (const View* v = this; v; v = v->fSuperview)
        q = v->ToSuperview(q);
    return q;
}

Point View::ConvertFromWindow(const Point& p) const
{
    if (!fSuperview)
        return FromSuperview(p);
    return FromSuperview(fSuperview->ConvertFromWindow(p));
}

Rect View::ConvertRectToWindow(const Rect& r) const
{
    const Point a = ConvertToWindow(Point{r.x, r.y});
    const Point b = ConvertToWindow(Point{r.x + r.width, r.y + r.height});
    return Rect{std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y)};
}

void View::SetNeedsDisplayInRect(const Rect& rect)
{
    if (rect.width <= 0 || rect.height <= 0)
        return;
    fDirty.push_back(rect);
    if (fWindow)
        fWindow->SetViewsNeedDisplay();
}

View* View::HitTest(const Point& p)
{
    if (fHidden || !Contains(fFrame, p))
        return nullptr;
    const Point local = FromSuperview(p);
    for (auto it = fSubviews.rbegin(); it != fSubviews.rend(); ++it)
        if (View* hit = (*it)->HitTest(local))
            return hit;
    return this;
}

void View::DrawRect(const Rect&) {}

bool View::AcceptsFirstMouse(const Event*) { return false; }
bool View::ShouldDelayWindowOrdering(const Event&) { return false; }
bool View::MenuForEvent(const Event& event)
{
    return NextResponder() ? NextResponder()->MenuForEvent(event) : false;
}

void View::MouseDown(const Event& event) { PassOn(NextResponder(), &View::MouseDown, event); }
void View::MouseDragged(const Event& event) { PassOn(NextResponder(), &View::MouseDragged, event); }
void View::MouseUp(const Event& event) { PassOn(NextResponder(), &View::MouseUp, event); }
void View::RightMouseDown(const Event& event) { PassOn(NextResponder(), &View::RightMouseDown, event); }
void View::RightMouseUp(const Event& event) { PassOn(NextResponder(), &View::RightMouseUp, event); }
void View::MouseMoved(const Event& event) { PassOn(NextResponder(), &View::MouseMoved, event); }
void View::ScrollWheel(const Event& event) { PassOn(NextResponder(), &View::ScrollWheel, event); }
void View::KeyDown(const Event& event) { PassOn(NextResponder(), &View::KeyDown, event); }
void View::KeyUp(const Event& event) { PassOn(NextResponder(), &View::KeyUp, event); }
void View::FlagsChanged(const Event& event) { PassOn(NextResponder(), &View::FlagsChanged, event); }

} // namespace plat
