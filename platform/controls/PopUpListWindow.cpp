#include "platform/controls/PopUpListWindow.h"
#include "platform/controls/ControlView.h"
#include "platform/controls/PopUpButton.h"
#include "platform/draw/Canvas.h"
#include "platform/window/CurrentDrawing.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"

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
        drawing->canvas->Translate(0, -fButton.MenuRect().y);
        fButton.DrawMenu(*drawing->canvas);
        drawing->canvas->Restore();
    }

private:
    RowsView(const PopUpButton& button, const Rect& frame) : View(frame), fButton(button) {}
    const PopUpButton& fButton;
};

} // namespace

PopUpListWindow::PopUpListWindow() = default;

PopUpListWindow::~PopUpListWindow()
{
    Close();
}

void PopUpListWindow::Sync(ControlView& host, const PopUpButton& button)
{
    Window* parent = host.GetWindow();
    if (!button.IsMenuOpen() || !parent) {
        Close();
        return;
    }
    if (fWindow) {
        fWindow->ContentView()->SetNeedsDisplay();
        return;
    }
    // The rows' rectangle from control (flipped view) coordinates to the screen.
    const Rect rows = button.MenuRect();
    const Rect inWindow = host.ConvertRectToWindow(rows);
    const Point origin = parent->ConvertBaseToScreen(Point{inWindow.x, inWindow.y});
    fWindow = Window::Make(Rect{origin.x, origin.y, inWindow.width, inWindow.height}, kStyleBorderless);
    fWindow->SetLevel(kLevelPopUpMenu);
    fWindow->ignoresMouseEvents = true; // the button tracks the pointer itself
    fWindow->SetContentView(RowsView::Make(button, Rect{0, 0, rows.width, rows.height}).Get());
    fWindow->OrderFront();
}

void PopUpListWindow::Close()
{
    if (fWindow)
        fWindow->OrderOut();
    fWindow.Reset();
}

} // namespace plat
