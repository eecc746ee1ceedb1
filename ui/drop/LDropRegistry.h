#pragma once

namespace plat {
class Window;
}
class LDrop;

// Counts, per native window, the panes that accept drops, so that a window takes drags
// exactly while at least one of its panes does. Main thread.
class LDropRegistry {
public:
    // Finds or makes the window's drop target and registers one more pane with it.
    static void Register(plat::Window* window);
    // Takes one registration back; the window's drop target goes with the last one.
    static void Unregister(plat::Window* window);
    // The drop target of the window, or null.
    static LDrop* Find(const plat::Window* window);
    // True while a drag is over any registered window.
    static bool IsDragActive();
};
