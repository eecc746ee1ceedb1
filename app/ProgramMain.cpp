#include "app/ProgramMain.h"
#include "app/CommandLine.h"
#include "platform/app/Application.h"
#include "platform/app/ApplicationMain.h"
#include "platform/app/SingleInstance.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/MenuBarHost.h"
#include "platform/menus/MenuActions.h"
#include "platform/resources/ResourceFile.h"
#include "platform/runloop/RunLoop.h"
#include "platform/system/SystemInfo.h"
#include "platform/window/ControlsReport.h"
#include "platform/window/DesktopStart.h"
#include "platform/window/FieldEditorActions.h"
#include "shell/app/AppDelegate.h"
#include "app/CApp.h"
#include "app/CreateGlobals.h"
#include "shell/menus/ProgramMainMenu.h"
#include "shell/system/LSystemInfo.h"
#include "ui/frames/FrameTexts.h"

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

// Answers the requests that end before the program starts: help, version, a bad option.
bool AnswerCommandLine(const CommandLine& line, int& exitStatus)
{
    switch (line.request) {
    case CommandLineRequest::Help: std::fputs(UsageText().c_str(), stdout); exitStatus = 0; return true;
    case CommandLineRequest::Version: std::printf("sonalyx %s\n", plat::BuildVersion().c_str()); exitStatus = 0; return true;
    case CommandLineRequest::Invalid:
        std::fprintf(stderr, "sonalyx: unknown option %s (sonalyx --help lists the options)\n", line.badOption.c_str());
        exitStatus = kExitUsage;
        return true;
    case CommandLineRequest::Run: break;
    }
    return false;
}

// A later launch hands its files to the running program and ends.
int HandToRunningProgram(const plat::SingleInstance& instance, int argc, char** argv)
{
    if (instance.HandOff(plat::PathOperands(argc, argv)))
        return 0;
    std::fprintf(stderr, "sonalyx: the running program did not take the files\n");
    return 1;
}

int RunApplication(int argc, char** argv)
{
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
    plat::MenuBarHost::SetEnabled(true);
    plat::ControlsReport::SetWindowTexts(ReportedFrameTexts);
    const int exitStatus = plat::ApplicationMain(argc, argv, delegate);
    plat::MenuBarHost::SetEnabled(false);
    plat::ControlsReport::SetWindowTexts(nullptr);
    plat::Application::Shared().SetDelegate(nullptr);
    plat::SetNilTargetResolver(nullptr, nullptr);
    plat::SetMainMenu(nullptr);
    SetProgramResourceFile(0);
    plat::CloseResourceFile(resources);
    return exitStatus;
}

} // namespace

int RunProgram(int argc, char** argv)
{
    if (int exitStatus = 0; AnswerCommandLine(ParseCommandLine(argc, argv), exitStatus))
        return exitStatus;
    plat::SingleInstance instance("sonalyx");
    if (instance.GetRole() == plat::SingleInstance::Role::Secondary)
        return HandToRunningProgram(instance, argc, argv);
    const plat::DesktopStartResult desktop = plat::StartDesktop();
    if (desktop.kind == plat::DesktopKind::NoDisplay) {
        std::fprintf(stderr, "%s\n", NoDisplayText(desktop.reason).c_str());
        return kExitNoDisplay;
    }
    // Only a person at a real desktop can answer the save question a termination signal asks.
    plat::Application::Shared().SetCanAskQuestions(desktop.kind == plat::DesktopKind::Desktop);
    instance.Listen(plat::RunLoop::Current());
    const int exitStatus = RunApplication(argc, argv);
    plat::StopDesktop();
    return exitStatus;
}

