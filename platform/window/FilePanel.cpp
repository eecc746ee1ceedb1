#include "platform/window/FilePanel.h"
#include "platform/window/View.h"

#include <dirent.h>

#include <algorithm>

namespace plat {

namespace {

FilePanel::Script& CurrentScript()
{
    static FilePanel::Script script;
    return script;
}

} // namespace

void FilePanel::SetAccessoryView(View* view)
{
    fAccessory = Ref<View>(view);
}

int FilePanel::RunModal(const std::string& directory, const std::string& fileName)
{
    fDirectory = directory;
    fFileName = fileName;
    fPath.clear();
    fRunning = true;
    const int answer = CurrentScript() ? CurrentScript()(*this) : kCancel;
    fRunning = false;
    return answer == kOK ? kOK : kCancel;
}

std::vector<std::string> FilePanel::ListedItems() const
{
    std::vector<std::string> items;
    DIR* dir = opendir(fDirectory.empty() ? "." : fDirectory.c_str());
    if (!dir)
        return items;
    const std::string prefix = fDirectory.empty() || fDirectory.back() == '/' ? fDirectory : fDirectory + "/";
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string path = prefix + name;
        if (ShouldShow(path))
            items.push_back(path);
    }
    closedir(dir);
    std::sort(items.begin(), items.end());
    return items;
}

void FilePanel::SetScript(Script script)
{
    CurrentScript() = std::move(script);
}

} // namespace plat
