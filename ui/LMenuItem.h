#pragma once
#include "foundation/core/LHandler.h"

// One item of a menu, the subject of "LMenuItem_Selected".
// NOTE: only the part the undo queue uses; the menus module fills in the rest.
class LMenuItem : public LHandler {
public:
    using LHandler::LHandler;
    // Whether the item carries the command name.
    virtual bool HasCommand(const char* command) const = 0;
};
