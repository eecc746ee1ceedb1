#include "controls/drag/CDragger.h"
#include "controls/drag/MDragSrc.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "platform/draw/Canvas.h"
#include "platform/window/DragSession.h"
#include "platform/window/Pasteboard.h"
#include "shell/mainloop/CMacMainLoop.h"
#include "ui/draw/PixelRects.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

const char* CDragger::msgDrag = "CDragger_Drag";
const char* CDragger::msgEnd = "CDragger_End";

namespace {

constexpr const char* kMouseMove = "LMouse_Move";
constexpr const char* kMouseRelease = "LMouse_Release";

CDragger::DragRunner& Runner()
{
    static CDragger::DragRunner runner;
    return runner;
}

} // namespace

void CDragger::SetDragRunner(DragRunner runner)
{
    Runner() = std::move(runner);
}

CDragger::CDragger(LPane* parent) : LPane(parent, nullptr)
{
    if (const LMouse* mouse = LMouse::Current()) {
        fEvent.Assign(mouse->event);
        fStartPoint = mouse->location;
    }
    LMessage::Send(LMessage(msgReqCapture, this, Parent()));
}

CDragger::~CDragger()
{
    if (LMouse* mouse = LMouse::Current(); mouse && mouse->Capture() == this)
        mouse->SetCapture(nullptr);
}

void CDragger::Abandon()
{
    fAbandoned = true;
    SetParent(nullptr);
    if (fStandIn)
        fStandIn->SetParent(nullptr);
    plat::Pasteboard::Drag().Clear();
}

void CDragger::HandleMessage(LMessage& result, const LMessage& msg)
{
    const LMouse* mouse = LMouse::Current();
    if (mouse && msg.subject == mouse) {
        if (StrEqual(msg.type, kMouseMove)) {
            const int32_t distance =
                std::max(std::abs(mouse->location.x - fStartPoint.x), std::abs(mouse->location.y - fStartPoint.y));
            if (distance < kDragDistance)
                LMessage::Clear(result);
            else
                LMessage::Make(result, msgDrag, this, Parent());
            return;
        }
        if (StrEqual(msg.type, kMouseRelease)) {
            LMessage::Make(result, msgEnd, this, Parent());
            return;
        }
    }
    if (msg.subject == this && StrEqual(msg.type, msgDrag)) {
        RunDrag(result);
        if (fAbandoned) {
            LMessage::Clear(result);
            delete this; // nobody is left to end the gesture
        }
        return;
    }
    if (msg.subject == this && StrEqual(msg.type, msgEnd)) {
        LMessage::Clear(result);
        delete this; // the dragger lives for one gesture
        return;
    }
    LPane::HandleMessage(result, msg);
}

void CDragger::MakeDragImage()
{
    CLRect r = fRegion.GetBounds();
    if (r.IsEmpty())
        r = {0, 0, 1, 1};
    fImage = LOffscreen();
    fImage.Create(uint32_t(r.Width()), uint32_t(r.Height()), 32, false, LOffscreen::kPremultipliedAlpha);
    plat::Canvas* canvas = fImage.LockContext();
    if (!canvas)
        return;
    canvas->ClearRect(plat::Rect{0, 0, double(r.Width()), double(r.Height())});
    if (!fRegion.IsEmpty()) {
        LRegion shape = fRegion;
        shape.Offset(-r.left, -r.top);
        canvas->SetFillColor(plat::Color{0x80 / 255.0, 0x80 / 255.0, 0x80 / 255.0, 0.25});
        canvas->FillRects(PixelRects(shape));
    }
    fImage.UnlockContext();
}

void CDragger::RunDrag(LMessage& result)
{
    {
        // The capture moves to a stand-in for the length of the drag.
        LHandler standIn(Parent());
        fStandIn = &standIn;
        fRunning = true;
        LMouse* mouse = LMouse::Current();
        if (mouse && mouse->Capture() == this)
            mouse->SetCapture(&standIn);

        plat::Pasteboard& pasteboard = plat::Pasteboard::Drag();
        pasteboard.Clear();
        pasteboard.SetData(plat::Pasteboard::kTypeData, {});
        const bool localOnly = Items() ? Items()->WriteToPasteboard(pasteboard) : false;
        MakeDragImage();

        CMacMainLoop::SetDragActive(true);
        fSource = std::make_unique<MDragSrc>(localOnly);
        // Every window of the program is inside the application: a local drag.
        plat::DragSession session(pasteboard, fSource->OperationMask(true));
        const bool dropped = Runner() ? Runner()(session) : false;
        if (!dropped)
            session.Cancel();
        fSource->DraggedImageEnded(dropped ? session.Operation() : plat::kDragNone);
        fResult = fSource->Operation() == plat::kDragNone ? kNoOperation : kAccepted;
        CMacMainLoop::SetDragActive(false);
        if (mouse && mouse->Capture() == &standIn)
            mouse->SetCapture(nullptr); // the stand-in goes now: no capture may point at it
        fRunning = false;
        fStandIn = nullptr;
    }
    LMessage::Make(result, msgEnd, this, Parent());
}
