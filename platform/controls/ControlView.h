#pragma once
#include "platform/controls/Control.h"
#include "platform/window/View.h"

#include <memory>

namespace plat {

class Canvas;
class PopUpButton;
class PopUpListWindow;
class Event;
class Window;

// A view that shows one native control model in a window and drives it with the mouse. A press
// tracks the mouse the way a desktop control does: the view waits for the drags and the
// release itself, however late they come, before the press returns, so whoever forwarded the
// press knows the gesture has ended. It waits in the run loop's event-tracking mode, where the
// program's timers, sources and outputs go on. A move with no button held ends the tracking
// without a choice (its release was lost). A pop-up button's list that stays open after the
// press is tracked the same way until it closes, taking clicks, moves, keys and the wheel.
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
    // A pop-up button's list opened from the keyboard (Space on the focused button): shown with
    // the selected item highlighted and tracked as after a click until it closes.
    void OpenListFromKeyboard();
    // The window that shows a pop-up button's open list, null while none shows.
    Window* ShownPopUpList() const;

private:
    ControlView(const Rect& frame, std::unique_ptr<Control> control);
    ~ControlView() override;
    Point Local(const Event& event) const;
    void Changed();
    void TrackPress();
    void TrackOpenList(PopUpButton& popup);
    void ListKey(PopUpButton& popup, const Event& event);

    // Shows a pop-up button's open list in a window of its own.
    void SyncPopUpList();

    std::unique_ptr<Control> fControl;
    std::unique_ptr<PopUpListWindow> fPopUpList;
};

} // namespace plat
