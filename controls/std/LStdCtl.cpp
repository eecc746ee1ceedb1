#include "controls/std/LStdCtl.h"

#include "controls/std/ControlKeys.h"
#include "controls/std/PaneMouse.h"
#include "foundation/core/StrEqual.h"
#include "platform/controls/ControlView.h"
#include "platform/draw/Font.h"
#include "platform/window/CurrentDrawing.h"
#include "platform/window/Window.h"
#include "shell/draw/LPortStateScope.h"
#include "shell/windows/ScreenCoords.h"
#include "ui/draw/LPortState.h"
#include "ui/panes/LPaneContext.h"

#include <cmath>

const char* LStdCtl::msgSelected = "LStdCtl_Selected";

namespace {

constexpr const char* kMouseClick = "LMouse_Click";
constexpr const char* kTimerExpire = "LTimer_Expire";
// The point size of the small system font: controls in fonts no larger use the small size.
constexpr double kSmallSystemFontSize = 11.0;
constexpr uint32_t kSystemFont = 0;

// A control described without a font draws its title in the system font: without one its
// title would not be drawn at all.
LFont FontOrSystem(const LFont& font)
{
    return font.Get() ? font : LFont(kSystemFont);
}
// Enabled and context active, neither mouse-transparent bit: the native control takes input.
constexpr LPaneFlags kEnabledMask = kPaneEnabled | kPaneHostActive | kPaneTransparent | kPaneInTransparent;
constexpr LPaneFlags kEnabledWanted = kPaneEnabled | kPaneHostActive;

CLRect BoundsOf(const LRegion& region)
{
    return region.IsEmpty() ? CLRect{} : region.GetBounds();
}

CLRect Intersection(CLRect a, const CLRect& b)
{
    a.Intersect(b);
    return a.IsEmpty() ? CLRect{} : a;
}

} // namespace

LStdCtl::LStdCtl(LPane* parent, const LStdCtlDesc& desc)
    : LPane(parent, parent), fFont(FontOrSystem(desc.font)), fTimer(this)
{
    if (!parent || desc.kind != LStdCtlDesc::kWrap)
        return;
    const LPaneContext context = LPaneContext::FromPane(*this);
    fHostView = context.view;
    fNative = desc.view;
    if (!fNative)
        return;
    fNative->postsFrameChanged = false;
    fNative->postsBoundsChanged = false;
    if (plat::Control* control = NativeControl()) {
        control->SetEnabled((Flags() & kEnabledMask) == kEnabledWanted);
        control->SetFont(fFont.GetNSFont());
        control->SetAction([this] { Action(); });
        UpdateControlSize();
    }
    if (ControlKeys::IsKeyboardControl(*this)) {
        SetState(kEventTakeFocus);
        SetFlagBits(kPaneTabOnly, true);
    }
}

LStdCtl::~LStdCtl()
{
    if (fNative) {
        if (plat::Control* control = NativeControl())
            control->SetAction(nullptr);
        fNative->RemoveFromSuperview();
        fNative.Reset();
    }
    DropClipView();
}

LStdCtlDesc LStdCtl::WrapNew(const LStdCtlDesc& desc, std::unique_ptr<plat::Control> model, uint32_t options)
{
    if (desc.kind == LStdCtlDesc::kWrap)
        return desc;
    LStdCtlDesc wrapped;
    const plat::Ref<plat::ControlView> view = plat::ControlView::Make(plat::Rect{0, 0, 1, 1}, std::move(model));
    wrapped.InitWrap(view.Get(), options, desc.font);
    return wrapped;
}

LStdCtlDesc LStdCtl::NewWithFont(uint32_t fontId)
{
    LStdCtlDesc desc;
    desc.InitNew(0, LFont(fontId));
    return desc;
}

plat::Control* LStdCtl::NativeControl() const
{
    auto* view = dynamic_cast<plat::ControlView*>(fNative.Get());
    return view ? &view->Model() : nullptr;
}

