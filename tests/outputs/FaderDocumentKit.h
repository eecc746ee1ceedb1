#pragma once
// A document whose faders a window shows in their editor, as the program opens one: the
// record, its undo queue and the window with the fader frame filling it.
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "foundation/geometry/LRegion.h"
#include "foundation/core/StrEqual.h"
#include "outputs/editor/CFaderFrame.h"
#include "shell/mainloop/CMainLoopBase.h"
#include "shell/windows/CNativeWindowKind.h"
#include "tests/outputs/ConsoleTestKit.h"
#include "ui/frames/LFrame.h"

#include <initializer_list>
#include <memory>
#include <string>

// The application's part for panes: it gives the mouse capture and the focus to the pane
// that asks.
class PaneRequests : public LHandler {
public:
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        auto* pane = dynamic_cast<LPane*>(msg.subject);
        if (pane && StrEqual(msg.type, LPane::msgReqCapture)) {
            CMainLoopBase::SetMouseCapture(pane);
            LMessage::Clear(result);
        } else if (pane && StrEqual(msg.type, LPane::msgReqFocus)) {
            pane->SetState(kEventFocus);
            LMessage::Clear(result);
        } else {
            LHandler::HandleMessage(result, msg);
        }
    }
};

// One document with its undo queue, in a window of its own showing its fader editor.
struct FaderDocument {
    FaderDocument(const CLRect& content, const CNativeWindowKind* kind)
    {
        undo.SetParent(&app);
        window = std::make_unique<LFrame>(&undo, nullptr, LWindowDef(1, kind));
        window->SetWindowContentRect(content);
        window->ShowWindow();
        frame = std::make_unique<CFaderFrame>(window.get(), window.get(), record);
        frame->SetRect({0, 0, int32_t(content.Width()), int32_t(content.Height())});
    }
    ~FaderDocument()
    {
        frame.reset();
        window.reset();
    }
    // Appends faders with the given one-letter names.
    void Add(const std::string& names)
    {
        for (char name : names) {
            const int32_t row = record.AppendFader(nullptr);
            LObject::SetString(record.Fader(row), nullptr, kFadrName, LStringRef(std::string(1, name)),
                               LObject::Merge::No);
        }
    }
    std::string Names() const
    {
        std::string names;
        for (int32_t i = 0; i < record.FaderCount(); ++i)
            names += std::string(record.Fader(i)->GetString(kFadrName).View());
        return names;
    }
    CFaderList& List() { return frame->List(); }

    PaneRequests app;
    LByteBuffer bytes;
    ConsoleDoc undo{bytes};
    CFaderSetRecord record;
    std::unique_ptr<LFrame> window;
    std::unique_ptr<CFaderFrame> frame;
};

inline LRegion RowSet(std::initializer_list<int32_t> rows)
{
    LRegion region;
    for (int32_t row : rows)
        region.Union(LRegion(CLRect{0, row, 1, row + 1}));
    return region;
}
