// The operations an LWindow performs on its native window.
#include "ui/windows/LWindow.h"
#include "foundation/core/LStringRef.h"
#include "foundation/geometry/LRegion.h"
#include "platform/window/View.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"
#include "shell/windows/MWindowDelegate.h"
#include "shell/windows/MWindowView.h"
#include "shell/windows/ScreenCoords.h"

#include <string>

void LWindow::AttachNative()
{
    if (!fNative)
        return;
    fDelegate = std::make_unique<MWindowDelegate>(this);
    fNative->SetDelegate(fDelegate.get());
    plat::Ref<MWindowView> view = MWindowView::Make(plat::Rect{0, 0, 1, 1});
    view->autoresizesSubviews = false;
    view->postsFrameChanged = false;
    view->postsBoundsChanged = false;
    fNative->SetContentView(view.Get());
    fView = view;
    fNative->acceptsMouseMovedEvents = true;
    fNative->cursorRectsEnabled = false;
}

void LWindow::DetachNative()
{
    if (!fNative)
        return;
    fNative->SetContentView(nullptr);
    fNative->MakeFirstResponder(nullptr);
    fNative->SetDelegate(nullptr);
}

bool LWindow::IsVisible() const
{
    return fNative && fNative->IsVisible();
}

bool LWindow::IsClosable() const
{
    return fNative && (fNative->StyleMask() & plat::kStyleClosable);
}

bool LWindow::IsResizable() const
{
    return fNative && (fNative->StyleMask() & plat::kStyleResizable);
}

CLRect LWindow::GetContentRect() const
{
    const plat::View* content = fNative ? fNative->ContentView() : nullptr;
    if (!content)
        return CLRect{};
    plat::Rect frame = content->Frame();
    const plat::Point origin = fNative->ConvertBaseToScreen(plat::Point{frame.x, frame.y});
    frame.x = origin.x;
    frame.y = origin.y;
    return NSRectToRect(frame, GetMainScreenHeight());
}

CLRect LWindow::GetFrameRect() const
{
    return fNative ? NSRectToRect(fNative->Frame(), GetMainScreenHeight()) : CLRect{};
}

void LWindow::SetContentRect(const CLRect& rect)
{
    if (!fNative)
        return;
    const plat::Rect content = RectToNSRect(rect, GetMainScreenHeight());
    fNative->SetFrame(fNative->FrameRectForContentRect(content), true);
}

CLRect LWindow::FrameRectForContentRect(const CLRect& rect) const
{
    if (!fNative)
        return rect;
    const int32_t height = GetMainScreenHeight();
    return NSRectToRect(fNative->FrameRectForContentRect(RectToNSRect(rect, height)), height);
}

void LWindow::SetTitle(const LStringRef& title)
{
    if (fNative)
        fNative->SetTitle(std::string(title.View()));
}

void LWindow::InvalidateRect(const LRegion& region)
{
    plat::View* content = fNative ? fNative->ContentView() : nullptr;
    if (!content)
        return;
    const auto height = static_cast<int32_t>(content->Frame().height);
    content->SetNeedsDisplayInRect(RectToNSRect(region.GetBounds(), height));
}

void LWindow::MakeKey()
{
    if (fNative && fLayer == LWindowDef::kLayerFloating)
        fNative->MakeKey();
}

plat::View* LWindow::GetContentView() const
{
    return fNative ? fNative->ContentView() : nullptr;
}
