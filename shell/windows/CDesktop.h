#pragma once
#include "foundation/geometry/CLRect.h"
#include "platform/values/ValueRef.h"

#include <cstdint>

class LHandler;
class LWindow;
struct LWindowDef;
namespace plat {
class Window;
}

// The window-system service: makes, shows, orders, hides and destroys the native windows of
// framework windows, walks the visible framework windows front to back, and answers
// questions about screens and displays. Rectangles are framework screen coordinates
// (top-left origin, y downward). One instance exists while the program runs. Main thread.
class CDesktop {
public:
    static constexpr uint32_t kWaitLimitMs = 1000;
    static const char* msgViewPrefsChanged; // "CViewPrefs_Changed"

    CDesktop();
    virtual ~CDesktop();
    CDesktop(const CDesktop&) = delete;
    CDesktop& operator=(const CDesktop&) = delete;

    // The service, or null before start-up and after shut-down.
    static CDesktop* Get();
    // The view-preferences object that windows hear from before they first appear (null: none).
    static void SetViewPrefs(LHandler* viewPrefs);

    // The native window of the definition's kind (null without a kind).
    virtual plat::Ref<plat::Window> CreateWindow(LWindow* window, plat::Window* ownerNative, const LWindowDef& def);
    virtual void DestroyWindow(LWindow* window);
    // Brings the window forward: a floating window without taking key status (it hears
    // "LWindow_Activate" instead), others as key window; then waits until it is on screen.
    virtual void ShowWindow(LWindow* window);
    // Shows a hidden window directly behind the front-most visible window of its layer.
    virtual void ShowWindowRelative(LWindow* window);
    virtual void HideWindow(LWindow* window);
    // Hides the window, then deletes it.
    virtual void DeleteObject(LWindow* window);

    static plat::Window* GetNativeWindow(const LWindow* window);
    // The next visible framework window behind window (the front-most for null), or null.
    static LWindow* NextVisibleWindow(const LWindow* window);
    static LWindow* FrontVisibleWindow() { return NextVisibleWindow(nullptr); }
    static LWindow* FindWindowOfLayer(int32_t layer);

    // The union, over all screens, of the screen's visible area intersected with rect.
    static CLRect ClipToScreens(const CLRect& rect);
    // The display sharing the largest area with rect (earlier ones win ties); 0 when none.
    static uint32_t FindDisplayForRect(const CLRect& rect);
    static CLRect GetDisplaysUnion(bool withoutMain);
    // Moves the content rectangle so that the window's frame lies on the visible screen area
    // of its display; a frame too large for the area ends flush with its left or top edge.
    static void ShiftOntoScreen(const LWindow* window, CLRect& rect);
    // Sets the content rectangle kept on screen, with one more try when the window did not
    // get the size or place asked for.
    static void SetWindowRectOnScreen(LWindow* window, const CLRect& rect);
    // Waits, at most kWaitLimitMs, until the window is on screen.
    static void WaitUntilOnScreen(plat::Window* native);
};
