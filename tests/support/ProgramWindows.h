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
    // How a person opens the window when neither a menu item offered from the start nor a
    // button of the document window does: steps played on the running program, in order.
    //   "menu MENU>ITEM"  chooses the item of the document window's menu
    //   "press TITLE"     clicks the front window's control with the title
    //   "pick ROW"        opens the front window's first pop-up list and clicks the row
    //   "answer TITLE>BUTTON"  clicks the button when the front window has the title (a
    //                     question that is only asked at times)
    //   "at X,Y"          clicks the front window at the point from its content's top-left
    //   "key NAME"        taps the key (an X key name, "ctrl+w" for a chord)
    //   "type TEXT"       types the text, a key at a time
    std::vector<std::string> way = {};
    // Controls of this window a person leaves alone here (the document would go with them).
    std::vector<std::string> leave = {};
};

// Every window of the program, each once.
const std::vector<ProgramWindow>& ProgramWindows();

// The layouts that place panes inside a window and make no window of their own.
const std::vector<std::string>& PaneLayouts();
