#include "platform/files/StandardFolders.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

std::string AbsoluteEnv(const char* name)
{
    const char* value = getenv(name);
    if (!value || value[0] != '/')
        return {};
    return value;
}

std::string HomeFolder()
{
    std::string home = AbsoluteEnv("HOME");
    if (home.empty()) {
        if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/')
            home = pw->pw_dir;
    }
    return home;
}

std::string EnvOrHome(const char* name, const char* underHome)
{
    std::string value = AbsoluteEnv(name);
    if (!value.empty())
        return value;
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "/" + underHome;
}

std::string TemporaryFolder()
{
    std::string tmp = AbsoluteEnv("TMPDIR");
    while (tmp.size() > 1 && tmp.back() == '/')
        tmp.pop_back();
    return tmp.empty() ? std::string("/tmp") : tmp;
}

bool IsFolder(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Located(StandardFolder folder)
{
    switch (folder) {
    case StandardFolder::Desktop: return EnvOrHome("XDG_DESKTOP_DIR", "Desktop");
    case StandardFolder::Scratch: return TemporaryFolder() + "/sonalyx-" + std::to_string(getuid());
    case StandardFolder::System:
    case StandardFolder::Applications: return {};
    case StandardFolder::Home: return HomeFolder();
    case StandardFolder::Documents: return EnvOrHome("XDG_DOCUMENTS_DIR", "Documents");
    case StandardFolder::ApplicationSupport: return EnvOrHome("XDG_DATA_HOME", ".local/share");
    case StandardFolder::Trash: {
        const std::string data = EnvOrHome("XDG_DATA_HOME", ".local/share");
        return data.empty() ? data : data + "/Trash/files";
    }
    case StandardFolder::Preferences: return EnvOrHome("XDG_CONFIG_HOME", ".config");
    case StandardFolder::Temporary: return TemporaryFolder();
    }
    return {};
}

} // namespace

bool MakeFolders(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return false;
    if (IsFolder(path))
        return true;
    for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (!prefix.empty() && mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    return IsFolder(path);
}

std::string ExecutablePath()
{
    std::string buffer(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || size_t(length) >= buffer.size())
        return {};
    buffer.resize(size_t(length));
    return buffer;
}

std::string StandardFolderPath(StandardFolder folder)
{
    const std::string path = Located(folder);
    if (path.empty())
        return {};
    if (folder == StandardFolder::Scratch) {
        if (!MakeFolders(path))
            return {};
        // The scratch folder is private: refuse one that another user owns or others can enter.
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
            return {};
        if ((st.st_mode & 077) != 0 && chmod(path.c_str(), 0700) != 0)
            return {};
    }
    return path;
}

} // namespace plat
