#pragma once
#include "controls/CColor.h"
#include "foundation/core/LList.h"
#include "foundation/text/LStrList.h"
#include "ui/layout/LLayoutPaneList.h"
#include "ui/panes/LPane.h"

#include <cstdint>
#include <memory>
#include <vector>

class LFormulaLayout;
class LMenu;
class LLayoutScript;
class LPaneContext;
class LWindow;
struct LWindowDef;

// A pane that holds child panes and may own a window. Window events become frame messages
// here and mouse messages addressed to the pane under the mouse; the frame keeps the keyboard
// focus pane and moves it with Tab, passes state events down to its children, draws them, and
// keeps its bookkeeping right by listening to their construction and destruction messages.
// Its layout places the children from layout texts (LFrameLayout.cpp).
class LFrame : public LPane, public LLayoutPaneList {
public:
    static const char* msgConstructing;   // {frame, parent}, only for a frame with a window
    static const char* msgDestructing;    // {frame, parent}, only for a frame with a window
    static const char* msgClose;
    static const char* msgActivate;
    static const char* msgDeactivate;
    static const char* msgPlace;
    static const char* msgMouseLeave;     // {mouse, pane}: the mouse left the pane

    // Layout engines for SetLayout.
    enum LayoutMode : uint32_t { kFormulaLayout = 0, kScriptLayout = 1 };

    // A frame nested in its host.
    LFrame(LHandler* parent, LPane* host);
    // With a window kind in the definition the frame owns a window of its own (its host's
    // window is the owner window) and is not a child of the host; without one it is nested.
    LFrame(LHandler* parent, LPane* host, const LWindowDef& def);
    ~LFrame() override;

    LWindow* Window() const { return fWindow; }
    LPane* Focus() const { return fFocus; }
    const LList& Children() const { return fChildren; }
    const LList& ChildWindows() const { return fChildWindows; }
    const CColorRef& Background() const { return fBackground; }
    const LRegion& NoEraseRegion() const { return fNoErase; }

    void SetBackground(const CColorRef& colour);
    void ShowWindow();
    void HideWindow();
    CLRect GetWindowContentRect() const;
    CLRect GetWindowFrameRect() const;
    void SetWindowContentRect(const CLRect& rect);
    void SetTitle(const LStringRef& text);
    // Sends "LMouse_Leave" to the pane under the mouse and forgets it.
    static void ClearMousePane();
    // The last target of a cursor message, or null.
    static LPane* MousePane();
    static void SetMousePane(LPane* pane);
    // Applies one state event to every child in list order.
    void BroadcastState(int32_t event);
    // Moves the focus along the tab order; true when the move ran past the end of the order.
    bool MoveFocus(LFocusDir dir);

    // The frame's own menus (owned): they visit the menu bar while the frame's window is
    // active, entering before "WINDOW" (else "HELP").
    LList& Menus() { return fMenus; }
    void InstallMenus();
    void RemoveMenus();

    // Layout (LFrameLayout.cpp).
    void SetLayout(const LStrListRef& texts, uint32_t mode);
    const LStrListRef& LayoutTexts() const { return fLayoutTexts; }
    bool HasLayout() const;
    void Relayout();
    void FitWindowToLayout();
    void PlaceAt(const CLRect& rect);
    void PlaceWindow(const CLRect& rect, LPane* pane);

    LPane* PaneAt(uint32_t number) const override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void GetContext(LPaneContext& context) const override;
    void Invalidate(const LRegion& update, const LRegion& erase) override;
    void StateChanged(int32_t event) override;
    void RectChanged(const CLRect& old) override;
    LPane* FocusTarget() override;
    LPane* HitTest(const CLPoint& point) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void DrawSelf(LPortState& port) const override;
    bool FocusNearest(const CLPoint& point) override;
    bool AdvanceFocus(LFocusDir dir, LFocusRestart restart) override;

    // Hooks around each layout run, for subclasses that set layout variables first or finish
    // after the engine placed the children.
    virtual void PrepareLayout(LPaneContext& context, LFormulaLayout& layout);
    virtual void FinishLayout(LPaneContext& context, LFormulaLayout& layout);
    virtual void PrepareScriptLayout(LPaneContext& context, LLayoutScript& script);
    virtual void FinishScriptLayout(LPaneContext& context, LLayoutScript& script);

protected:
    // The window as the subject of its messages; null without a window.
    LHandler* WindowHandler() const;
    // Draws the children that overlap `clip` (frame coordinates), each followed by its ring.
    void DrawChildren(LPortState& port, const LRegion& clip) const;
    // Makes `pane` the focus pane; the old one gets event 11, the new one event 10 when the
    // frame holds the focus itself.
    void SetFocus(LPane* pane);

private:
    // Message handling (LFrameMessages.cpp).
    bool HandlePaneMessage(LMessage& result, const LMessage& msg);
    bool HandleWindowMessage(LMessage& result, const LMessage& msg);
    bool HandleFrameMessage(LMessage& result, const LMessage& msg);
    void TrackCursor(LMessage& result);
    void PaneConstructing(LMessage& result, LPane* pane);
    void PaneReqFocus(LMessage& result, const LMessage& msg);
    bool KeyDown(LMessage& result, const LMessage& msg);
    void PassOn(LMessage& result, const LMessage& msg);
    void AddressMouse(LMessage& result, const char* type);
    LPane* PaneUnderMouse();
    // The mouse position in frame coordinates.
    CLPoint MouseInFrame() const;
    void Consume(LMessage& result) const { LMessage::Clear(result); }

    // State passing (LFrameState.cpp).
    void PassShown();
    void FocusOnShow();
    void PassFocus();
    void MoveToFirstFocus();
    static constexpr uint32_t kMaxFirstFocusSteps = 256;
    void RelayoutForPrefs();

    // Layout steps (LFrameLayout.cpp): which steps one run takes, and the preferred rect
    // (pane 0 after the preferred step) it leaves.
    enum class Growth { None, Grow, Exact };
    struct LayoutRun {
        bool prefer = false;
        Growth growth = Growth::None;
        bool place = false;
        bool finish = true;
        CLRect preferred;
    };
    void RunLayout(LayoutRun& run);
    void RunFormula(LayoutRun& run, LPaneContext& context);
    void RunScript(LayoutRun& run, LPaneContext& context);
    void GrowWindow(const CLRect& preferred, Growth growth);
    CLRect PreferredRect();

    // Window bookkeeping (LFrameWindow.cpp).
    bool OwnsWindow() const { return fWindow != nullptr; }
    bool ShowsFocusRoot() const;
    bool IsClosableWindow() const;
    bool IsResizableWindow() const;
    uint32_t WindowLayer() const;
    LHandler* FloatingPassTarget() const;
    void MakeFloatingKey();
    void SetArrowCursor();
    void PlacerGrow(LHandler* placer);
    void InvalidateWindow(const LRegion& area);
    void UpdateWindowNow();
    void DrawWindow();
    void CreateWindow(const LWindowDef& def);
    void DeleteWindow();
    void FillWindowContext(LPaneContext& context) const;
    void TakeWindowSize();
    static CLPoint ScreenPointOf(const LPane& pane, const CLPoint& point);

    LWindow* fWindow = nullptr;
    LPane* fFocus = nullptr;
    bool fPlacingFocus = false; // the focus is placed as the window shows: no pane asked
    mutable LRegion fNoErase;
    CColorRef fBackground;
    LList fChildren;
    LList fChildWindows;
    LStrListRef fLayoutTexts;
    std::unique_ptr<LLayoutScript> fLayoutScript;
    LList fMenus;
    std::vector<LMenu*> fInstalledMenus;
};
