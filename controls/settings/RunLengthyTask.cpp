#include "controls/settings/RunLengthyTask.h"
#include "foundation/async/LEvent.h"
#include "foundation/text/LStrList.h"
#include "ui/panes/LPaneFlags.h"
#include "platform/Clock.h"
#include "platform/app/Application.h"
#include "platform/threads/Thread.h"
#include "shell/CThread.h"
#include "shell/LMainSignal.h"
#include "shell/mainloop/CMainLoopBase.h"
#include "ui/LTimer.h"
#include "controls/settings/CSimpleProgressDialog.h"

namespace {

constexpr uint64_t kQuietWaitMs = 1000;
constexpr uint32_t kWaitWindowKind = 2;
constexpr const char* kTextsName = "CLENGTHYTASK";
constexpr uint32_t kTitleItem = 0;
constexpr uint32_t kMessageItem = 1;
// How long one wait on the worker lasts before the clock is read again.
constexpr uint32_t kPollMs = 10;

// Lives on the caller's stack for the whole run. The worker writes the result before it sets
// the event and signals the main thread; the caller reads it only after either.
struct TaskRecord {
    int32_t result = 0;
    LEvent finished{true};
    CThread worker;
    LMainSignal doneSignal;
    bool done = false; // written and read on the caller's thread only
    void* argument = nullptr;
    LengthyTaskFunction function = nullptr;
};

void WorkerBody(void* context)
{
    auto* task = static_cast<TaskRecord*>(context);
    task->result = task->function(task->argument);
    task->finished.Signal();
    task->doneSignal.Signal();
    // Ends a modal step's wait for events too, so that the wait dialog closes at once.
    plat::Application::PostEvent(0, 0, 0, false);
}

void MarkDone(void* context) { static_cast<TaskRecord*>(context)->done = true; }

// Waits for the worker by the program's clock: true when it finished within the quiet time
// counted from `start`.
bool WaitQuietly(TaskRecord& task, uint64_t start)
{
    while (!task.finished.Wait(kPollMs))
        if (plat::NowMs() - start >= kQuietWaitMs)
            return false;
    return true;
}

// The wait dialog: the progress dialog with the texts of "CLENGTHYTASK", no button and an
// indeterminate bar.
void WaitWithDialog(TaskRecord& task, LHandler* application)
{
    CSimpleProgressDialog dialog(application, kWaitWindowKind);
    LStrList texts({0, kTextsName}, nullptr, kStrListDialogTexts);
    dialog.SetTitle(texts.GetItem(kTitleItem));
    dialog.Button().SetState(kEventHide);
    dialog.Progress().SetMax(0);
    dialog.SetMessage(texts.GetItem(kMessageItem));
    while (!task.done && !task.finished.IsSignalled())
        (void)dialog.ModalStep(LTimer::kMaxDelay);
    dialog.HideWindow();
}

} // namespace

int32_t RunLengthyTask(void* argument, LengthyTaskFunction function)
{
    TaskRecord task;
    task.argument = argument;
    task.function = function;
    task.doneSignal.Init(&task, MarkDone);
    const uint64_t start = plat::NowMs();
    plat::ThreadPriority priority;
    const bool samePriority = plat::CurrentThreadPriority(priority);
    if (!task.worker.Start(&task, WorkerBody, samePriority ? &priority : nullptr))
        return function(argument); // no thread to be had: block here rather than fail
    if (!WaitQuietly(task, start)) {
        if (LHandler* application = GetAppHandler())
            WaitWithDialog(task, application);
        else
            while (!task.finished.Wait(kPollMs)) {}
    }
    task.worker.Stop();
    return task.result;
}
