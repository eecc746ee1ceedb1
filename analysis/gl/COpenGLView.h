#pragma once
#include "foundation/geometry/CLRect.h"
#include "foundation/geometry/LRegion.h"
#include "ui/panes/LPane.h"

class CGLContext;

// The pane over which an OpenGL context draws: it keeps the context's surface on the pane's
// visible part of the window and asks its owner to render ("COpenGLView_Update" {pane, parent})
// whenever that part changes or the pane is drawn. It draws nothing itself; hit tests pass
// through it. The context is owned elsewhere and must outlive the pane or be reset with
// SetContext(nullptr).
class COpenGLView : public LPane {
public:
    static const char* msgUpdate; // "COpenGLView_Update" {pane, parent}

    // A pane whose parent and host are both `parent`.
    COpenGLView(LPane* parent, CGLContext* context);
    ~COpenGLView() override;

    // Stores the context; a new one starts from an empty surface and is placed at once.
    void SetContext(CGLContext* context);
    // Moves the context's surface to the pane's visible part; tells the owner when that part
    // changed and is not empty.
    virtual void Update();

    void StateChanged(int32_t event) override;
    void RectChanged(const CLRect& old) override;
    void DrawSelf(LPortState& port) const override;

    CGLContext* context = nullptr;
    CLRect glRect;     // window coordinates
    LRegion glRegion;  // the visible region of the surface, window coordinates
};
