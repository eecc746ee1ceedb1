#pragma once
#include "platform/window/ColorPanel.h"
#include "platform/window/FilePanel.h"
#include "platform/window/FontPanel.h"

namespace plat {

// Plays the user of the standard panels for tests: each script runs when its panel runs
// modally and gives the user's actions and answer. Made and gone, it takes every script away
// and puts the shared panels back to their first state.
class PanelTestDriver {
public:
    PanelTestDriver() { Reset(); }
    ~PanelTestDriver() { Reset(); }
    PanelTestDriver(const PanelTestDriver&) = delete;
    PanelTestDriver& operator=(const PanelTestDriver&) = delete;

    void ScriptFilePanel(FilePanel::Script script) { FilePanel::SetScript(std::move(script)); }
    void ScriptColorPanel(ColorPanel::Script script) { ColorPanel::SetScript(std::move(script)); }
    void ScriptFontPanel(FontPanel::Script script) { FontPanel::SetScript(std::move(script)); }

private:
    static void Reset()
    {
        FilePanel::SetScript(nullptr);
        ColorPanel::SetScript(nullptr);
        FontPanel::SetScript(nullptr);
        ColorPanel::Shared() = ColorPanel();
        FontPanel::Shared() = FontPanel();
    }
};

} // namespace plat
