#include "analysis/gl/COpenGLView.h"
#include "foundation/core/LMessage.h"
#include "shell/gl/CGLContext.h"
#include "ui/panes/LPaneContext.h"
#include "ui/panes/LPaneFlags.h"

const char* COpenGLView::msgUpdate = "COpenGLView_Update";

COpenGLView::COpenGLView(LPane* parent, CGLContext* glContext) : LPane(parent, parent), context(glContext)
{
    SetFlagBits(kPaneTransparent | kPaneOpaque, true);
}

COpenGLView::~COpenGLView() = default;

void COpenGLView::SetContext(CGLContext* glContext)
{
    context = glContext;
    if (!context)
        return;
    glRect = CLRect{};
    glRegion.Clear();
    context->SetFrame(CLRect{}, LRegion());
    Update();
}

void COpenGLView::Update()
{
    if (!context)
        return;
    CLRect rect;
    LRegion region;
    if (HasFlags(kPaneShown | kPaneHostShown)) {
        LPaneContext paneContext;
        GetContext(paneContext);
        rect = Rect();
        rect.Offset(paneContext.originX, paneContext.originY);
        rect.Intersect(paneContext.clip.GetBounds());
        region = paneContext.clip;
        region.Intersect(LRegion(rect));
    }
    context->SetFrame(rect, region);
    if (rect == glRect && region.Equals(glRegion))
        return;
    glRect = rect;
    glRegion = region;
    if (!region.IsEmpty())
        Announce(msgUpdate, Parent());
}

void COpenGLView::StateChanged(int32_t event)
{
    LPane::StateChanged(event);
    switch (event) {
    case kEventShow:
    case kEventHide:
    case kEventHostShow:
    case kEventHostHide:
    case kEventMoved:
        Update();
        break;
    default:
        break;
    }
}

void COpenGLView::RectChanged(const CLRect& old)
{
    LPane::RectChanged(old);
    Update();
}

void COpenGLView::DrawSelf(LPortState&) const
{
    // The owner renders the GL content; the pane itself paints nothing.
    LMessage::Send(LMessage(msgUpdate, const_cast<COpenGLView*>(this), Parent()));
}
