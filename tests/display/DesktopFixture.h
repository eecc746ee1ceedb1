#pragma once
#include "platform/Geometry.h"
#include "platform/draw/Bitmap.h"
#include "platform/values/ValueRef.h"
#include "platform/window/Window.h"
#include "platform/window/sdl/XServerDriver.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// The display tests' world: the desktop backend on the X server the test command started,
// a person's input through XTest, and screenshots of the root window.
class DesktopTest : public testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Serves the event loop as the program does until the condition holds or the time is
    // up; true when it held.
    static bool RunUntil(const std::function<bool()>& done, int limitMs = 5000);
    // A titled, closable, resizable document window with the menu bar, key and in front.
    plat::Ref<plat::Window> ShowDocument(const plat::Rect& content, const std::string& title);
    // How many pixels of the window's area on the screen differ from its image.
    int ScreenDifference(const plat::Window& window);
    // Waits until the screen shows exactly the windows' images.
    bool ScreenShows(const std::vector<const plat::Window*>& windows);
    // Runs a helper program to its end while the event loop is served; answers its exit
    // status and, when asked, its standard output.
    int RunTool(std::vector<std::string> argv, std::string* output = nullptr, const std::string& input = {});

    plat::XServerDriver fX;
    std::vector<plat::Ref<plat::Window>> fWindows;
};
