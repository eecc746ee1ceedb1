#include "platform/window/FontPanel.h"

namespace plat {

namespace {

FontPanel::Script& CurrentScript()
{
    static FontPanel::Script script;
    return script;
}

} // namespace

FontPanel& FontPanel::Shared()
{
    static FontPanel panel;
    return panel;
}

void FontPanel::RunModal()
{
    fModal = true;
    OrderFront();
    if (CurrentScript())
        CurrentScript()(*this);
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

} // namespace plat
