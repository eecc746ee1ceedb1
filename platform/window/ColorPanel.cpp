#include "platform/window/ColorPanel.h"

namespace plat {

namespace {

ColorPanel::Script& CurrentScript()
{
    static ColorPanel::Script script;
    return script;
}

ColorPanel::Script& CurrentRunner()
{
    static ColorPanel::Script runner;
    return runner;
}

} // namespace

ColorPanel& ColorPanel::Shared()
{
    static ColorPanel panel;
    return panel;
}

int ColorPanel::RunModal()
{
    // The one shared panel serves one owner at a time: a second run while it is open (a
    // click on another colour button meanwhile) is cancelled, so the first owner keeps it.
    if (fRunning)
        return 0;
    fRunning = true;
    // Copies: a runner may be replaced while it runs.
    const Script script = CurrentScript() ? CurrentScript() : CurrentRunner();
    const int answer = script ? script(*this) : 0;
    fRunning = false;
    return answer;
}

void ColorPanel::UserPicks(const RGB& color)
{
    fColor = color;
    if (fAction)
        fAction();
}

int ColorPanel::UserCloses()
{
    return fClose ? fClose() : 1;
}

void ColorPanel::SetScript(Script script)
{
    CurrentScript() = std::move(script);
}

void ColorPanel::SetRunner(Script runner)
{
    CurrentRunner() = std::move(runner);
}

} // namespace plat
