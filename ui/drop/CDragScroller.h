#pragma once
#include "foundation/core/LHandler.h"
#include "ui/drop/CDropReceiver.h"
#include "ui/drop/CScrollHelper.h"

#include <cstdint>

class LListPane;

// Scrolls a list while a drag hovers near its edges, and sorts the drag messages for the
// list's owner: enter (2), leave (3), a drag step the owner accepted (4), a drop the owner
// accepted (5), sensing (1), anything else 0.
class CDragScroller : public CDropReceiver, public LHandler {
public:
    explicit CDragScroller(LListPane* list);

    uint32_t DropPhase(const LMessage& msg);
    // Whether the owner accepted the drag: the insertion indicator shows.
    bool IndicatorActive() const { return fIndicatorActive; }
    void SetIndicatorActive(bool active) { fIndicatorActive = active; }
    const CScrollHelper& Scroller() const { return fScroller; }

    // Scrolls the list by the helper's directions, in cells, kept in range.
    void HandleMessage(LMessage& result, const LMessage& msg) override;

protected:
    LListPane* List() const { return fList; }
    // The current drag's point in the coordinates of the list's rectangle.
    CLPoint DragPointInList() const;

private:

    LListPane* fList;
    CScrollHelper fScroller;
    bool fIndicatorActive = false;
};
