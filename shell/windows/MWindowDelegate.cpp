#include "shell/windows/MWindowDelegate.h"
#include "foundation/core/LMessage.h"
#include "platform/Clock.h"
#include "platform/controls/TextFieldView.h"
#include "platform/window/View.h"
#include "shell/windows/LDrop.h"
#include "platform/window/Window.h"
#include "ui/frames/LWindowPlacer.h"
#include "ui/windows/LWindow.h"

#include <algorithm>
#include <cmath>

void MWindowDelegate::Send(const char* type) const
{
    if (mOwner)
        LMessage::Send(LMessage(type, mOwner, mOwner->GetOwner()));
}

bool MWindowDelegate::ShouldClose(plat::Window&)
{
    Send(LWindow::msgClose);
    return false;
}

plat::Size MWindowDelegate::WillResize(plat::Window& window, const plat::Size& frameSize)
{
    if (!mOwner)
        return frameSize;
    const plat::Rect proposed = window.ContentRectForFrameRect(plat::Rect{0, 0, frameSize.width, frameSize.height});
    LWindowPlacer placer(mOwner, true);
    LMessage::Send(LMessage(LWindowPlacer::msgGrow, &placer, mOwner->GetOwner()));
    const auto requestedWidth = static_cast<int32_t>(std::lround(proposed.width));
    const auto requestedHeight = static_cast<int32_t>(std::lround(proposed.height));
    placer.width = placer.ClampWidth(requestedWidth);
    placer.height = placer.ClampHeight(requestedHeight);
    LMessage::Send(LMessage(LWindowPlacer::msgSizing, &placer, mOwner->GetOwner()));
    const plat::Rect frame = window.FrameRectForContentRect(plat::Rect{0, 0, double(placer.width), double(placer.height)});
    return plat::Size{frame.width, frame.height};
}

void MWindowDelegate::DidResize(plat::Window&)
{
    Send(LWindow::msgPlace);
}

void MWindowDelegate::DidMove(plat::Window&)
{
    Send(LWindow::msgPlace);
}

void MWindowDelegate::DidBecomeMain(plat::Window&)
{
    mLastMain = plat::NowMs();
    Send(LWindow::msgActivate);
}

void MWindowDelegate::DidResignMain(plat::Window&)
{
    Send(LWindow::msgDeactivate);
}

void MWindowDelegate::DidBecomeKey(plat::Window& window)
{
    Send(LWindow::msgFocus);
    if (!window.FirstResponder() && window.ContentView())
        window.MakeFirstResponder(window.ContentView());
}

void MWindowDelegate::DidResignKey(plat::Window&)
{
    Send(LWindow::msgUnfocus);
}

plat::View* MWindowDelegate::FieldEditor(plat::Window&, plat::View* client)
{
    const auto* field = dynamic_cast<const plat::TextFieldView*>(client);
    if (!field || field->IsSecure())
        return nullptr;
    if (!mEditor)
        mEditor = plat::FieldEditorView::Make();
    mEditor->SetFieldEditor(!field->IsMultiLine());
    return mEditor.Get();
}

uint32_t MWindowDelegate::DraggingEntered(const plat::DraggingInfo& info)
{
    return mDrop ? mDrop->DraggingEntered(info) : plat::kDragNone;
}

uint32_t MWindowDelegate::DraggingUpdated(const plat::DraggingInfo& info)
{
    return mDrop ? mDrop->DraggingUpdated(info) : plat::kDragNone;
}

void MWindowDelegate::DraggingExited(const plat::DraggingInfo& info)
{
    if (mDrop)
        mDrop->DraggingExited(info);
}

bool MWindowDelegate::PrepareForDragOperation(const plat::DraggingInfo& info)
{
    return mDrop && mDrop->PrepareForDragOperation(info);
}

bool MWindowDelegate::PerformDragOperation(const plat::DraggingInfo& info)
{
    return mDrop && mDrop->PerformDragOperation(info);
}
