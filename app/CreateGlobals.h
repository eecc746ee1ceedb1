#pragma once

class CApp;
class CDesktop;
class CMIDIClient;
class LClipboard;
class LKeyboard;
class LLoopWaker;
class LMouse;
class LProcessInfo;
class LRegionalResSource;
class LResFileSource;
class LResourceChain;
class LStdFolders;

// The process-wide services, each null before start-up and after shut-down.
struct SonalyxGlobals {
    LProcessInfo* processInfo = nullptr;
    LStdFolders* stdFolders = nullptr;
    LMouse* mouse = nullptr;
    LKeyboard* keyboard = nullptr;
    CDesktop* desktop = nullptr;
    LResFileSource* defaultResources = nullptr;
    LRegionalResSource* regionalResources = nullptr;
    LResourceChain* resourceChain = nullptr;
    LLoopWaker* loopWaker = nullptr;
    LClipboard* clipboard = nullptr;
    CMIDIClient* midiClient = nullptr;
    bool sharesGLContext = false;
    CApp* app = nullptr;
};
SonalyxGlobals& Globals();

// The resource file the services read; the program opens it before start-up (0: none).
void SetProgramResourceFile(int ref);

// Makes the services in order, the application object last; answers 0. The resource chain
// becomes the application's resource source.
int CreateGlobals();
// Destroys the services in the reverse order; services that were never made are skipped.
void DestroyGlobals();
