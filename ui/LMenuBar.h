#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LStringRef.h"

// The application's menu bar as command handlers see it while "LMenuBar_Ready" climbs their
// chain (the bar is the message's subject): each handler enables the commands it serves.
// NOTE: only the part the undo queue uses; the menus module fills in the rest.
class LMenuBar : public LHandler {
public:
    using LHandler::LHandler;
    // Enables every item carrying the command; a non-empty title becomes the item's title.
    virtual void EnableCommand(const char* command, const LStringRef& title) = 0;
};
