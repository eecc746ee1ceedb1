#pragma once
#include "platform/controls/Control.h"
#include "platform/window/View.h"

#include <memory>

namespace plat {

class Canvas;
class PopUpListWindow;
class Event;

// A view that shows one native control model in a window and drives it with the mouse. A press
// tracks the mouse the way a desktop control does: the view takes the drags and the release
// waiting in the event queue itself before the press returns, so whoever forwarded the press
// knows the gesture has ended. A gesture whose release has not been queued yet goes on through
// the drags and the release the window delivers to the view later.
class ControlView : public View {
public:
    // A view of `control`'s kind, sized to the frame.
    static Ref<ControlView> Make(const Rect& frame, std::unique_ptr<Control> control)
    {
        return Ref<ControlView>::Adopt(new ControlView(frame, std::move(control)));
    }
    // The model as its own kind (the caller knows what it made).
    template <class T>
    T& ModelAs() const { return static_cast<T&>(*fControl); }

    Control& Model() const { return *fControl; }
    bool IsFlipped() const override { return true; }

    void MouseDown(const Event& event) override;
    void MouseDragged(const Event& event) override;
    void MouseUp(const Event& event) override;
    void DrawRect(const Rect& dirty) override;

    // Keeps the model's size in step with the view's frame.
    void SyncSize();

private:
    ControlView(const Rect& frame, std::unique_ptr<Control> control);
    ~ControlView() override;
    Point Local(const Event& event) const;
    void TrackQueuedEvents();

    // Shows a pop-up button's open list in a window of its own.
    void SyncPopUpList();

    std::unique_ptr<Control> fControl;
    std::unique_ptr<PopUpListWindow> fPopUpList;
};

} // namespace plat
