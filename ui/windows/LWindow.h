#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "foundation/core/LRef.h"
#include "foundation/geometry/CLRect.h"
#include "ui/windows/LWindowDef.h"

#include <cstdint>
#include <memory>

class LRegion;
class LStringRef;
class MWindowDelegate;
class MWindowView;
namespace plat {
class View;
class Window;
}

// Disposes of a window's native object.
using LWindowHook = void (*)(plat::Window* native);

// The framework's side of one native window. Its owner frame is its parent handler, so the
// window's messages ("LWindow_Close", "LWindow_Click", ...) arrive with the window as subject
// and the frame as recipient. Every window with a native window sits in one global list,
// through which a native window finds its framework window. Main thread only.
class LWindow : public LHandler, public SSLink {
public:
    static const char* msgClose;
    static const char* msgActivate;
    static const char* msgDeactivate; // "LWindow_Deativate", spelled so
    static const char* msgUpdate;
    static const char* msgClick;
    static const char* msgCursor;
    static const char* msgWheel;
    static const char* msgPlace;
    static const char* msgBkgnd;
    static const char* msgContext;
    static const char* msgFocus;
    static const char* msgUnfocus;

    // Has the desktop service make the native window of the definition (none without a kind
    // or without the service), joins the global list when it did, then attaches the native
    // side and takes the definition's attachment. owner is the frame (parent handler);
    // ownerNative the native window of the frame's host, or null.
    // The owner is typed as a handler: any handler can take the window's messages in the frame's place.
    LWindow(const LWindowDef& def, LHandler* owner, plat::Window* ownerNative);
    ~LWindow() override;

    // The owner frame.
    LHandler* GetOwner() const { return Parent(); }
    uint32_t Layer() const { return fLayer; }
    plat::Window* Native() const { return fNative; }
    LRef& Menus() { return fMenus; }
    LWindowHook Hook() const { return fHook; }
    MWindowDelegate* Delegate() const { return fDelegate.get(); }

    // The window in the global list whose native window is native; null when none.
    static LWindow* FindByNative(const plat::Window* native);
    // The window after window in the global list; the first with null.
    static LWindow* Next(const LWindow* window);

    // Native-window operations: each does nothing, or answers the zero value, without a native window.
    void AttachNative();
    void DetachNative();
    bool IsVisible() const;
    bool IsClosable() const;
    bool IsResizable() const;
    // Rectangles in framework screen coordinates (top-left origin).
    CLRect GetContentRect() const;
    CLRect GetFrameRect() const;
    void SetContentRect(const CLRect& rect);
    CLRect FrameRectForContentRect(const CLRect& rect) const;
    void SetTitle(const LStringRef& title);
    void InvalidateRect(const LRegion& region);
    // Drawing happens in the next display pass.
    void UpdateNow() {}
    void SetAttachment(LWindowAttachment* attachment);
    LWindowAttachment* Attachment() const { return fAttachment.get(); }
    // Makes a floating (layer 2) window the key window; other layers are left alone.
    void MakeKey();
    plat::View* GetContentView() const;
    // Lets go of the native window through the hook (the desktop service's destroy step).
    void DisposeNative();

private:
    LWindowHook fHook;
    uint32_t fLayer;
    plat::Window* fNative = nullptr; // retained; disposed of through the hook
    LRef fMenus;
    std::unique_ptr<LWindowAttachment> fAttachment;
    std::unique_ptr<MWindowDelegate> fDelegate;
    plat::Ref<plat::View> fView;
};
