#include "shell/files/LProcessInfo.h"
#include "platform/files/FileSpecText.h"
#include "platform/files/StandardFolders.h"
#include "platform/system/BundleInfo.h"

#include <string>

LProcessInfo::LProcessInfo()
{
    const std::string program = plat::ExecutablePath();
    if (program.empty())
        return;
    applicationUrl = LStringRef(std::string_view(plat::SpecFromPosixPath(program)));
    const size_t slash = program.find_last_of('/');
    const std::string folder = slash == 0 ? std::string("/") : program.substr(0, slash);
    bundleUrl = LStringRef(std::string_view(plat::SpecFromPosixPath(folder)));
}

std::string LProcessInfo::ApplicationName()
{
    for (const char* key : {"CFBundleDisplayName", "CFBundleName"})
        if (auto name = plat::MainBundleValue(key); name && !name->empty())
            return *name;
    return "App";
}
