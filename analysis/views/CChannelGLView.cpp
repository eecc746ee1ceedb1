#include "analysis/views/CChannelGLView.h"
#include "analysis/gl/SharedGLContext.h"
#include "shell/gl/CGLContext.h"
#include "shell/gl/CGLOptions.h"
#include "ui/panes/LPaneContext.h"

namespace {

// The one pixel-format option record of the areas with a depth buffer.
const CGLOptions& DepthOptions()
{
    static const CGLOptions options{24, 0, 0};
    return options;
}

} // namespace

CChannelGLView::CChannelGLView(LPane* parent, bool depth) : COpenGLView(parent, nullptr), fDepth(depth) {}

CChannelGLView::~CChannelGLView()
{
    context = nullptr;
}

void CChannelGLView::Update()
{
    if (!fOwnContext) {
        LPaneContext paneContext;
        GetContext(paneContext);
        if (!paneContext.window)
            return;
        (void)SharedGLContext(); // every context borrows the shared one's mutex and objects
        fOwnContext = std::make_unique<CGLContext>(paneContext.window, fDepth ? &DepthOptions() : nullptr);
        SetContext(fOwnContext.get()); // places the surface through Update
        return;
    }
    COpenGLView::Update();
}
