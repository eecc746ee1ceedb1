#pragma once
#include "analysis/gl/COpenGLView.h"

#include <memory>

// An OpenGL drawing area of a channel row with a context of its own, made on the pane's
// window the first time the pane is placed in one; `depth` asks for a 24-bit depth buffer.
class CChannelGLView : public COpenGLView {
public:
    CChannelGLView(LPane* parent, bool depth);
    ~CChannelGLView() override;

    void Update() override;

private:
    std::unique_ptr<CGLContext> fOwnContext;
    bool fDepth;
};
