#pragma once
#include <initializer_list>

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
    void Activate();
    void Deactivate();

private:
    static void ResetApplication();
};

} // namespace plat
