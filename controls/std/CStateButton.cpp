#include "controls/std/CStateButton.h"

#include "controls/std/PaneMouse.h"
#include "foundation/async/LTicks.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "platform/controls/Button.h"
#include "ui/LImage.h"

const char* CStateButton::msgPush = "CStateButton_Push";
const char* CStateButton::msgUnpush = "CStateButton_Unpush";
const char* CStateButton::msgDblClk = "CStateButton_DblClk";

namespace {

constexpr const char* kMouseClick = "LMouse_Click";
constexpr const char* kMouseMove = "LMouse_Move";
constexpr const char* kMouseRelease = "LMouse_Release";

std::unique_ptr<plat::Control> MakeSquareButton(uint32_t options)
{
    auto button = std::make_unique<plat::Button>(plat::Button::Kind::PushOnOff);
    button->SetTitle("");
    button->SetBezel(plat::Button::Bezel::SquareShadowless);
    if (options & CStateButton::kMini)
        button->SetControlSize(plat::Control::Size::Mini);
    return button;
}

} // namespace

CStateButton::CStateButton(LPane* parent, const LStdCtlDesc& desc, uint32_t options)
    : LStdCtl(parent, WrapNew(desc, MakeSquareButton(options), 0)), fMini(options & kMini),
      fClickCookie(LTicks::Now())
{
    if (fMini)
        if (plat::Control* control = NativeControl())
            control->SetControlSize(plat::Control::Size::Mini);
}

CStateButton::~CStateButton()
{
    SetImage(LImageRef());
}

plat::Button* CStateButton::NativeButton() const
{
    return dynamic_cast<plat::Button*>(NativeControl());
}

void CStateButton::InvalidateIfOffscreen()
{
    if (NativeView() && !NativeView()->GetWindow())
        Invalidate(LRegion(Rect()), LRegion());
    else if (NativeView())
        NativeView()->SetNeedsDisplay();
}

void CStateButton::SetImage(const LImageRef& image)
{
    if (!NativeView() || image.Get() == fImage.Get())
        return;
    InvalidateIfOffscreen();
    fImage = image;
}

void CStateButton::SetOn(int32_t n)
{
    if (plat::Button* button = NativeButton()) {
        button->SetState(n == 1 ? 1 : 0);
        InvalidateIfOffscreen();
    }
}

void CStateButton::SetStateBits(uint32_t value, uint32_t mask)
{
    const uint32_t wanted = value & mask;
    if ((fStateBits & mask) == wanted)
        return;
    fStateBits = (fStateBits & ~mask) | wanted;
    if (plat::Button* button = NativeButton()) {
        button->SetHighlighted(value & kPushed);
        NativeView()->SetNeedsDisplay();
    }
    if (mask & kReport)
        LMessage::Send(LMessage(value ? msgPush : msgUnpush, this, Parent()));
}

void CStateButton::ForwardMouseDown(LMessage& result, const CLPoint&)
{
    // The framework tracks this button itself: push, and ask for the mouse until the release.
    SetStateBits(kPushed, kPushed | kReport);
    LMessage::Make(result, msgReqCapture, this, Parent());
}

void CStateButton::HandleMessage(LMessage& result, const LMessage& msg)
{
    LMouse* mouse = LMouse::Current();
    if (StrEqual(msg.type, kMouseClick) && mouse && msg.subject == mouse) {
        if (mouse->IsDoubleClick(fClickCookie)) {
            LMessage::Make(result, msgDblClk, this, Parent());
            return;
        }
        LStdCtl::HandleMessage(result, msg);
        return;
    }
    if (StrEqual(msg.type, kMouseMove) && mouse && msg.subject == mouse) {
        SetStateBits(Rect().Contains(MouseInPane(*this)) ? uint32_t(kPushed) : 0u, kPushed | kReport);
        LMessage::Clear(result);
        return;
    }
    if (StrEqual(msg.type, kMouseRelease) && mouse && msg.subject == mouse) {
        SetStateBits(0, kPushed | kReport);
        if (Rect().Contains(MouseInPane(*this)))
            LMessage::Make(result, msgSelected, this, Parent());
        else
            LMessage::Clear(result);
        return;
    }
    if (msg.subject == this && StrEqual(msg.type, msgDblClk) && mouse) {
        // Nobody took the double click: it acts as a plain click.
        LStdCtl::HandleMessage(result, LMessage(kMouseClick, mouse, Parent()));
        return;
    }
    LStdCtl::HandleMessage(result, msg);
}

CLPoint CStateButton::ImageSize() const
{
    const uint64_t size = fImage->GetSize();
    return {static_cast<int32_t>(size & 0xFFFFFFFF), static_cast<int32_t>(size >> 32)};
}

int32_t CStateButton::PrefWidth(LPaneContext*, int32_t hint)
{
    if (hint == -13)
        return ReferenceWidth("M");
    if (hint == -11)
        return fMini ? 2 : 5;
    if (!GetTitle().empty())
        return NaturalSize().x;
    return ImageSize().x + (fMini ? 4 : 10);
}

int32_t CStateButton::PrefHeight(LPaneContext* context, int32_t hint)
{
    if (hint == -12)
        return BaselineOffset(static_cast<int32_t>(Rect().Height()));
    if (hint == -10)
        return BaselineOffset(PrefHeight(context, 0));
    if (!fImage->IsValid())
        return FontLineHeight() + 4 + (fMini ? 0 : 2);
    return ImageSize().y + (fMini ? 4 : 10);
}
