#include "ui/bridges/LBundleVersion.h"

#include "platform/system/BundleInfo.h"
#include "shell/files/FileUrls.h"

LBundleVersion::LBundleVersion(const LStringRef& fileSpec)
{
    const LStringRef path = PosixPathFromUrl(fileSpec.View());
    if (path.IsEmpty())
        return;
    if (auto version = plat::BundleValue(std::string(path.View()), "CFBundleVersion"))
        fText = LStringRef(std::string_view(*version));
}
