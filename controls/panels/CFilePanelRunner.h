#pragma once

// Installs the program's own open and save panels as the runner of the window system's file
// panels: the user browses and answers in a modal window. Removing restores the cancelling
// panels.
void InstallFilePanelRunner();
void RemoveFilePanelRunner();
