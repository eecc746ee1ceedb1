#pragma once
#include <string_view>

// The web-link launcher of the process, started on first use.
struct ICInstance {
    bool started = false;
};
ICInstance& TheICInstance();

// Opens a web address with the desktop's opener. Starts the launcher first when it is not
// started; when it cannot be started nothing is opened. Whether the opener ran is not
// reported: the result is always 0.
int ICLaunch(ICInstance& instance, std::string_view url);

// Opens a web address through the process's launcher.
void LaunchURL(std::string_view url);
