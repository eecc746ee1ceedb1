#include "platform/window/FilePanel.h"
#include "platform/files/FileSystem.h"
#include "platform/window/View.h"


namespace plat {

namespace {

FilePanel::Script& CurrentScript()
{
    static FilePanel::Script script;
    return script;
}

FilePanel::Script& CurrentRunner()
{
    static FilePanel::Script runner;
    return runner;
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
    // Copies: a runner may be replaced while it runs.
    const Script script = CurrentScript() ? CurrentScript() : CurrentRunner();
    const int answer = script ? script(*this) : kCancel;
    fRunning = false;
    return answer == kOK ? kOK : kCancel;
}

std::vector<std::string> FilePanel::ListedItems() const
{
    std::vector<std::string> items;
    std::vector<std::string> names;
    if (ListFolder(fDirectory.empty() ? "." : fDirectory, names) != FileResult::Ok)
        return items;
    const std::string prefix = fDirectory.empty() || fDirectory.back() == '/' ? fDirectory : fDirectory + "/";
    for (const std::string& name : names) {
        const std::string path = prefix + name;
        if (ShouldShow(path))
            items.push_back(path);
    }
    return items;
}

void FilePanel::SetScript(Script script)
{
    CurrentScript() = std::move(script);
}

void FilePanel::SetRunner(Script runner)
{
    CurrentRunner() = std::move(runner);
}

} // namespace plat
