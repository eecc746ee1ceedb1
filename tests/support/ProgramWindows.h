#pragma once
#include <functional>
#include <string>
#include <vector>

class CApp;
class CSpecWindow;
class LFrame;
namespace plat {
class ApplicationDriver;
class WindowTestDriver;
} // namespace plat

// The running program a window is opened in: the application, one document window, and the
// drivers that play the user while a modal window runs.
struct ProgramWindowsHost {
    CApp& app;
    CSpecWindow& document;
    plat::ApplicationDriver& user;
    plat::WindowTestDriver& windows;
};

// Called with the window while it shows, laid out as the person first sees it.
using WindowVisit = std::function<void(LFrame&)>;

// One window the program can open: every layout that makes a window, the open, save, colour
// and font panels, and the message boxes.
struct ProgramWindow {
    std::string name;                // as a person knows it
    std::string layout;              // the 'TLYO' list that lays it out; empty for panels
    std::vector<std::string> menu;   // the titles a person chooses below the application or a
                                     // document menu; empty when another window opens it
    // Opens the window as the program does, visits it once while it shows, and closes it.
    std::function<void(ProgramWindowsHost&, const WindowVisit&)> open;
    // The title the window shows when the program opens it for a person (a new document's),
    // for tests that find it on the screen.
    std::string title = {};
    // The button of the window a person opens it from when no menu item does; empty for none.
    std::string button = {};
    // The menu item chosen next when the first one only prepares the window (the item whose
    // shortcut is assigned); empty for none.
    std::vector<std::string> thenMenu = {};
};

// Every window of the program, each once.
const std::vector<ProgramWindow>& ProgramWindows();

// The layouts that place panes inside a window and make no window of their own.
const std::vector<std::string>& PaneLayouts();
