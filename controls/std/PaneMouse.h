#pragma once
#include "foundation/geometry/CLPoint.h"

class LPane;
namespace plat {
class Event;
}

// The mouse position of the program's mouse state in the coordinates of a pane's rectangle
// (its host's coordinates); (0, 0) without a mouse state or a window.
CLPoint MouseInPane(const LPane& pane);

// The platform event the mouse state holds (the press being handled), or null.
const plat::Event* CurrentMouseEvent();