void LStdCtl::SetTitle(const std::string& text)
{
    plat::Control* control = NativeControl();
    if (control && control->Title() != text)
        control->SetTitle(text);
}

std::string LStdCtl::GetTitle() const
{
    const plat::Control* control = NativeControl();
    return control ? control->Title() : std::string();
}

void LStdCtl::UpdateControlSize()
{
    plat::Control* control = NativeControl();
    if (!control)
        return;
    const bool small = kSmallSystemFontSize >= fFont.GetPointSize();
    control->SetControlSize(small ? plat::Control::Size::Small : plat::Control::Size::Regular);
}

void LStdCtl::DropClipView()
{
    if (!fClipView)
        return;
    fClipView->RemoveFromSuperview();
    fClipView.Reset();
}

bool LStdCtl::HostIsBeingDrawn() const
{
    const plat::CurrentDrawing* drawing = plat::CurrentDrawing::Get();
    if (!drawing || !drawing->view)
        return false;
    for (const plat::View* view = fHostView; view; view = view->Superview())
        if (view == drawing->view)
            return true;
    return false;
}

void LStdCtl::SyncNativeFrame()
{
    if (!fNative)
        return;
    CLRect r = GetNativeFrame();
    if (!HasFlags(kPaneShown | kPaneHostShown) || r.IsEmpty()) {
        fNative->RemoveFromSuperview();
        DropClipView();
        return;
    }
    if (HostIsBeingDrawn()) {
        // Moving views while the host draws would disturb the pass: place the view later.
        fNative->SetFrame(plat::Rect{0, 0, double(r.Width()), double(r.Height())});
        fTimer.Start(0, 0);
        return;
    }
    const LPaneContext context = LPaneContext::FromPane(*this);
    r.Offset(context.originX, context.originY);
    const CLRect visible = Intersection(r, BoundsOf(context.clip));
    if (visible.IsEmpty() || !fHostView) {
        fNative->RemoveFromSuperview();
        DropClipView();
    } else if (!WantsClipView() && visible == r) {
        if (fNative->Superview() != fHostView)
            fHostView->AddSubview(fNative.Get());
        fNative->SetFrame(RectToNSRect(r, static_cast<int32_t>(fHostView->Frame().height)));
        DropClipView();
    } else {
        const plat::Rect clipFrame = RectToNSRect(visible, static_cast<int32_t>(fHostView->Frame().height));
        if (fClipView) {
            fClipView->SetFrame(clipFrame);
        } else {
            fClipView = plat::View::Make(clipFrame);
            fHostView->AddSubview(fClipView.Get());
        }
        if (fNative->Superview() != fClipView.Get())
            fClipView->AddSubview(fNative.Get());
        r.Offset(-visible.left, -visible.top);
        fNative->SetFrame(RectToNSRect(r, static_cast<int32_t>(clipFrame.height)));
    }
    if (auto* view = dynamic_cast<plat::ControlView*>(fNative.Get()))
        view->SyncSize();
}

void LStdCtl::RedisplayInWindow()
{
    if (!fNative || !fNative->GetWindow())
        return;
    if (plat::View* content = fNative->GetWindow()->ContentView())
        content->SetNeedsDisplayInRect(fNative->ConvertRectToWindow(fNative->Bounds()));
}

void LStdCtl::InvalidateShape()
{
    SyncNativeFrame();
    if (Host()) {
        const LRegion shape = GetShape(Rect());
        Host()->Invalidate(shape, shape);
    }
}

