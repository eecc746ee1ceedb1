#pragma once
#include "platform/gl/GLView.h"

class CGLContext;
namespace plat {
class GLContext;
}

// The child view of a window's content view that a display pane's OpenGL context draws into.
// It is opaque while nothing covers it; while panes or dialogs overlap it, it shows the
// context's picture only through its clip rectangles (the holes for the visible parts) and
// the covering content stays.
class MGLView2 : public plat::GLView {
public:
    static plat::Ref<MGLView2> Make() { return plat::Ref<MGLView2>::Adopt(new MGLView2()); }

    plat::GLContext* mGL = nullptr; // the context drawing into the view; not owned
    CGLContext* mOwner = nullptr;   // the program's context holding it; not owned

protected:
    // The surface is read under the lock all drawing takes.
    bool WithSurface(const std::function<void(plat::GLContext&)>& read) override;

private:
    MGLView2() : plat::GLView(plat::Rect{}) {}
};
