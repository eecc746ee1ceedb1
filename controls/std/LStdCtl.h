#pragma once
#include "controls/std/LStdCtlDesc.h"
#include "platform/values/ValueRef.h"
#include "shell/draw/LFont.h"
#include "ui/LTimer.h"
#include "ui/panes/LPane.h"

#include <memory>
#include <string>

namespace plat {
class Control;
class ControlView;
class View;
}

// A pane that owns one native control view and keeps it in step with the pane: its place in
// the window, its visibility, its enabled state and its font. The native control draws and
// tracks the mouse itself; the pane places it, forwards the press to it and turns the control's
// action into "LStdCtl_Selected".
class LStdCtl : public LPane {
public:
    static const char* msgSelected;

    // The pane lives in `parent` (parent handler and host). A descriptor of kind 1 gives the
    // native view to wrap; the view enters the window when the pane is shown.
    LStdCtl(LPane* parent, const LStdCtlDesc& desc);
    ~LStdCtl() override;

    // Third base of the original record: no control of the program wants a clip view always.
    virtual bool WantsClipView() const { return false; }

    void SetTitle(const std::string& text);
    std::string GetTitle() const;

    plat::View* NativeView() const { return fNative.Get(); }
    // The native control model when the view is a control view, else null.
    plat::Control* NativeControl() const;
    plat::View* ClipView() const { return fClipView.Get(); }
    const LFont& Font() const { return fFont; }
    // Small control size when the small system font is at least the control's font size.
    void UpdateControlSize();
    // Places the native view in the window, or takes it out (see the .cpp).
    void SyncNativeFrame();

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    void RectChanged(const CLRect& old) override;
    bool Overlaps(const LRegion& region) const override;
    void DrawSelf(LPortState& port) const override;

    virtual LRegion GetShape(const CLRect& rect) const { return LRegion(rect); }
    virtual CLRect GetNativeFrame() const { return Rect(); }
    // Hands the current press to the native view; the answer is the consumed message.
    virtual void ForwardMouseDown(LMessage& result, const CLPoint& point);
    // The native control acted: "LStdCtl_Selected" to the parent.
    virtual void Action();

protected:
    // The descriptor a control passes to this class: the caller's own when it wraps a view
    // (kind 1), else one of kind 1 around a new view showing `model`, with `options` and the
    // caller's font.
    static LStdCtlDesc WrapNew(const LStdCtlDesc& desc, std::unique_ptr<plat::Control> model, uint32_t options);
    // The font of a font id as a descriptor (no view).
    static LStdCtlDesc NewWithFont(uint32_t fontId);

    // The natural size of the native control in its font, truncated; 0 x 0 when the view is no control.
    CLPoint NaturalSize() const;
    // The text baseline of one line centred in a height h: trunc(ascender + (-descender - ascender + h) / 2).
    int32_t BaselineOffset(int32_t height) const;
    // The width of a reference text in the control's font.
    int32_t ReferenceWidth(const char* text) const;
    // The line height of the control's font.
    int32_t FontLineHeight() const;

private:
    void DropClipView();
    void InvalidateShape();
    void RedisplayInWindow();
    bool HostIsBeingDrawn() const;

    plat::View* fHostView = nullptr;
    plat::Ref<plat::View> fClipView;
    LFont fFont;
    plat::Ref<plat::View> fNative;
    LTimer fTimer;
};