void LStdCtl::StateChanged(int32_t event)
{
    if (!fNative)
        return;
    ControlKeys::SyncFocusRing(*this);
    const bool shownInHost = HasFlags(kPaneShown | kPaneHostShown);
    switch (event) {
    case kEventShow:
        if (shownInHost)
            SyncNativeFrame();
        break;
    case kEventHostShow:
        if (shownInHost) {
            SyncNativeFrame();
            RedisplayInWindow();
        }
        break;
    case kEventHide:
        if (HasFlags(kPaneHostShown))
            InvalidateShape();
        break;
    case kEventHostHide:
        if (IsShown()) {
            RedisplayInWindow();
            InvalidateShape();
        }
        break;
    case kEventEnable: case kEventDisable: case kEventActivate: case kEventDeactivate:
    case kEventTransparent: case kEventNotTransparent: case kEventInTransparent: case kEventNotInTransparent:
        if (plat::Control* control = NativeControl()) {
            const bool wanted = (Flags() & kEnabledMask) == kEnabledWanted;
            if (control->IsEnabled() != wanted) {
                control->SetEnabled(wanted);
                fNative->SetNeedsDisplay();
            }
        }
        break;
    case kEventMoved:
        SyncNativeFrame();
        break;
    case kEventFocus:
    case kEventUnfocus:
        LPane::StateChanged(event);
        break;
    case kEventPrefsChanged:
        if (plat::Control* control = NativeControl())
            control->SetFont(fFont.GetNSFont());
        UpdateControlSize();
        break;
    default:
        break;
    }
}

void LStdCtl::RectChanged(const CLRect&)
{
    SyncNativeFrame();
}

bool LStdCtl::Overlaps(const LRegion& region) const
{
    if (!IsShown())
        return false;
    return region.Intersects(BoundsOf(GetShape(Rect())));
}

void LStdCtl::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, kMouseClick) && fNative && IsFullyActive()) {
        const CLPoint point = MouseInPane(*this);
        if (!fNative->GetWindow())
            SyncNativeFrame();
        FocusOnClick();
        ForwardMouseDown(result, point);
        return;
    }
    if (ControlKeys::PressBySpace(*this, msg)) {
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == &fTimer && StrEqual(msg.type, kTimerExpire)) {
        SyncNativeFrame();
        LMessage::Clear(result);
        return;
    }
    LPane::HandleMessage(result, msg);
}

void LStdCtl::ForwardMouseDown(LMessage& result, const CLPoint&)
{
    plat::Ref<plat::View> keep = fNative;
    if (const plat::Event* event = CurrentMouseEvent(); keep && event)
        keep->MouseDown(*event);
    LMessage::Clear(result);
}

void LStdCtl::Action()
{
    LMessage::Send(LMessage(msgSelected, this, Parent()));
}

void LStdCtl::DrawSelf(LPortState& port) const
{
    // A view in a window draws itself; one outside (an off-screen pass) is drawn here.
    const plat::Control* control = NativeControl();
    if (!control || fNative->GetWindow() || !port.Context())
        return;
    LOriginScope origin(port.OffsetOrigin(Rect().left, Rect().top));
    LPortStateScope saved(port);
    const_cast<plat::Control*>(control)->SetSize(double(Rect().Width()), double(Rect().Height()));
    control->Draw(*port.Context());
    control->DrawFocusRing(*port.Context());
}

CLPoint LStdCtl::NaturalSize() const
{
    const plat::Control* control = NativeControl();
    if (!control)
        return {};
    const plat::Rect size = control->NaturalSize();
    return {static_cast<int32_t>(size.width), static_cast<int32_t>(size.height)};
}

int32_t LStdCtl::BaselineOffset(int32_t height) const
{
    const plat::Font* font = fFont.GetNSFont();
    if (!font)
        return 0;
    const double ascender = font->Ascender();
    const double descender = -font->Descender();
    return static_cast<int32_t>(std::trunc(ascender + (descender - ascender + height) * 0.5));
}

int32_t LStdCtl::ReferenceWidth(const char* text) const
{
    const plat::Font* font = fFont.GetNSFont();
    return font ? static_cast<int32_t>(std::ceil(font->Advance(text))) : 0;
}

int32_t LStdCtl::FontLineHeight() const
{
    const plat::Font* font = fFont.GetNSFont();
    return font ? static_cast<int32_t>(std::ceil(font->LineHeight())) : 0;
}
