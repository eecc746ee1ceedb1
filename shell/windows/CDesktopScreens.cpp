// The screen and display questions of the desktop service.
#include "shell/windows/CDesktop.h"
#include "platform/window/Screens.h"
#include "shell/windows/Displays.h"
#include "shell/windows/ScreenCoords.h"
#include "ui/windows/LWindow.h"

#include <algorithm>

CLRect CDesktop::ClipToScreens(const CLRect& rect)
{
    const int32_t height = GetMainScreenHeight();
    CLRect result;
    for (const plat::Screen& screen : plat::Screens::All()) {
        CLRect part = NSRectToRect(screen.visibleFrame, height);
        part.Intersect(rect);
        result.Union(part);
    }
    return result;
}

uint32_t CDesktop::FindDisplayForRect(const CLRect& rect)
{
    uint32_t best = 0;
    int64_t bestArea = 0;
    for (uint32_t i = 0, id = GetActiveDisplay(0); id != 0; id = GetActiveDisplay(++i)) {
        CLRect common = GetDisplayBounds(id);
        common.Intersect(rect);
        const int64_t area = common.Width() * common.Height();
        if (area > bestArea) {
            bestArea = area;
            best = id;
        }
    }
    return best;
}

CLRect CDesktop::GetDisplaysUnion(bool withoutMain)
{
    const uint32_t mainId = MainDisplayId();
    CLRect result;
    for (uint32_t i = 0, id = GetActiveDisplay(0); id != 0; id = GetActiveDisplay(++i)) {
        if (withoutMain && id == mainId)
            continue;
        const CLRect bounds = GetDisplayBounds(id);
        if (result.IsEmpty())
            result = bounds;
        else
            result.Union(bounds);
    }
    return result;
}

namespace {

// How far to move the span [low, high) so that it lies inside [areaLow, areaHigh); a span
// longer than the area ends flush with its low edge.
int32_t ShiftInto(int32_t low, int32_t high, int32_t areaLow, int32_t areaHigh)
{
    int64_t shift = 0;
    if (areaHigh < high)
        shift = int64_t(areaHigh) - high;
    if (areaLow > low + shift)
        shift += areaLow - (low + shift);
    return static_cast<int32_t>(std::clamp<int64_t>(shift, INT32_MIN, INT32_MAX));
}

} // namespace

void CDesktop::ShiftOntoScreen(const LWindow* window, CLRect& rect)
{
    uint32_t display = FindDisplayForRect(rect);
    if (display == 0)
        display = MainDisplayId();
    const CLRect area = ClipToScreens(GetDisplayBounds(display));
    const CLRect frame = window ? window->FrameRectForContentRect(rect) : rect;
    rect.Offset(ShiftInto(frame.left, frame.right, area.left, area.right),
                ShiftInto(frame.top, frame.bottom, area.top, area.bottom));
}

void CDesktop::SetWindowRectOnScreen(LWindow* window, const CLRect& requested)
{
    if (!window)
        return;
    CLRect first = requested;
    ShiftOntoScreen(window, first);
    window->SetContentRect(first);
    const CLRect content = window->GetContentRect();
    const CLRect frame = window->GetFrameRect();
    const int64_t lostWidth = requested.Width() - content.Width();
    const int64_t lostHeight = requested.Height() - content.Height();
    const CLRect area = ClipToScreens(frame);
    const int32_t dx = std::max(requested.left - content.left, area.left - frame.left);
    const int32_t dy = std::max(requested.top - content.top, area.top - frame.top);
    if (lostWidth < 1 && lostHeight < 1 && dx == 0 && dy == 0)
        return;
    CLRect second = requested;
    if (lostWidth >= 1)
        second.right = static_cast<int32_t>(std::clamp<int64_t>(second.right + lostWidth, INT32_MIN, INT32_MAX));
    if (lostHeight >= 1)
        second.bottom = static_cast<int32_t>(std::clamp<int64_t>(second.bottom + lostHeight, INT32_MIN, INT32_MAX));
    second.Offset(dx, dy);
    ShiftOntoScreen(window, second);
    window->SetContentRect(second);
}
