#pragma once
#include "platform/Geometry.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace plat {

class Event;
class Window;
class WindowBackend;
enum class OrderPlace;

// What observers of the window list hear.
enum class WindowNotice { BecameKey, BecameMain, ResignedKey, ResignedMain, WillClose };

// The model of the desktop's window system: which windows are on screen in which order,
// which one is key (takes the keyboard) and which main (the focus of the user's work).
//
// Rules: windows are ordered front to back, every window in front of all windows of a lower
// level; ordering a window in puts it at the front (or back) of its level. Only titled or
// resizable windows become key; panels never become main. When the key or main window
// leaves the screen, the front-most window that can takes its place. While the application
// is hidden no window is on screen; while it is inactive the panels that hide on
// deactivation are off screen. Main thread only.
class WindowServer {
public:
    static WindowServer& Shared();

    // Window bookkeeping (called by Window): a fresh window number for each window.
    uint32_t Register(Window* window);
    void Unregister(Window* window);
    void LevelChanged(Window& window);
    // The window's frame, title or bar changed: the backend's surface follows.
    void FrameChanged(Window& window);

    Window* WithNumber(uint32_t number) const;
    // Numbers of the windows on screen, front to back.
    std::vector<uint32_t> WindowNumbers() const;
    // The windows ordered in, front to back, on screen or not (hidden application).
    std::vector<Window*> OrderedWindows() const { return fOrder; }
    bool IsVisible(const Window& window) const;
    // The front-most on-screen window whose frame holds the screen point, skipping windows
    // that ignore the mouse; null when none.
    Window* WindowAtPoint(const Point& screenPoint) const;
    // Where a mouse event happened on the screen: a window's events come in its base
    // coordinates, even when the pointer is outside it; others as they came.
    Point ScreenLocation(const Event& event) const;

    void OrderFront(Window& window);
    void OrderBack(Window& window);
    void OrderOut(Window& window);
    // Puts the window directly below or above the other window (of the same level); without
    // such a window, at the front of its level. OrderPlace::Out orders it out.
    void OrderRelative(Window& window, OrderPlace place, uint32_t otherNumber);

    Window* KeyWindow() const { return fKey; }
    Window* MainWindow() const { return fMain; }
    void MakeKey(Window& window);
    void MakeMain(Window& window);

    bool IsActive() const { return fActive; }
    void SetActive(bool active);
    bool IsHidden() const { return fHidden; }
    void SetHidden(bool hidden);
    // Iconifies the window or brings it back; an iconified window gives up the keyboard.
    void SetIconified(Window& window, bool iconified);
    // Test setting: windows ordered in while stalled never reach the screen.
    void SetPresentationStalled(bool stalled) { fStalled = stalled; }

    using Observer = std::function<void(WindowNotice, Window&)>;
    int AddObserver(Observer observer);
    void RemoveObserver(int token);
    void Notify(WindowNotice notice, Window& window);

    // The backend that shows the windows; null installs the headless one.
    void SetBackend(WindowBackend* backend);
    WindowBackend& Backend() const;
    // Moves input the backend gathered into the event queue.
    void PollInput();
    // Before a wait for events: paints the windows that need it (when displaying before
    // waits is on, as on the desktop), then polls the input, so that nothing the display
    // connection already read waits with us.
    void PrepareToWait();
    // On the desktop the calling thread's run loop prepares so before every sleep, whatever
    // waits (an event wait, a menu's, a modal session's): what a timer or a source changed
    // is painted at once rather than at the next input event. Main thread.
    void SetDisplaysBeforeWait(bool on);

    // Where the pointer is, in screen coordinates: the backend's answer, else the place the
    // model last saw it (the test driver's person moves it there); none before either knows.
    std::optional<Point> PointerLocation() const;
    void NotePointerLocation(const Point& screen) { fPointer = screen; }

    // Forgets ordering, focus, the pointer and application state (tests).
    void Reset();

private:
    WindowServer();
    bool OnScreen(const Window& window) const;
    void Insert(Window& window, bool atFrontOfLevel);
    void Remove(Window& window);
    void SetKey(Window* window);
    void SetMain(Window* window);
    void ChooseSuccessors(bool hadKey, bool hadMain);
    void UpdateAllSurfaces();

    std::vector<Window*> fAll;
    std::vector<Window*> fOrder;         // front to back
    std::vector<Window*> fStalledOut;    // ordered in while presentation was stalled
    Window* fKey = nullptr;
    Window* fMain = nullptr;
    uint32_t fNextNumber = 1;
    bool fActive = true;
    bool fHidden = false;
    bool fStalled = false;
    bool fDisplaysBeforeWait = false;
    std::vector<std::pair<int, Observer>> fObservers;
    int fNextToken = 1;
    WindowBackend* fBackend = nullptr;
    std::optional<Point> fPointer;
};

} // namespace plat
