#pragma once
#include "platform/window/View.h"

#include <cstdint>

class LHandler;
class LWindow;

// The content view of every framework window: turns drawing and input into framework
// messages and keeps the global mouse and keyboard state up to date. It takes every click in
// its frame itself (its subviews never get mouse events through hit testing). Main thread.
class MWindowView : public plat::View {
public:
    static plat::Ref<MWindowView> Make(const plat::Rect& frame)
    {
        return plat::Ref<MWindowView>::Adopt(new MWindowView(frame));
    }

    // The framework window of this view's window; null when it has none.
    LWindow* Owner() const;

    View* HitTest(const plat::Point& p) override;
    void DrawRect(const plat::Rect& dirty) override;
    bool AcceptsFirstResponder() const override { return true; }
    bool AcceptsFirstMouse(const plat::Event* event) override;
    bool ShouldDelayWindowOrdering(const plat::Event& event) override;
    bool MenuForEvent(const plat::Event& event) override;
    void MouseDown(const plat::Event& event) override;
    void MouseDragged(const plat::Event& event) override;
    void MouseUp(const plat::Event& event) override;
    void MouseMoved(const plat::Event& event) override;
    void ScrollWheel(const plat::Event& event) override;
    void FlagsChanged(const plat::Event& event) override;
    void KeyDown(const plat::Event& event) override;
    void KeyUp(const plat::Event& event) override;
    // A command from text input: delivered as a key-down of the current event when that is a
    // key-down and none is being delivered; otherwise passed on.
    void DoCommandBySelector();

    // The context click the last handled context menu came from (its mouse-down is ignored).
    static double ContextMenuTimestamp();
    static void ResetContextMenuTimestamp();

private:
    using View::View;
    void SendWindowMessage(const char* type);
    LHandler* KeyRecipient() const;

    bool mMouseDown = false;
    uint32_t mKeyEv = 0;
};
