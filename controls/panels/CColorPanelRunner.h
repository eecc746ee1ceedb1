#pragma once

// Installs the program's own colour panel as the runner of the window system's colour panel:
// the user picks in a modal window. Removing restores the cancelling panel.
void InstallColorPanelRunner();
void RemoveColorPanelRunner();
