#include "controls/panels/CFolderBrowser.h"
#include "platform/TextEncoding.h"
#include "platform/files/FileSystem.h"

#include <algorithm>
#include <cctype>

namespace {

// Folders with more items than this show the first ones only.
constexpr size_t kMaxEntries = 100000;
// A path deeper than this cannot exist: the walk up stops.
constexpr int kMaxDepth = 4096;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::string ExtensionLower(const std::string& name)
{
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string() : Lower(name.substr(dot + 1));
}

bool IsFolder(const std::string& path)
{
    plat::ItemInfo info;
    return plat::ReadItemInfo(path, info) == plat::FileResult::Ok && info.isFolder;
}

} // namespace

std::string ParentFolder(const std::string& path)
{
    const size_t slash = path.find_last_of('/', path.size() > 1 ? path.size() - 2 : 0);
    return slash == std::string::npos || slash == 0 ? "/" : path.substr(0, slash);
}

std::string ChildPath(const std::string& folder, const std::string& name)
{
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

void CFolderBrowser::Open(const std::string& folder)
{
    std::string shown = folder.empty() || folder[0] != '/' ? "/" : folder;
    for (int depth = 0; depth < kMaxDepth && shown != "/" && !IsFolder(shown); depth++)
        shown = ParentFolder(shown);
    fFolder = shown;
    fSelected = -1;
    List();
}

bool CFolderBrowser::Refresh()
{
    const std::string before = fFolder;
    const std::string selected = fSelected >= 0 ? fEntries[size_t(fSelected)].name : std::string();
    if (!IsFolder(fFolder)) {
        Open(fFolder);
        return fFolder != before;
    }
    List();
    if (!selected.empty())
        (void)SelectName(selected);
    return false;
}

bool CFolderBrowser::GoUp()
{
    if (fFolder == "/")
        return false;
    const std::string left = fFolder.substr(fFolder.find_last_of('/') + 1);
    Open(ParentFolder(fFolder));
    (void)SelectName(left);
    return true;
}

bool CFolderBrowser::Lists(const std::string& path, const Entry& entry) const
{
    if (!fShowHidden && !entry.name.empty() && entry.name[0] == '.')
        return false;
    if (fFilter && !fFilter(path))
        return false;
    if (entry.isFolder || !fTypes)
        return true;
    const std::string extension = ExtensionLower(entry.name);
    return std::find(fTypes->begin(), fTypes->end(), extension) != fTypes->end();
}

void CFolderBrowser::List()
{
    fEntries.clear();
    std::vector<std::string> names;
    fStatus = plat::ListFolder(fFolder, names) == plat::FileResult::Ok ? Status::Listed : Status::Unreadable;
    for (const std::string& name : names) {
        if (fEntries.size() >= kMaxEntries)
            break;
        Entry entry;
        entry.name = name;
        entry.shownName = plat::Utf8WithReplacements(name);
        const std::string path = ChildPath(fFolder, name);
        plat::ItemInfo info;
        if (plat::ReadItemInfo(path, info) == plat::FileResult::Ok) {
            // A link to a folder is browsed like the folder.
            entry.isFolder = info.isFolder || (info.isLink && IsFolder(path + "/."));
            entry.modified = info.modificationTime;
        }
        if (Lists(path, entry))
            fEntries.push_back(std::move(entry));
    }
    Sort();
    Select(fSelected);
}

void CFolderBrowser::Sort()
{
    const bool byDate = fSort == SortBy::Date;
    std::stable_sort(fEntries.begin(), fEntries.end(), [byDate](const Entry& a, const Entry& b) {
        if (byDate && a.modified != b.modified)
            return a.modified < b.modified;
        const std::string la = Lower(a.shownName), lb = Lower(b.shownName);
        return la != lb ? la < lb : a.name < b.name;
    });
    if (fDescending)
        std::reverse(fEntries.begin(), fEntries.end());
}

void CFolderBrowser::SortOn(SortBy column)
{
    const std::string selected = fSelected >= 0 ? fEntries[size_t(fSelected)].name : std::string();
    fDescending = column == fSort ? !fDescending : false;
    fSort = column;
    Sort();
    if (!selected.empty())
        (void)SelectName(selected);
}

void CFolderBrowser::Select(int32_t row)
{
    if (fEntries.empty()) {
        fSelected = -1;
        return;
    }
    fSelected = std::clamp<int32_t>(row, row < 0 ? -1 : 0, int32_t(fEntries.size()) - 1);
}

bool CFolderBrowser::SelectByPrefix(const std::string& text)
{
    const std::string prefix = Lower(text);
    for (size_t i = 0; i < fEntries.size(); i++) {
        if (Lower(fEntries[i].shownName).rfind(prefix, 0) == 0) {
            fSelected = int32_t(i);
            return true;
        }
    }
    return false;
}

bool CFolderBrowser::SelectName(const std::string& name)
{
    for (size_t i = 0; i < fEntries.size(); i++) {
        if (fEntries[i].name == name) {
            fSelected = int32_t(i);
            return true;
        }
    }
    return false;
}

std::string CFolderBrowser::PathOf(int32_t row) const
{
    if (row < 0 || size_t(row) >= fEntries.size())
        return {};
    return ChildPath(fFolder, fEntries[size_t(row)].name);
}
