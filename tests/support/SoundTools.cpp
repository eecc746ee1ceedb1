#include "tests/support/SoundTools.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Capture(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
        out.append(buffer, n);
    if (pclose(pipe) != 0)
        return {};
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

} // namespace

std::string TempSoundPath(const std::string& name)
{
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/" + name;
}

bool RunSox(const std::string& args)
{
    return std::system(("sox " + args + " 2>/dev/null").c_str()) == 0;
}

std::string RunSoxi(const std::string& option, const std::string& path)
{
    return Capture("soxi " + option + " " + Quote(path) + " 2>/dev/null");
}

std::string RunPython(const std::string& code, const std::string& path)
{
    return Capture("python3 -c " + Quote(code) + " " + Quote(path));
}
