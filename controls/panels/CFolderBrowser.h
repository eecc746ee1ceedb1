#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the open and save panels show of one folder: its items that pass the panel's filter
// and types (hidden ones only when asked), sorted by name or date either way, with names fit
// for display, and the selected row. Listing failures are kept so that the panel can say so.
class CFolderBrowser {
public:
    struct Entry {
        std::string name;        // the bytes of the file name, to open the right file
        std::string shownName;   // the name as UTF-8, malformed bytes shown as U+FFFD
        bool isFolder = false;
        double modified = 0;     // seconds since the reference date
    };
    enum class SortBy { Name, Date };
    enum class Status { Listed, Unreadable };
    // Decides whether an item (its full path) is listed; null lists every item.
    using Filter = std::function<bool(const std::string& path)>;

    // Shows a folder (an absolute POSIX path). A folder that is gone is replaced by its nearest
    // existing parent; one that cannot be read shows no items with the status Unreadable.
    void Open(const std::string& folder);
    // Lists the folder again (keeping the selected name); a folder that went away falls back
    // to its parent. True when the folder shown changed.
    bool Refresh();
    // Shows the parent folder with the folder just left selected; false at the root.
    bool GoUp();

    void SetFilter(Filter filter) { fFilter = std::move(filter); }
    // Lower-case extensions of the files listed; none: every file. Folders are always listed.
    void SetTypes(std::optional<std::vector<std::string>> types) { fTypes = std::move(types); }
    void SetShowHidden(bool show) { fShowHidden = show; }
    bool ShowsHidden() const { return fShowHidden; }
    // Sorts by the column; the same column again reverses the order.
    void SortOn(SortBy column);
    SortBy SortColumn() const { return fSort; }
    bool SortsDescending() const { return fDescending; }

    const std::string& Folder() const { return fFolder; }
    Status ListStatus() const { return fStatus; }
    const std::vector<Entry>& Entries() const { return fEntries; }
    int32_t Selected() const { return fSelected; }
    // Selects a row (clamped; -1 with no rows).
    void Select(int32_t row);
    // Selects the first row whose shown name starts with the text, ignoring letter case;
    // false when none does.
    bool SelectByPrefix(const std::string& text);
    bool SelectName(const std::string& name);
    // The full path of a row; empty out of range.
    std::string PathOf(int32_t row) const;
    std::string SelectedPath() const { return PathOf(fSelected); }

private:
    bool Lists(const std::string& path, const Entry& entry) const;
    void List();
    void Sort();

    std::string fFolder = "/";
    Status fStatus = Status::Listed;
    std::vector<Entry> fEntries;
    int32_t fSelected = -1;
    Filter fFilter;
    std::optional<std::vector<std::string>> fTypes;
    bool fShowHidden = false;
    SortBy fSort = SortBy::Name;
    bool fDescending = false;
};

// The parent of an absolute POSIX path ("/" for the root and its children).
std::string ParentFolder(const std::string& path);
// A child path under a folder.
std::string ChildPath(const std::string& folder, const std::string& name);
