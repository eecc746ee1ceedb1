#include "app/CreateGlobals.h"
#include "analysis/gl/SharedGLContext.h"
#include "controls/drag/CDragger.h"
#include "controls/panels/CColorPanelRunner.h"
#include "controls/panels/CFilePanelRunner.h"
#include "controls/panels/CFontPanelRunner.h"
#include "foundation/async/LLoopWaker.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "foundation/text/FileNameText.h"
#include "outputs/midi/CMIDIClient.h"
#include "platform/window/DragTracking.h"
#include "app/CApp.h"
#include "shell/files/LProcessInfo.h"
#include "shell/files/LStdFolders.h"
#include "shell/gl/CGLContext.h"
#include "shell/resources/LLocale.h"
#include "shell/resources/LRegionalResSource.h"
#include "shell/resources/LResFileSource.h"
#include "shell/resources/LResourceChain.h"
#include "shell/windows/CDesktop.h"
#include "ui/clipboard/LClipboard.h"

namespace {

int gResourceFile = 0;
// The display code's slot of the shared OpenGL context.
CGLContext* gSharedGLSlot = nullptr;

template <typename T>
void Destroy(T*& global)
{
    delete global;
    global = nullptr;
}

void MakeResourceChain(SonalyxGlobals& g)
{
    const uint32_t region = LLocale::ChooseRegion(LLocale::UserLocale());
    g.defaultResources = new LResFileSource(0);
    g.regionalResources = new LRegionalResSource(g.processInfo->resourceFile, region);
    g.resourceChain = new LResourceChain;
    g.resourceChain->Add(g.defaultResources);
    g.resourceChain->Add(g.regionalResources);
    LResourceSource::SetGlobal(g.resourceChain);
}

} // namespace

SonalyxGlobals& Globals()
{
    static SonalyxGlobals globals;
    return globals;
}

void SetProgramResourceFile(int ref) { gResourceFile = ref; }

int CreateGlobals()
{
    SonalyxGlobals& g = Globals();
    g.processInfo = new LProcessInfo;
    g.processInfo->resourceFile = gResourceFile;
    g.stdFolders = new LStdFolders(&g.processInfo->applicationUrl);
    g.mouse = new LMouse;
    g.keyboard = new LKeyboard;
    g.desktop = new CDesktop;
    MakeResourceChain(g);
    g.loopWaker = new LLoopWaker;
    g.clipboard = new LClipboard;
    {
        const LStringRef name = FileNameOfPath(g.processInfo->applicationUrl);
        g.midiClient = new CMIDIClient(name.IsEmpty() ? "Sonalyx" : name.Text());
    }
    CGLContext::SetShared(GetSharedGLContext(gSharedGLSlot));
    g.sharesGLContext = true;
    g.app = new CApp;
    // The standard panels are shown to the user by the program's own windows.
    InstallFilePanelRunner();
    InstallColorPanelRunner();
    InstallFontPanelRunner();
    // Drags follow the user's pointer.
    CDragger::SetDragRunner(&plat::DragTracking::Run);
    return 0;
}

void DestroyGlobals()
{
    SonalyxGlobals& g = Globals();
    RemoveFontPanelRunner();
    RemoveColorPanelRunner();
    RemoveFilePanelRunner();
    CDragger::SetDragRunner(nullptr);
    Destroy(g.app);
    if (g.sharesGLContext) {
        CGLContext::SetShared(nullptr); // the context itself lives on
        g.sharesGLContext = false;
    }
    Destroy(g.midiClient);
    Destroy(g.clipboard);
    Destroy(g.loopWaker);
    if (g.resourceChain && LResourceSource::Global() == g.resourceChain)
        LResourceSource::SetGlobal(nullptr);
    Destroy(g.resourceChain);
    Destroy(g.regionalResources);
    Destroy(g.defaultResources);
    Destroy(g.desktop);
    Destroy(g.keyboard);
    Destroy(g.mouse);
    Destroy(g.stdFolders);
    Destroy(g.processInfo);
}
