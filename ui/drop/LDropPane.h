#pragma once
#include "ui/panes/LPane.h"

#include <cstdint>

class LDrop;

// A pane that takes drops for its owner: the drag messages of the window's drop target become
// the owner's "LDropPane_Enter", "LDropPane_Drag", "LDropPane_Leave" and "LDropPane_Drop"; the
// owner answers with SetDropCursor. While an accepted drag is over it the pane draws a
// highlight ring inside its rectangle. Its window takes drags while the pane exists.
class LDropPane : public LPane {
public:
    static const char* msgEnter;
    static const char* msgDrag;
    static const char* msgLeave;
    static const char* msgDrop;

    // The ring is 4 x ringSize - 2 pixels wide.
    LDropPane(LPane* parent, uint8_t ringSize);
    ~LDropPane() override;

    // During a drag: the owner's answer (an accept kind, 0 refuses), passed on to the drag.
    void SetDropCursor(uint32_t kind);
    bool IsHighlighted() const { return fHighlight; }
    uint32_t Answer() const { return fAnswer; }
    LDrop* CurrentDrag() const { return fDrag; }
    // The band the highlight fills, in host coordinates.
    LRegion HighlightRegion() const;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    void RectChanged(const CLRect& old) override;
    bool Overlaps(const LRegion& region) const override;
    void DrawSelf(LPortState& port) const override;

private:
    bool HandleDrag(LMessage& result, const LMessage& msg);
    bool ModalWindowInFront() const;
    void SetHighlight(bool on);
    void Resense();

    uint8_t fHighlight = 0;
    uint8_t fRingSize;
    uint32_t fAnswer = 0;
    LDrop* fDrag = nullptr;
    plat::Window* fWindow = nullptr; // the window registered for drops
};
