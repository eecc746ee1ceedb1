#pragma once
#include "platform/window/Event.h"
#include "platform/window/View.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"

#include <string>
#include <vector>

// A view that writes down what reaches it, with switches for the questions a click asks.
class RecordingView : public plat::View {
public:
    static plat::Ref<RecordingView> Make(const plat::Rect& frame)
    {
        return plat::Ref<RecordingView>::Adopt(new RecordingView(frame));
    }

    bool AcceptsFirstMouse(const plat::Event*) override { return firstMouse; }
    bool ShouldDelayWindowOrdering(const plat::Event&) override { return delayOrdering; }
    bool AcceptsFirstResponder() const override { return takesFocus; }
    bool MenuForEvent(const plat::Event&) override { log.push_back("menu"); return showsMenu; }
    void MouseDown(const plat::Event&) override { log.push_back("down"); }
    void MouseDragged(const plat::Event& e) override { log.push_back("drag"); lastX = e.locationInWindow.x; }
    void MouseUp(const plat::Event&) override { log.push_back("up"); }
    void RightMouseDown(const plat::Event&) override { log.push_back("rdown"); }
    void KeyDown(const plat::Event& e) override { log.push_back("key:" + e.characters); }
    void ScrollWheel(const plat::Event&) override { log.push_back("wheel"); }
    void DrawRect(const plat::Rect&) override { log.push_back("draw"); }

    std::vector<std::string> log;
    bool firstMouse = true;
    bool delayOrdering = false;
    bool takesFocus = false;
    bool showsMenu = false;
    double lastX = 0;

private:
    using plat::View::View;
};

// A delegate that writes down the callbacks.
class RecordingDelegate : public plat::WindowDelegate {
public:
    bool ShouldClose(plat::Window&) override { log.push_back("shouldClose"); return allowClose; }
    void DidBecomeKey(plat::Window&) override { log.push_back("key"); }
    void DidResignKey(plat::Window&) override { log.push_back("unkey"); }
    void DidBecomeMain(plat::Window&) override { log.push_back("main"); }
    void DidResignMain(plat::Window&) override { log.push_back("unmain"); }
    void DidResize(plat::Window&) override { log.push_back("resize"); }
    void DidMove(plat::Window&) override { log.push_back("move"); }

    std::vector<std::string> log;
    bool allowClose = true;
};

inline plat::Ref<plat::Window> MakeDocument(double x, double y, double w = 200, double h = 100)
{
    return plat::Window::Make(plat::Rect{x, y, w, h}, plat::kStyleTitled | plat::kStyleClosable | plat::kStyleResizable);
}
