#pragma once

class CFontPanelWindow;

// Installs the program's own font panel as the runner of the window system's font panel: one
// floating window follows the panel as it is ordered front and out, and a modal run shows a
// modal one. Removing closes the window and restores the panel without a user interface.
void InstallFontPanelRunner();
void RemoveFontPanelRunner();
// The floating window of the panel once it has been shown (hidden or not), else null.
CFontPanelWindow* FloatingFontPanel();
