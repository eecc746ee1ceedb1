#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Points HOME, TMPDIR and the XDG folders at a fresh temporary folder for its lifetime,
// and removes the folder afterwards.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;
    const std::string& path() const { return fPath; }

private:
    std::string fPath;
    std::vector<std::pair<std::string, std::optional<std::string>>> fSaved;
};
