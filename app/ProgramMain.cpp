#include "app/ProgramMain.h"
#include "platform/app/Application.h"
#include "platform/app/ApplicationMain.h"
#include "platform/app/SingleInstance.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/MenuActions.h"
#include "platform/resources/ResourceFile.h"
#include "platform/runloop/RunLoop.h"
#include "platform/window/FieldEditorActions.h"
#include "shell/app/AppDelegate.h"
#include "app/CApp.h"
#include "app/CreateGlobals.h"
#include "shell/menus/ProgramMainMenu.h"
#include "shell/system/LSystemInfo.h"

#include <cstdio>

namespace {

const char* StatusText(plat::ResourceStatus status)
{
    switch (status) {
    case plat::ResourceStatus::Corrupt: return "the file is damaged";
    case plat::ResourceStatus::Duplicate: return "the file holds a resource twice";
    default: return "no such file";
    }
}

void StartServices()
{
    (void)CreateGlobals();
    if (AppDelegate* delegate = AppDelegate::Current(); delegate && Globals().app)
        delegate->SetMain(&Globals().app->MainLoop());
}

void StopServices()
{
    if (AppDelegate* delegate = AppDelegate::Current())
        delegate->SetMain(nullptr);
    DestroyGlobals();
}

// Menu actions without a target go to the focused text field's editor (the editing actions),
// else to the application's delegate when it serves them.
plat::ActionResponder* ResolveNilTarget(void* context, std::string_view action)
{
    if (plat::ActionResponder* editor = plat::FieldEditorResponder(action))
        return editor;
    auto* responder = static_cast<plat::ActionResponder*>(context);
    return responder->RespondsTo(action) ? responder : nullptr;
}

// A later launch hands its files to the running program and ends.
int HandToRunningProgram(const plat::SingleInstance& instance, int argc, char** argv)
{
    if (instance.HandOff(plat::PathOperands(argc, argv)))
        return 0;
    std::fprintf(stderr, "sonalyx: the running program did not take the files\n");
    return 1;
}

} // namespace

int RunProgram(int argc, char** argv)
{
    plat::SingleInstance instance("sonalyx");
    if (instance.GetRole() == plat::SingleInstance::Role::Secondary)
        return HandToRunningProgram(instance, argc, argv);
    instance.Listen(plat::RunLoop::Current());
    LSystemInfo::Query(LSystemInfo::Global());
    const std::string path = plat::ProgramResourcePath();
    plat::ResourceStatus status = plat::ResourceStatus::NotFound;
    const int resources = plat::OpenResourceFile(path, &status);
    if (resources <= 0) {
        std::fprintf(stderr, "sonalyx: cannot open the resource file %s: %s\n", path.c_str(), StatusText(status));
        return 1;
    }
    SetProgramResourceFile(resources);
    AppDelegate delegate(StartServices, StopServices);
    plat::SetMainMenu(MakeProgramMainMenu());
    plat::SetNilTargetResolver(ResolveNilTarget, &delegate);
    plat::Application::Shared().SetDelegate(&delegate);
    const int exitStatus = plat::ApplicationMain(argc, argv, delegate);
    plat::Application::Shared().SetDelegate(nullptr);
    plat::SetNilTargetResolver(nullptr, nullptr);
    plat::SetMainMenu(nullptr);
    SetProgramResourceFile(0);
    plat::CloseResourceFile(resources);
    return exitStatus;
}
