#include "platform/window/ColorPanel.h"

namespace plat {

namespace {

ColorPanel::Script& CurrentScript()
{
    static ColorPanel::Script script;
    return script;
}

} // namespace

ColorPanel& ColorPanel::Shared()
{
    static ColorPanel panel;
    return panel;
}

int ColorPanel::RunModal()
{
    fRunning = true;
    const int answer = CurrentScript() ? CurrentScript()(*this) : 0;
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

} // namespace plat
