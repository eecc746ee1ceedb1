#pragma once
// Shared by the SDL backend's files only: SDL and X11 types stay inside platform/window/sdl.
#include "platform/Geometry.h"
#include "platform/values/ValueRef.h"
#include "platform/window/sdl/SdlBackend.h"

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct SDL_SysWMinfo;

namespace plat {

class Cursor;
class Event;
class EventQueue;
class FdSource;
class Window;

// The desktop window that shows one model window.
struct SdlSurface {
    SDL_Window* sdl = nullptr;
    SDL_Rect applied{};  // the client geometry last set or last reported by the window manager
    std::string title;
    bool shown = false;
    bool popUp = false;
    bool geometryQueued = false; // the model takes the reported geometry after the batch
    bool placing = false;        // shown, and the window manager has not yet placed its frame
    bool everShown = false;      // the window manager has had the window once
};

// The edges a window manager's frame adds left of and above the window it holds.
struct FrameEdges {
    int left = 0;
    int top = 0;
};

struct SdlBackend::Impl {
    std::map<uint32_t, SdlSurface> surfaces; // by model window number
    std::unique_ptr<FdSource> displaySource;
    std::vector<std::function<void()>> windowManagerActions; // run after a batch is posted
    std::vector<std::string> droppedFiles;
    uint64_t clipboardChanges = 1;
    uint32_t front = 0;   // the model window last raised
    int keyObserver = 0;
    bool focusLost = false;
    // The X server time of the person's last input the backend read; 0 before any.
    unsigned long userTime = 0;
    // The windows the program asked the window manager to give the keyboard, oldest first,
    // with when it asked (platform ms): their focus reports only confirm the program's choice.
    std::vector<std::pair<uint32_t, uint64_t>> keyboardAsked;
    // The frame edges the window manager gave the last decorated window of each kind (its
    // creation flags), and whether it tells them before a window shows.
    std::map<Uint32, FrameEdges> frameEdges;
    std::optional<bool> answersEdgeQuestions;

    Ref<Cursor> shownCursor;
    std::map<int, SDL_Cursor*> systemCursors;
    SDL_Cursor* imageCursor = nullptr;

    // The model window shown by an SDL window; null for none.
    Window* ModelWindow(uint32_t sdlWindowId) const;
    SdlSurface* SurfaceOf(uint32_t windowNumber);
    // Height of the model's main screen, which turns top-down desktop coordinates into the
    // model's bottom-up ones.
    static double MainHeight();
};

// The X display and window that show an SDL window; nulls when there are none.
SDL_SysWMinfo WindowInfo(SDL_Window* sdl);

// The client rectangle (top-left origin, desktop pixels) that shows a model window: its
// content with the menu bar above it.
SDL_Rect ClientRectOf(const Window& window);
// A point of a window's client area as the model's window base coordinates.
Point ClientToBase(const Window& window, double x, double y);

// Translates one SDL input event into model events posted to the queue; window-manager
// changes and drops are queued on the backend as actions. Answers whether it used the event.
// `next` is the event after it in the batch (null at the end) so that a key press and the
// text it typed become one key event; *consumedNext tells that it was used.
bool TranslateInput(SdlBackend::Impl& impl, EventQueue& queue, const SDL_Event& event, const SDL_Event* next,
                    bool* consumedNext);
// Asks the window manager to give a shown model window the keyboard (it raises it too),
// unless it has it and no other request is on its way.
void GiveKeyboard(SdlBackend::Impl& impl, uint32_t windowNumber);
// Whether a focus report on the window answers a request of GiveKeyboard; the requests up to
// it are then answered. Requests the window manager left unanswered for a while lapse.
bool AnswersKeyboardRequest(SdlBackend::Impl& impl, uint32_t windowNumber);

// Makes the model's current cursor the desktop's when it changed.
void ApplyCursor(SdlBackend::Impl& impl);
void ReleaseCursors(SdlBackend::Impl& impl);

} // namespace plat
