#include "platform/controls/PopUpListWindow.h"
#include "platform/controls/ControlView.h"
#include "platform/controls/PopUpButton.h"
#include "platform/draw/Canvas.h"
#include "platform/window/CurrentDrawing.h"
#include "platform/window/Screens.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"

#include <algorithm>

namespace plat {

namespace {

// Draws the button's rows, the first at its top.
class RowsView final : public View {
public:
    static Ref<RowsView> Make(const PopUpButton& button, const Rect& frame)
    {
        return Ref<RowsView>::Adopt(new RowsView(button, frame));
    }
    bool IsFlipped() const override { return true; }
    void DrawRect(const Rect&) override
    {
        const CurrentDrawing* drawing = CurrentDrawing::Get();
        if (!drawing || !drawing->canvas)
            return;
        drawing->canvas->Save();
        const Rect visible = fButton.MenuVisibleRect();
        drawing->canvas->Translate(-visible.x, -visible.y);
        fButton.DrawMenu(*drawing->canvas);
        drawing->canvas->Restore();
    }

private:
    RowsView(const PopUpButton& button, const Rect& frame) : View(frame), fButton(button) {}
    const PopUpButton& fButton;
};

// The screen holding the point, else the main screen.
Screen ScreenUnder(const Point& point)
{
    for (const Screen& screen : Screens::All())
        if (Contains(screen.frame, point))
            return screen;
    return Screens::Main();
}

} // namespace

PopUpListWindow::PopUpListWindow() = default;

PopUpListWindow::~PopUpListWindow()
{
    Close();
}

void PopUpListWindow::Sync(ControlView& host, PopUpButton& button)
{
    if (!button.IsMenuOpen() || !host.GetWindow()) {
        Close();
        return;
    }
    if (fWindow) {
        fWindow->ContentView()->SetNeedsDisplay();
        return;
    }
    const Rect frame = Place(host, button);
    fWindow = Window::Make(frame, kStyleBorderless);
    fWindow->SetLevel(kLevelPopUpMenu);
    fWindow->ignoresMouseEvents = true; // the button tracks the pointer itself
    fWindow->SetContentView(RowsView::Make(button, Rect{0, 0, frame.width, frame.height}).Get());
    fWindow->OrderFront();
}

Rect PopUpListWindow::Place(ControlView& host, PopUpButton& button)
{
    // The control's flipped coordinates map to the screen through the point where its
    // top-left corner lies: x grows alike, y the other way.
    const Rect rows = button.MenuRect();
    const Rect inWindow = host.ConvertRectToWindow(rows);
    const Point rowsBottomLeft = host.GetWindow()->ConvertBaseToScreen(Point{inWindow.x, inWindow.y});
    const Point corner{rowsBottomLeft.x - rows.x, rowsBottomLeft.y + rows.height + rows.y};
    const Rect area = ScreenUnder(Point{corner.x, corner.y}).visibleFrame;
    Rect shown{rowsBottomLeft.x, rowsBottomLeft.y, rows.width, rows.height};
    if (area.width > 0 && area.height > 0) {
        shown.x = std::clamp(shown.x, area.x, std::max(area.x, area.x + area.width - shown.width));
        if (shown.height > area.height) {
            shown.y = area.y;
            shown.height = area.height;
        } else {
            shown.y = std::clamp(shown.y, area.y, area.y + area.height - shown.height);
        }
    }
    const double dx = shown.x - rowsBottomLeft.x;
    const double dy = shown.height < rows.height ? 0.0 : shown.y - rowsBottomLeft.y;
    const Rect visible{shown.x - corner.x, corner.y - (shown.y + shown.height), shown.width, shown.height};
    button.PlaceMenu(Point{rows.x + dx, rows.y - dy}, visible);
    return shown;
}

void PopUpListWindow::Close()
{
    if (fWindow)
        fWindow->OrderOut();
    fWindow.Reset();
}

} // namespace plat
