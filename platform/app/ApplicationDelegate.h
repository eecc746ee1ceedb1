#pragma once
#include "platform/menus/MenuActions.h"

#include <string>

namespace plat {

// What the application tells the program about its life cycle, in the order a desktop
// program expects: will finish launching, open each file named at launch, did finish
// launching, open an untitled document when no file was named; then activation, update
// passes and, when a quit is asked for, the should-terminate question. The delegate is the
// last object of the responder chain, so untargeted menu actions reach it.
class ApplicationDelegate : public ActionResponder {
public:
    enum class TerminateReply { Cancel = 0, Now = 1 };

    virtual void WillFinishLaunching() {}
    virtual void DidFinishLaunching() {}
    // A file to open (an absolute path); the answer says whether it was taken.
    virtual bool OpenFile(const std::string& path) { (void)path; return false; }
    virtual bool OpenUntitledFile() { return false; }
    // Asked for every quit request (the Quit command, a termination signal).
    virtual TerminateReply ShouldTerminate() { return TerminateReply::Now; }
    virtual void WillTerminate() {}
    virtual void DidBecomeActive() {}
    virtual void DidResignActive() {}
    // The application is about to update its windows (asked for with SetWindowsNeedUpdate).
    virtual void WillUpdate() {}

    // Help could not be shown: the help file at the path is missing, or no opener started.
    enum class HelpProblem { Missing, NoOpener };
    virtual void HelpNotShown(HelpProblem problem, const std::string& path) { (void)problem; (void)path; }

    bool RespondsTo(std::string_view action) const override { (void)action; return false; }
    void Perform(std::string_view action, MenuItem* sender) override { (void)action; (void)sender; }
};

} // namespace plat
