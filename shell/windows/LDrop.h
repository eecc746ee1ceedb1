#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "foundation/geometry/CLPoint.h"
#include "shell/windows/CScrapAcs_Cca.h"

#include <cstdint>

namespace plat {
class Window;
struct DraggingInfo;
}

// The drop target of one window: turns the window's drag callbacks into "LDrop_*" messages,
// finds the pane under the drag, tells panes when the drag enters, moves over and leaves
// them, answers which operation the drop would be and shows the matching cursor. Drop panes
// register with it; a window that wants no drops consumes "LDrop_EnterWin". Main thread.
class LDrop : public LHandler, public SSLink {
public:
    static const char* msgEnterWin;
    static const char* msgSense;
    static const char* msgEnter;
    static const char* msgDrag;
    static const char* msgLeave;
    static const char* msgDrop;

    // What a pane answers for the current drag.
    enum AcceptKind : int32_t { kRefuse = 0, kAsSource = 1, kMove = 2, kCopy = 3, kCopyPlus = 4, kLink = 5 };
    // The cursor a drag shows.
    enum class DropCursor { Arrow, DragCopy, Plus, DragLink };

    explicit LDrop(plat::Window* window);

    void HandleMessage(LMessage& result, const LMessage& msg) override;

    // A drop pane of the window registers; the first makes the window take drags of any data.
    void Register();
    // Answers whether registrations remain; the last one stops the window taking drags.
    bool Unregister();
    // The current pane's answer; also shows the matching cursor.
    void SetAccept(int32_t kind);
    // The drag moved over pane: it gets "LDrop_Enter" when it is new (the old one "LDrop_Leave"),
    // then "LDrop_Drag".
    void EnterPane(LHandler* pane);
    // The drag left pane: "LDrop_Leave" when it is the current pane.
    void LeavePane(LHandler* pane);
    // A pane that goes away while the drag is over it: forgotten without a message.
    void ForgetPane(const LHandler* pane);
    bool IsCopyOnly() const { return (fSourceMask & 23) == 1; }
    bool IsShiftDown() const;

    // The window's drag callbacks.
    uint32_t DraggingEntered(const plat::DraggingInfo& info);
    uint32_t DraggingUpdated(const plat::DraggingInfo& info);
    void DraggingExited(const plat::DraggingInfo& info);
    bool PrepareForDragOperation(const plat::DraggingInfo& info);
    bool PerformDragOperation(const plat::DraggingInfo& info);

    uint32_t RegistrationCount() const { return fCount; }
    bool Accepting() const { return fAccepting; }
    int32_t AcceptKind() const { return fAcceptKind; }
    plat::Window* Window() const { return fWindow; }
    const CLPoint& DragPoint() const { return fDragPoint; }
    LHandler* CurrentPane() const { return fPane; }
    uint32_t SourceMask() const { return fSourceMask; }
    const CScrapAcs_Cca& Pasteboard() const { return fPasteboard; }
    // The cursor the drag shows now.
    DropCursor Cursor() const { return fCursor; }
    // The operation the window answers for the accept kind.
    uint32_t Operation() const;

private:
    void Update(const plat::DraggingInfo& info);
    void Sense();
    LHandler* PaneUnderDragPoint() const;
    void ShowCursor(DropCursor cursor);

    uint32_t fCount = 0;
    bool fAccepting = false;
    int32_t fAcceptKind = kRefuse;
    plat::Window* fWindow;
    CLPoint fDragPoint;
    const plat::DraggingInfo* fInfo = nullptr;
    LHandler* fPane = nullptr;
    uint32_t fSourceMask = 0;
    CScrapAcs_Cca fPasteboard;
    DropCursor fCursor = DropCursor::Arrow;
};
