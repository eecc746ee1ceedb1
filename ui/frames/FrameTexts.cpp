#include "ui/frames/FrameTexts.h"
#include "platform/window/ControlsReport.h"
#include "platform/window/Window.h"
#include "ui/frames/LFrame.h"
#include "ui/panes/LCaptionPane.h"
#include "ui/windows/LWindow.h"

namespace {

// The captions among the shown panes of the frame and of the frames it holds; `content` is the
// window's inside on the screen (bottom-left origin), where the frame's top-left corner lies.
void PutCaptions(const LFrame& frame, const plat::Rect& content, std::string& out)
{
    for (SSLink* link : frame.Children()) {
        const auto* pane = static_cast<const LPane*>(link);
        if (!pane->IsShown())
            continue;
        if (const auto* caption = dynamic_cast<const LCaptionPane*>(pane); caption && !caption->Text().IsEmpty()) {
            const CLPoint at = caption->OriginIn(nullptr);
            const double width = double(caption->Rect().Width()), height = double(caption->Rect().Height());
            const plat::Rect screen{content.x + at.x, content.y + content.height - at.y - height, width, height};
            out += plat::ControlsReport::TextLine(screen, std::string(caption->Text().View()));
        }
        if (const auto* inner = dynamic_cast<const LFrame*>(pane))
            PutCaptions(*inner, content, out);
    }
}

} // namespace

std::string ReportedFrameTexts(const plat::Window& window)
{
    const LWindow* owner = LWindow::FindByNative(&window);
    const auto* frame = owner ? dynamic_cast<const LFrame*>(owner->GetOwner()) : nullptr;
    std::string out;
    if (frame)
        PutCaptions(*frame, window.ContentRect(), out);
    return out;
}
