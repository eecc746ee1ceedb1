#include "platform/files/RegularFile.h"

#include <sys/stat.h>

namespace plat {

bool IsRegularFile(const std::string& path)
{
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace plat
