#pragma once
#include <string>

// Sound files for tests are made and checked by independent tools run in the test's temp folder.

// A path inside the process's temporary folder.
std::string TempSoundPath(const std::string& name);
// Runs `sox ARGS`; true when it succeeded.
bool RunSox(const std::string& args);
// The output of `soxi OPTION PATH`, without the line end; empty on failure.
std::string RunSoxi(const std::string& option, const std::string& path);
// Runs a python3 snippet with the path as sys.argv[1]; its standard output without the line end.
std::string RunPython(const std::string& code, const std::string& path);
