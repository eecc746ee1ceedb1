#pragma once
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

// Whole-file helpers for tests that work on real files in the test's temporary folder.

inline std::string TempPath(const std::string& name)
{
    return std::string(std::getenv("TMPDIR")) + "/" + name;
}

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes the bytes as the whole file, making its folder first.
inline void WriteAll(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh, empty folder of the test's own under the temporary folder, removed at the end.
class TempFolder {
public:
    explicit TempFolder(const std::string& name) : fPath(TempPath(name))
    {
        std::filesystem::remove_all(fPath);
        std::filesystem::create_directories(fPath);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(fPath, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return fPath; }
    std::string operator/(const std::string& name) const { return fPath + "/" + name; }

private:
    std::string fPath;
};

// A file's permission bits.
inline unsigned ModeOf(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? unsigned(info.st_mode & 07777) : 0u;
}

// The process's umask set for the scope, then the one before; for tests that make files on
// one thread only.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : fBefore(umask(mask)) {}
    ~ScopedUmask() { umask(fBefore); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t fBefore;
};
