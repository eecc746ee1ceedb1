#include "platform/window/FontPanel.h"

namespace plat {

namespace {

FontPanel::Script& CurrentScript()
{
    static FontPanel::Script script;
    return script;
}

FontPanel::Runner& CurrentRunner()
{
    static FontPanel::Runner runner;
    return runner;
}

// A copy of one of the runner's steps, or null while a script plays the user: the runner may
// be replaced while the step runs.
std::function<void(FontPanel&)> RunnerStep(std::function<void(FontPanel&)> FontPanel::Runner::*step)
{
    return CurrentScript() ? nullptr : CurrentRunner().*step;
}

} // namespace

FontPanel& FontPanel::Shared()
{
    static FontPanel panel;
    return panel;
}

void FontPanel::OrderFront()
{
    fVisible = true;
    if (const auto show = RunnerStep(&Runner::show))
        show(*this);
}

void FontPanel::OrderOut()
{
    fVisible = false;
    if (const auto hide = RunnerStep(&Runner::hide))
        hide(*this);
}

void FontPanel::RunModal()
{
    fModal = true;
    fVisible = true;
    if (const Script script = CurrentScript())
        script(*this);
    else if (const auto run = RunnerStep(&Runner::runModal))
        run(*this);
    // A run the script left open ends as the user closing the panel would end it.
    if (fModal && fVisible)
        UserCloses();
    fModal = false;
}

void FontPanel::UserPicks(const FontChoice& font)
{
    fSelected = font;
    if (fChange)
        fChange(font);
}

void FontPanel::UserCloses()
{
    if (fWillClose)
        fWillClose();
    OrderOut();
}

void FontPanel::SetScript(Script script)
{
    CurrentScript() = std::move(script);
}

void FontPanel::SetRunner(Runner runner)
{
    CurrentRunner() = std::move(runner);
}

} // namespace plat
