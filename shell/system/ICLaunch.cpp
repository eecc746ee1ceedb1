#include "shell/system/ICLaunch.h"
#include "platform/system/UrlLauncher.h"

ICInstance& TheICInstance()
{
    static ICInstance instance;
    return instance;
}

int ICLaunch(ICInstance& instance, std::string_view url)
{
    if (!instance.started)
        instance.started = plat::UrlLauncher::Available();
    if (instance.started)
        (void)plat::UrlLauncher::Open(url);
    return 0;
}

void LaunchURL(std::string_view url)
{
    (void)ICLaunch(TheICInstance(), url);
}
