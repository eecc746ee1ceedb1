#pragma once
#include "platform/controls/FieldEditorView.h"
#include "platform/window/WindowDelegate.h"

#include <cstdint>
#include <optional>

class LDrop;
class LWindow;

// The delegate of every framework window: turns the window's callbacks into framework
// messages with the LWindow as subject and its frame as recipient. Main thread only.
class MWindowDelegate : public plat::WindowDelegate {
public:
    // A window that became main less than this long ago does not take a first click.
    static constexpr uint64_t kFirstMouseDelayMs = 100;

    explicit MWindowDelegate(LWindow* owner) : mOwner(owner) {}

    LWindow* Owner() const { return mOwner; }
    LDrop* Drop() const { return mDrop; }
    void RegisterDrop(LDrop* drop) { mDrop = drop; }
    // Platform milliseconds of the last time the window became main; none when it never did.
    std::optional<uint64_t> LastMain() const { return mLastMain; }

    // "LWindow_Close"; the framework closes windows itself, so the answer is always false.
    bool ShouldClose(plat::Window& window) override;
    // Negotiates the content size with the frame's panes (minimum wins over maximum).
    plat::Size WillResize(plat::Window& window, const plat::Size& frameSize) override;
    void DidResize(plat::Window& window) override;
    void DidMove(plat::Window& window) override;
    void DidBecomeMain(plat::Window& window) override;
    void DidResignMain(plat::Window& window) override;
    void DidBecomeKey(plat::Window& window) override;
    void DidResignKey(plat::Window& window) override;
    // One editor for every text field of the window, made on first use and set to the asking
    // field's line mode; secure fields and other clients get none (they keep their own).
    plat::View* FieldEditor(plat::Window& window, plat::View* client) override;
    plat::FieldEditorView* SharedEditor() const { return mEditor.Get(); }

    // Drags go to the window's drop target; without one the window takes none.
    uint32_t DraggingEntered(const plat::DraggingInfo& info) override;
    uint32_t DraggingUpdated(const plat::DraggingInfo& info) override;
    void DraggingExited(const plat::DraggingInfo& info) override;
    bool PrepareForDragOperation(const plat::DraggingInfo& info) override;
    bool PerformDragOperation(const plat::DraggingInfo& info) override;

private:
    void Send(const char* type) const;

    LWindow* mOwner;
    LDrop* mDrop = nullptr;
    plat::Ref<plat::FieldEditorView> mEditor;
    std::optional<uint64_t> mLastMain;
};
