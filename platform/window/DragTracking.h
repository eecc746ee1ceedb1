#pragma once

namespace plat {

class DragSession;

// A drag as the user plays it with the pointer. From the event that started it, the drag
// follows the pointer in screen coordinates (the pressed window keeps receiving the moves,
// so its window-relative positions are mapped to the screen) over every window of the
// program, until the button comes up, where it drops; Escape cancels, and so does a move
// with the button no longer held (its release was lost). The cursor shows whether the place
// under the pointer takes the drop: the target's own cursor, or "not allowed" where nothing
// does. Input comes from the event queue either backend fills; other events wait there until
// the drag ends, and the release is left for the program to see. Main thread only.
namespace DragTracking {

// Runs the drag to its end; answers whether the drop was performed.
bool Run(DragSession& session);
// True while a drag runs.
bool IsRunning();

} // namespace DragTracking

} // namespace plat
