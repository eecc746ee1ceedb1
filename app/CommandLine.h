#pragma once
#include <string>

// What the command line asks for before the program starts.
enum class CommandLineRequest {
    Run,      // start, opening the file operands
    Help,     // print the usage and exit 0
    Version,  // print the version and exit 0
    Invalid,  // an unknown option: print one line and exit 2
};

struct CommandLine {
    CommandLineRequest request = CommandLineRequest::Run;
    std::string badOption; // the unknown option, for the error line
};

// Reads the options: "--help" (or "-h"), "--version", and "--", after which every argument is
// a file even when it starts with "-". Anything else starting with "-" is an unknown option.
CommandLine ParseCommandLine(int argc, char** argv);

// The usage text "--help" prints: the files the program opens and every environment setting
// it reads.
std::string UsageText();
// The exit status when no X display can be used.
inline constexpr int kExitNoDisplay = 2;
inline constexpr int kExitUsage = 2;
// The one line printed when no X display can be used.
std::string NoDisplayText(const std::string& reason);
