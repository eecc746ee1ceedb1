#pragma once
#include "platform/menus/MenuActions.h"
#include "platform/values/ValueRef.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace plat {

class ApplicationDelegate;
class Event;
class Window;

// A modal session of one window: begun by BeginModalSession, run step by step, ended by
// EndModalSession.
struct ModalSession {
    const void* window = nullptr;
    bool stopped = false;
    int code = 0;
};

// The running application: its delegate, the quit protocol, activation, the update pass,
// application-defined events and modal sessions. One instance; main thread only, except
// PostEvent, which any thread may call.
class Application final : public ActionResponder {
public:
    // RunModalSession's answer while the session goes on.
    static constexpr int kRunContinues = -1002;
    static constexpr int kRunStopped = -1000;
    // The code of modal sessions ended by a quit that does not ask.
    static constexpr int kRunAborted = -1001;

    static Application& Shared();

    ApplicationDelegate* Delegate() const { return fDelegate; }
    void SetDelegate(ApplicationDelegate* delegate) { fDelegate = delegate; }

    // Actions the application performs itself: terminate:, showHelp:, hide:,
    // hideOtherApplications:, unhideAllApplications:. Menu items aimed at it are validated
    // by its delegate.
    bool RespondsTo(std::string_view action) const override;
    void Perform(std::string_view action, MenuItem* sender) override;
    bool ValidateMenuItem(const MenuItem& item) const override;

    // Asks the delegate whether to quit; when it agrees, tells it the application will
    // terminate and ends the run. False when the quit was cancelled.
    bool Terminate();
    // Quits without asking the delegate anything: every modal session ends with kRunAborted,
    // sessions begun later end at once, and the next pass of the run tells the delegate that
    // the application will terminate. Safe from inside a question (a nested run).
    void TerminateWithoutAsking();
    bool IsTerminatingWithoutAsking() const { return fQuitWithoutAsking; }
    // Asks to quit as the Quit command does, but only once no question is open: open questions
    // end first as if cancelled (a quit asked from inside one would close the windows the
    // question belongs to while it still runs). Safe from inside a question.
    void TerminateOnceNoQuestionIsOpen();
    // Whether open questions are being ended as if cancelled: by a quit without asking, or
    // before a quit that asks.
    bool IsCancellingQuestions() const { return fQuitWithoutAsking || fQuitAfterQuestions; }
    // Whether a person can be shown a question (a desktop shows the windows). False until the
    // desktop's backend says so; a quit request that cannot be answered must not wait for one.
    bool CanAskQuestions() const { return fCanAskQuestions; }
    void SetCanAskQuestions(bool can) { fCanAskQuestions = can; }
    bool IsRunning() const { return fRunning; }
    bool HasTerminated() const { return fTerminated; }
    // Starts a run (ApplicationMain does): running, not terminated.
    void BeginRun();
    void EndRun() { fRunning = false; }
    // One pass of the run: the update pass when asked for, then the next event (waiting a
    // second at most) delivered. False once the application has terminated.
    bool RunOnce();

    bool IsActive() const { return fActive; }
    // Becomes the active application (or not), telling the delegate when that changes.
    void SetActive(bool active);

    // Asks for one update pass: the delegate's WillUpdate comes before the next wait.
    void SetWindowsNeedUpdate(bool need) { fNeedsUpdate = need; }
    bool WindowsNeedUpdate() const { return fNeedsUpdate; }
    // Runs the update pass when one was asked for.
    void UpdateWindows();

    // Posts an application-defined event (at the front when asked); it wakes a wait for
    // events. Any thread.
    static void PostEvent(int16_t subtype, int64_t data1, int64_t data2, bool atStart);
    // The next event of a kind in mask, serving the run loop in `mode` for up to timeoutMs;
    // dequeued when asked. Null when the time ran out.
    static Ref<Event> NextEvent(uint64_t mask, uint64_t timeoutMs, uint32_t mode, bool dequeue);
    // Delivers an event: a key press with Command, Control or Option goes to the main menu's
    // key equivalents first; everything else to the windows.
    void SendEvent(Event& event);
    // The subtype of the event Terminate posts to end a wait of the run.
    static constexpr int16_t kStopSubtype = -1;

    // Modal sessions, innermost last.
    ModalSession* BeginModalSession(const void* window);
    // Runs what is ready in the modal-panel mode once; kRunContinues until the session was
    // stopped, then its code.
    int RunModalSession(ModalSession* session);
    void EndModalSession(ModalSession* session);
    // Stops the innermost session with a code (kRunStopped for StopModal).
    void StopModal() { StopModalWithCode(kRunStopped); }
    void StopModalWithCode(int code);
    // Begins a session, runs it until stopped, ends it; answers the code.
    int RunModalForWindow(const void* window);
    ModalSession* CurrentModalSession() const;
    // The window of the innermost modal session that is still on screen, or null: where the
    // keyboard belongs while a question is open.
    Window* ModalWindowOnScreen() const;
    size_t ModalSessionCount() const { return fSessions.size(); }

    // How often showHelp: was performed (the program has no help book to show).
    int HelpRequests() const { return fHelpRequests; }

    // A script of modal answers (the test driver fills it): each session that runs takes the
    // next answer as its code when it begins.
    void ScriptModalAnswer(int code) { fScriptedAnswers.push_back(code); }
    // The test driver's user: called when the program is about to wait (a time-out above 0)
    // for an event and none is queued, so that it can act (post input) as a person would
    // while the program waits.
    void SetIdleUser(std::function<void()> user) { fIdleUser = std::move(user); }
    // Back to the first state: not running, inactive, no sessions, no script, no update asked,
    // no quit pending, no questions.
    void Reset();

private:
    // Ends every open modal session with kRunAborted and wakes the run.
    void AbortModalSessions();
    Application();
    void FinishTermination();

    ApplicationDelegate* fDelegate = nullptr;
    bool fRunning = false;
    bool fTerminated = false;
    bool fActive = false;
    bool fNeedsUpdate = false;
    bool fQuitWithoutAsking = false;
    bool fQuitAfterQuestions = false;
    bool fCanAskQuestions = false;
    int fHelpRequests = 0;
    void ShowHelp();
    std::vector<std::unique_ptr<ModalSession>> fSessions;
    std::deque<int> fScriptedAnswers;
    std::function<void()> fIdleUser;
    bool fInIdleUser = false;
};

} // namespace plat
