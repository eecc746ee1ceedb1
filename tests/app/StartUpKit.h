#pragma once
// The application started from the packed resource file, with the window and application
// models reset around each test.
#include "app/CApp.h"
#include "app/CreateGlobals.h"
#include "platform/app/ApplicationDriver.h"
#include "platform/resources/ResourceFile.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/resources/LResourceChain.h"
#include "tests/support/LocaleEnvironmentTest.h"

// The packed resource file open as the program's, and the window and application models
// reset around each test.
class StartUp : public LocaleEnvironmentTest {
protected:
    StartUp()
    {
        const int saved = plat::CurrentResourceFile();
        plat::ResourceStatus status;
        fRef = plat::OpenResourceFile(plat::ProgramResourcePath(), &status);
        plat::UseResourceFile(saved);
        SetProgramResourceFile(fRef);
    }
    ~StartUp() override
    {
        DestroyGlobals();
        SetProgramResourceFile(0);
        plat::CloseResourceFile(fRef);
    }
    static bool AllNull(const SonalyxGlobals& g)
    {
        return !g.processInfo && !g.stdFolders && !g.mouse && !g.keyboard && !g.desktop && !g.defaultResources &&
               !g.regionalResources && !g.resourceChain && !g.loopWaker && !g.clipboard && !g.midiClient &&
               !g.sharesGLContext && !g.app;
    }

    plat::WindowTestDriver windows;
    plat::ApplicationDriver application;

private:
    int fRef = 0;
};
