#include "tests/support/TempHome.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

TempHome::TempHome()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "sonalyx-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary home");
    fPath = pattern;
    const std::filesystem::path root(fPath);
    const std::pair<const char*, const char*> dirs[] = {
        {"HOME", "home"},
        {"XDG_CONFIG_HOME", "home/.config"},
        {"XDG_DATA_HOME", "home/.local/share"},
        {"XDG_CACHE_HOME", "home/.cache"},
        {"XDG_DOCUMENTS_DIR", "home/Documents"},
        {"XDG_DESKTOP_DIR", "home/Desktop"},
        {"TMPDIR", "tmp"},
        {"XDG_RUNTIME_DIR", "run"},
    };
    for (const auto& [var, sub] : dirs) {
        std::filesystem::create_directories(root / sub);
        const char* old = std::getenv(var);
        fSaved.emplace_back(var, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(var, (root / sub).c_str(), 1);
    }
    std::filesystem::permissions(root / "run", std::filesystem::perms::owner_all);
}

TempHome::~TempHome()
{
    std::error_code ignored;
    std::filesystem::remove_all(fPath, ignored);
    // A later temporary home of the same process must not start inside this removed one.
    for (const auto& [var, old] : fSaved) {
        if (old)
            setenv(var.c_str(), old->c_str(), 1);
        else
            unsetenv(var.c_str());
    }
}
