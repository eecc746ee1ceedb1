#include "ui/frames/LPlacement.h"
#include "ui/frames/LFrame.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/Displays.h"
#include "ui/windows/LWindow.h"

namespace {

// Bounds the walk: every step moves the spot, and a screen holds finitely many spots.
constexpr int kMaxSteps = 100000;

} // namespace

void LPlacement::InitCascade()
{
    mode = kDiagonal;
    stepX = 18;
    stepY = 18;
}

void LPlacement::Apply(LFrame& frame) const
{
    LWindow* own = frame.Window();
    if (!own)
        return;
    std::vector<CLPoint> others;
    for (LWindow* window = CDesktop::FrontVisibleWindow(); window; window = CDesktop::NextVisibleWindow(window)) {
        if (window == own)
            continue;
        const CLRect content = window->GetContentRect();
        others.push_back({content.left, content.top});
    }
    const CLRect content = frame.GetWindowContentRect();
    const CLRect outer = frame.GetWindowFrameRect();
    const CLRect screen = GetMainScreenVisibleRect();
    const std::optional<CLPoint> spot =
        FindSpot(content, {outer.right, outer.bottom}, {screen.right, screen.bottom}, others);
    if (!spot || (spot->x == content.left && spot->y == content.top))
        return;
    CLRect moved = content;
    moved.Offset(spot->x - content.left, spot->y - content.top);
    frame.SetWindowContentRect(moved);
}

bool LPlacement::IsTaken(const CLPoint& spot, const std::vector<CLPoint>& others) const
{
    const int32_t w = static_cast<int32_t>(stepX), h = static_cast<int32_t>(stepY);
    const CLRect square{spot.x, spot.y, spot.x + w, spot.y + h};
    for (const CLPoint& other : others) {
        if (CLRect::Intersects(square, CLRect{other.x, other.y, other.x + w, other.y + h}))
            return true;
    }
    return false;
}

bool LPlacement::Step(CLPoint& spot, const CLRect& c, const CLPoint& end, const CLPoint& screen) const
{
    const int64_t sx = stepX, sy = stepY;
    auto pastRight = [&](int64_t x) { return end.x + (x - c.left) > screen.x; };
    auto pastBottom = [&](int64_t y) { return end.y + (y - c.top) > screen.y; };
    int64_t x = spot.x, y = spot.y;
    if (mode == kAcrossThenDown) {
        x += sx;
        if (pastRight(x)) {
            x = c.left;
            y += sy;
            if (pastBottom(y))
                return false;
        }
    } else if (mode == kDownThenAcross) {
        y += sy;
        if (pastBottom(y)) {
            y = c.top;
            x += sx;
            if (pastRight(x))
                x = c.left;
        }
    } else {
        x += sx;
        y += sy;
        if (pastRight(x))
            x = c.left;
        if (pastBottom(y))
            y = c.top;
    }
    spot = {static_cast<int32_t>(x), static_cast<int32_t>(y)};
    return true;
}

std::optional<CLPoint> LPlacement::FindSpot(const CLRect& content, const CLPoint& frameEnd, const CLPoint& screenEnd,
                                            const std::vector<CLPoint>& others) const
{
    const CLPoint start{content.left, content.top};
    CLPoint spot = start;
    if (stepX == 0 && stepY == 0)
        return IsTaken(spot, others) ? std::nullopt : std::optional<CLPoint>(spot);
    for (int i = 0; i < kMaxSteps; ++i) {
        if (!IsTaken(spot, others))
            return spot;
        if (!Step(spot, content, frameEnd, screenEnd) || spot == start)
            return std::nullopt;
    }
    return std::nullopt;
}
