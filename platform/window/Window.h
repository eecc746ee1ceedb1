#pragma once
#include "platform/Geometry.h"
#include "platform/Shared.h"
#include "platform/values/ValueRef.h"
#include "platform/window/View.h"
#include "platform/window/WindowDelegate.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class Bitmap;

// Whether a window is an ordinary window or a panel (a utility window that floats above
// ordinary windows and never becomes main).
enum class WindowClass { Ordinary, Panel };
// Where OrderRelative puts a window against another.
enum class OrderPlace { Below = -1, Out = 0, Above = 1 };

// One window of the window server: a frame in global screen coordinates (bottom-left origin,
// y upward) with a title bar when titled, a content view filling the rest, a level that
// keeps it in front of lower levels, and a backing image that the display cycle paints.
// Ordering, key and main state live in the WindowServer; these methods ask it.
class Window : public Shared {
public:
    static Ref<Window> Make(const Rect& contentRect, uint32_t styleMask, WindowClass windowClass = WindowClass::Ordinary);

    uint32_t Number() const { return fNumber; }
    uint32_t StyleMask() const { return fStyleMask; }
    bool IsPanel() const { return fClass == WindowClass::Panel; }
    int32_t Level() const { return fLevel; }
    void SetLevel(int32_t level);
    const std::string& Title() const { return fTitle; }
    void SetTitle(std::string title);

    // Frame and content rectangles in global screen coordinates.
    const Rect& Frame() const { return fFrame; }
    Rect ContentRect() const { return ContentRectForFrameRect(fFrame); }
    // Moves and resizes the window; tells the delegate what changed. With display the whole
    // content is redrawn at once.
    void SetFrame(const Rect& frame, bool display);
    Rect FrameRectForContentRect(const Rect& content) const;
    Rect ContentRectForFrameRect(const Rect& frame) const;
    // Window base coordinates (from the frame's bottom-left corner) to screen ones and back.
    Point ConvertBaseToScreen(const Point& p) const;
    Point ConvertScreenToBase(const Point& p) const;

    View* ContentView() const { return fContentView.Get(); }
    // Installs the content view, sized to the content area.
    void SetContentView(View* view);
    WindowDelegate* Delegate() const { return fDelegate; }
    // The delegate is not owned: its owner clears it before it goes.
    void SetDelegate(WindowDelegate* delegate) { fDelegate = delegate; }
    // The view that takes key events first; null means the window itself.
    View* FirstResponder() const { return fFirstResponder; }
    bool MakeFirstResponder(View* view);
    View* FieldEditor(View* client);

    // Ordering and focus (see WindowServer for the rules).
    bool IsVisible() const;
    bool IsKey() const;
    bool IsMain() const;
    void OrderFront();
    void OrderBack();
    void OrderOut();
    void OrderRelative(OrderPlace place, uint32_t otherNumber);
    void MakeKey();
    void MakeMain();
    void MakeKeyAndOrderFront();
    // The user closed the window (or the program did): observers hear it, then it leaves the screen.
    void Close();
    bool CanBecomeKey() const;
    bool CanBecomeMain() const;

    // The pasteboard types this window takes in drags ("public.data" takes any data).
    void RegisterForDraggedTypes(std::vector<std::string> types) { fDraggedTypes = std::move(types); }
    void UnregisterDraggedTypes() { fDraggedTypes.clear(); }
    const std::vector<std::string>& DraggedTypes() const { return fDraggedTypes; }

    // Document windows carry the main menu as a bar across their top. The bar lies outside the
    // frame and content geometry (on the desktop it takes the place of the title strip); the
    // backing image holds it in its top rows, above the content.
    static constexpr double kMenuBarHeight = 22.0;
    bool ShowsMenuBar() const { return fShowsMenuBar; }
    void SetShowsMenuBar(bool shows);
    double MenuBarHeight() const { return fShowsMenuBar ? kMenuBarHeight : 0.0; }
    // The bar is drawn again at the next display pass.
    void SetMenuBarNeedsDisplay();
    bool MenuBarNeedsDisplay() const { return fMenuBarNeedsDisplay; }
    void ClearMenuBarNeedsDisplay() { fMenuBarNeedsDisplay = false; }

    bool IsMiniaturized() const { return fMiniaturized; }
    void SetMiniaturized(bool miniaturized) { fMiniaturized = miniaturized; }

    // Panel behaviour.
    bool floatingPanel = false;
    bool hidesOnDeactivate = false;
    bool becomesKeyOnlyIfNeeded = false;
    // Input and cursor settings.
    bool ignoresMouseEvents = false;
    bool acceptsMouseMovedEvents = false;
    bool cursorRectsEnabled = true;

    // Drawing: set when a view asked for display; the display cycle clears it.
    bool ViewsNeedDisplay() const { return fViewsNeedDisplay; }
    void SetViewsNeedDisplay() { fViewsNeedDisplay = true; }
    void ClearViewsNeedDisplay() { fViewsNeedDisplay = false; }
    // The image the display cycle paints: the content, with the menu bar above it when the
    // window shows one; null before the first pass.
    const Bitmap* BackingImage() const { return fBacking.get(); }
    Bitmap* MutableBackingImage() const { return fBacking.get(); }
    void SetBackingImage(std::shared_ptr<Bitmap> image) { fBacking = std::move(image); }

private:
    Window(const Rect& contentRect, uint32_t styleMask, WindowClass windowClass);
    ~Window() override;

    uint32_t fNumber = 0;
    uint32_t fStyleMask = 0;
    WindowClass fClass = WindowClass::Ordinary;
    int32_t fLevel = 0;
    std::string fTitle;
    Rect fFrame;
    Ref<View> fContentView;
    WindowDelegate* fDelegate = nullptr;
    View* fFirstResponder = nullptr;
    bool fMiniaturized = false;
    bool fViewsNeedDisplay = false;
    bool fShowsMenuBar = false;
    bool fMenuBarNeedsDisplay = false;
    std::shared_ptr<Bitmap> fBacking;
    std::vector<std::string> fDraggedTypes;
};

} // namespace plat
