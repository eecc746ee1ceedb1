#pragma once
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace plat {

// Plays the user and the system around the application, for tests: scripts the answers of
// modal sessions (each session that begins takes the next answer and ends with it at its
// first step), switches the application active and inactive, and puts the application back
// to its first state (no delegate, no sessions, not running, inactive) when made and when gone.
class ApplicationDriver {
public:
    ApplicationDriver();
    ~ApplicationDriver();
    ApplicationDriver(const ApplicationDriver&) = delete;
    ApplicationDriver& operator=(const ApplicationDriver&) = delete;

    void ScriptModalAnswers(std::initializer_list<int> codes);
    // Plays the user while the program waits for input: each time the program is about to
    // wait with nothing queued, the next action runs (it posts the user's input). When all
    // actions ran the user stays idle, but each wait ends at once with an empty event.
    void PlayWhenIdle(std::vector<std::function<void()>> actions);
    // Actions not run yet.
    size_t PendingActions() const;
    void Activate();
    void Deactivate();

private:
    static void ResetApplication();

    std::shared_ptr<std::deque<std::function<void()>>> fActions;
};

} // namespace plat
