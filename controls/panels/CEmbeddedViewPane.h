#pragma once
#include "platform/window/View.h"
#include "ui/frames/LFrame.h"

class CEmbeddedViewPane;

// The window-system view that hosts a frame of panes inside a panel: it draws nothing itself
// (the panes' native controls are its subviews) and tells its owner when it joined a window.
class MEmbeddedView : public plat::View {
public:
    static plat::Ref<MEmbeddedView> Make(CEmbeddedViewPane* owner);

    CEmbeddedViewPane* Owner() const { return mOwner; }
    // The view was put into a window: the owner hears that its parent shows and its context is
    // active.
    void DidMoveToWindow();
    void DrawRect(const plat::Rect& dirty) override;

private:
    explicit MEmbeddedView(CEmbeddedViewPane* owner);

    CEmbeddedViewPane* mOwner;
};

// A frame of panes that lives in a view of someone else's window (a panel's accessory area)
// instead of a window of its own: its children place their native views inside the embedded
// view, at the pane's own origin.
class CEmbeddedViewPane : public LFrame {
public:
    explicit CEmbeddedViewPane(LHandler* parent);
    ~CEmbeddedViewPane() override;

    MEmbeddedView* EmbeddedView() const { return fView.Get(); }

    void GetContext(LPaneContext& context) const override;
    void RectChanged(const CLRect& old) override;

private:
    plat::Ref<MEmbeddedView> fView;
};

// The place of an embedded frame in the Tab ring of the window that shows it: a pane of the
// window's own frame over the embedded area. Focus moves into it go on into the embedded
// frame's stops, the keys then go to the embedded pane that holds the focus, and the keys that
// pane and its frames do not take (Tab onward, Return, Escape) come back through this pane to
// the window's frame. It draws nothing and takes no clicks: those reach the embedded panes
// through their own view.
class CEmbeddedFocusStop : public LPane {
public:
    explicit CEmbeddedFocusStop(LFrame* window);
    ~CEmbeddedFocusStop() override;

    // Joins the embedded frame to the ring (null leaves it); the frame sends its messages
    // through this pane until it leaves.
    void Attach(CEmbeddedViewPane* embedded);

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    LPane* FocusTarget() override;
    LPane* HitTest(const CLPoint& point) override;
    bool AdvanceFocus(LFocusDir dir, LFocusRestart restart) override;

private:
    CEmbeddedViewPane* fEmbedded = nullptr;
};
