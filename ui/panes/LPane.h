#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "foundation/geometry/CLRect.h"
#include "foundation/geometry/LRegion.h"
#include "ui/panes/LPaneFlags.h"

#include <cstdint>
#include <memory>

class CUIDict;
class LPaneContext;
class LPortState;
namespace plat {
class Window;
}

// The rectangle every control, view and frame is built from. A pane lives in a host frame
// (its rectangle is in the host's coordinates), keeps a state word that changes only through
// numbered state events, hit-tests points, takes the keyboard focus and draws through the port
// its host gives it. It never calls its host for requests: it sends messages up its chain
// (focus, capture, redraw, relayout) that the enclosing frame or the main loop consumes.
class LPane : public LHandler, public SSLink {
public:
    static const char* msgConstructing;   // {pane, host}
    static const char* msgDestructing;    // {pane, host}
    static const char* msgReqFocus;       // {pane, parent}
    static const char* msgReqCapture;     // {pane, parent}: route the mouse here until release
    static const char* msgPref;           // {pane, parent}: the preferred size changed
    static const char* msgUpdateNow;      // {pane, parent}: draw at once
    static const char* msgDefer;          // {pane, parent}: ask for a deferred pass
    static const char* msgDeferred;       // {pane, ...}: the deferred pass
    static const char* msgFocus;          // {pane, parent}
    static const char* msgUnfocus;        // {pane, parent}

    // Width of the focus ring band.
    static constexpr int32_t kFocusRingWidth = 3;

    // Flags shown and enabled, empty rect; announces itself to the host.
    LPane(LHandler* parent, LPane* host);
    // Hides the pane (which unfocuses it first) and announces the removal to the host.
    ~LPane() override;

    LPaneFlags Flags() const { return fFlags; }
    bool HasFlags(LPaneFlags mask) const { return (fFlags & mask) == mask; }
    bool IsShown() const { return HasFlags(kPaneShown); }
    bool IsEnabledAndShown() const { return HasFlags(kPaneEnabledAndShown); }
    bool IsFullyActive() const { return HasFlags(kPaneFullyActive); }
    LPane* Host() const { return fHost; }
    const CLRect& Rect() const { return fRect; }
    CUIDict* Dictionary() const { return fDictionary.get(); }
    void SetDictionary(std::unique_ptr<CUIDict> dictionary);

    // Applies one state event (see LPaneFlags.h); a flag that already has its target value
    // ends the call without StateChanged.
    void SetState(int32_t event);
    // Stores a different rectangle and then calls RectChanged with the old one.
    void SetRect(const CLRect& rect);
    void UpdateNow();
    // Asks for the focus when the pane takes it on a click; controls call it when clicked.
    void FocusOnClick();
    // Recomputes the derived focus-shown flag and redraws the ring when it changed.
    void UpdateFocusShown();

    plat::Window* GetNativeWindow() const;
    // The pane's top-left in the coordinates of `ancestor` (null: of the window).
    CLPoint OriginIn(const LPane* ancestor) const;
    // Fills the focus ring when the pane shows focus.
    void DrawFocusRing(LPortState& port) const;
    // The ring band of the given width around `rect`: outside it, or inside it.
    static LRegion RingRegion(const CLRect& rect, bool outer, int32_t width = kFocusRingWidth);

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    // Fills `context` for drawing and coordinate conversion; the default asks the host.
    virtual void GetContext(LPaneContext& context) const;
    // Regions in host coordinates; forwarded to the host while the pane and its host show.
    virtual void Invalidate(const LRegion& update, const LRegion& erase);
    virtual void StateChanged(int32_t event);
    virtual void RectChanged(const CLRect& old);
    // True when shown and the region (host coordinates) meets the rectangle.
    virtual bool Overlaps(const LRegion& region) const;
    // The pane that takes keyboard input on the pane's behalf, or null.
    virtual LPane* FocusTarget();
    // The pane hit at a point in host coordinates, or null.
    virtual LPane* HitTest(const CLPoint& point);
    // Preferred width for a height hint and height for a width hint; negative hints ask for
    // particular metrics, which a plain pane does not have. The context may be null.
    virtual int32_t PrefWidth(LPaneContext* context, int32_t hint);
    virtual int32_t PrefHeight(LPaneContext* context, int32_t hint);
    virtual void DrawSelf(LPortState& port) const;
    virtual bool FocusNearest(const CLPoint& point);
    // Takes the focus when the pane is a Tab stop; true when the move stayed inside the pane.
    virtual bool AdvanceFocus(LFocusDir dir, LFocusRestart restart);

protected:
    // Sends {type, this, recipient}.
    void Announce(const char* type, LHandler* recipient);
    // The frame bookkeeping sets flags that no event changes (the opaque flag).
    void SetFlagBits(LPaneFlags mask, bool on) { fFlags = on ? (fFlags | mask) : (fFlags & ~mask); }
    // With HostAnnounce::No (frames with a window of their own) no host takes the pane as a
    // child, but the host field is set all the same.
    enum class HostAnnounce { Yes, No };
    LPane(LHandler* parent, LPane* host, HostAnnounce announce);

private:
    bool ApplyFlagEvent(int32_t event);
    bool ApplyFocusStop(LPaneFlags stop);
    void InvalidateInHost(const LRegion& update, const LRegion& erase) const;

    LPaneFlags fFlags = kPaneNewFlags;
    LPane* fHost = nullptr;
    CLRect fRect;
    std::unique_ptr<CUIDict> fDictionary;
};
