#pragma once

// The program: fills the system-information record, opens the resource file beside the
// program (a missing or damaged file ends the program at once with a message on standard
// error and status 1), installs the program's main menu and runs the application, whose
// delegate makes the global services when launching and destroys them when terminating.
// Answers the process's exit status.
int RunProgram(int argc, char** argv);
