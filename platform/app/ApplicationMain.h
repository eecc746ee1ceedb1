#pragma once
#include <string>
#include <vector>

namespace plat {

class ApplicationDelegate;

// Runs the application: the delegate hears will-finish-launching, an open-file for each path
// operand of the command line (made absolute; options starting with "-" and everything after
// "--" as operands are told apart), did-finish-launching, and open-untitled when no path was
// given; then the application runs its events until a quit request is granted. SIGINT,
// SIGTERM and SIGHUP become quit requests (see TerminationSignals).
// Answers the process's exit status.
int ApplicationMain(int argc, char** argv, ApplicationDelegate& delegate);

// The path operands of a command line, made absolute (symbolic links are left as they are).
std::vector<std::string> PathOperands(int argc, char** argv);

} // namespace plat
