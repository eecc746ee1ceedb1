#pragma once
#include "ui/panes/LPane.h"

// A pane whose drawing is done by a client callback with the client's context.
class CDrawProcPane : public LPane {
public:
    using DrawProc = void (*)(void* context, CDrawProcPane& pane, LPortState& port);

    CDrawProcPane(LHandler* parent, LPane* host) : LPane(parent, host) {}

    // The owner sets both before the pane is drawn.
    void* context = nullptr;
    DrawProc drawProc = nullptr;

    // With a callback, calls it with the clip narrowed to the pane; else draws nothing.
    void DrawSelf(LPortState& port) const override;
};
