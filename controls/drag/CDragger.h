#pragma once
#include "controls/drag/CDragItemList.h"
#include "foundation/core/LRef.h"
#include "foundation/geometry/LRegion.h"
#include "foundation/holders/CCFRef.h"
#include "ui/draw/LOffscreen.h"
#include "ui/panes/LPane.h"

#include <functional>
#include <memory>

class MDragSrc;
namespace plat {
class DragSession;
}

// A temporary pane that turns a press into a drag. Made at the press, it takes the mouse
// capture, waits until the mouse moved 4 pixels and then announces "CDragger_Drag" so that its
// creator fills in the items and the outline region; when that message comes back, it runs
// the drag with the items on the drag pasteboard. "CDragger_End" ends every gesture (with
// result 0 when the mouse was released before a drag began); the dragger then deletes itself.
class CDragger : public LPane {
public:
    static const char* msgDrag;
    static const char* msgEnd;
    enum : uint32_t { kNoDrag = 0, kNoOperation = 1, kAccepted = 2 };
    static constexpr int32_t kDragDistance = 4;

    // Plays the pointer of a running drag until it ends (the window system's part) and
    // answers whether the drop was performed; without one the drag is cancelled at once.
    // The program installs the user's pointer at start-up; tests may play a script instead.
    using DragRunner = std::function<bool(plat::DragSession&)>;
    static void SetDragRunner(DragRunner runner);

    // The parent is the creator; the dragger is drawn nowhere and has no host.
    explicit CDragger(LPane* parent);
    // Lets go of the mouse capture when it still holds it.
    ~CDragger() override;

    // True while the window system plays the drag.
    bool IsRunning() const { return fRunning; }
    // The creator goes away while the drag runs: the dragger forgets it, empties the drag's
    // data so that no target takes it, and deletes itself when the drag returns.
    void Abandon();

    uint32_t Result() const { return fResult; }
    CLPoint StartPoint() const { return fStartPoint; }
    // The creator's part, before letting "CDragger_Drag" pass.
    void SetItems(CDragItemList* items) { fItems = LRef(items); }
    CDragItemList* Items() const { return static_cast<CDragItemList*>(fItems.Get()); }
    // The outline of what is dragged, in screen coordinates.
    void SetRegion(const LRegion& region) { fRegion = region; }
    // The picture that travelled with the last drag.
    const LOffscreen& DragImage() const { return fImage; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    void RunDrag(LMessage& result);
    void MakeDragImage();

    bool fRunning = false;
    bool fAbandoned = false;
    LHandler* fStandIn = nullptr;  // holds the capture while the drag runs
    uint32_t fResult = kNoDrag;
    CLPoint fStartPoint;
    LRef fItems;
    LRegion fRegion;
    CCFRef fEvent;
    std::unique_ptr<MDragSrc> fSource;
    LOffscreen fImage;
};
