#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LStringRef.h"

class LMenu;
class LMenuBar;

// Finds the menu bar and the menu that serve a handler: a message climbs from the handler's
// parent; the first menu on the way with the wanted name (any menu when the name is empty)
// and the bar at the top record themselves.
class LMenuTracer : public LHandler {
public:
    static const char* msgTrace;

    // The menu found on the way up from the handler's parent (null when none); the bar at
    // the top goes to `bar` when given.
    static LMenu* Trace(LHandler* handler, const char* menuName, LMenuBar** bar = nullptr);

    void Offer(LMenu* menu);
    void Offer(LMenuBar* bar);
    LMenu* FoundMenu() const { return fMenu; }
    LMenuBar* FoundBar() const { return fBar; }

private:
    explicit LMenuTracer(const char* name) : fName(name) {}

    LStringRef fName;
    LMenu* fMenu = nullptr;
    LMenuBar* fBar = nullptr;
};
