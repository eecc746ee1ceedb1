#include "platform/system/HelpFile.h"
#include "platform/system/BundleInfo.h"
#include "platform/system/UrlLauncher.h"

#include <sys/stat.h>

namespace plat::HelpFile {

std::string Path()
{
    return MainBundleFolder() + "/README.md";
}

Result Open()
{
    const std::string path = Path();
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return Result::Missing;
    return UrlLauncher::Open(path) ? Result::Opened : Result::NoOpener;
}

} // namespace plat::HelpFile
