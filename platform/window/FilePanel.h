#pragma once
#include "platform/Shared.h"
#include "platform/values/ValueRef.h"
#include "platform/window/View.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plat {


// The model of the standard open and save panels: a message, the file types it lists, an
// accessory view shown under the file browser, whether packages are browsed like folders, and
// the file the user chose. Running it modally asks the test driver's script for the user's
// answer; without a script the runner the program installed shows the panel to the user
// (without either the user cancels).
class FilePanel : public Shared {
public:
    enum class Kind { Open, Save };
    enum : int { kCancel = 0, kOK = 1 };

    // Decides whether the browser lists an item (a full path); every item without one.
    using ShowFilter = std::function<bool(const FilePanel& panel, const std::string& path)>;
    // Plays the user: gets the running panel, may choose a file, answers kOK or kCancel.
    using Script = std::function<int(FilePanel& panel)>;

    static Ref<FilePanel> Make(Kind kind) { return Ref<FilePanel>::Adopt(new FilePanel(kind)); }

    Kind GetKind() const { return fKind; }
    void SetMessage(const std::string& text) { fMessage = text; }
    const std::string& Message() const { return fMessage; }
    void SetTreatsPackagesAsDirectories(bool flag) { fPackagesAsFolders = flag; }
    bool TreatsPackagesAsDirectories() const { return fPackagesAsFolders; }
    // Lower-case extensions the browser offers; none means any type.
    void SetAllowedFileTypes(std::optional<std::vector<std::string>> types) { fTypes = std::move(types); }
    const std::optional<std::vector<std::string>>& AllowedFileTypes() const { return fTypes; }
    void SetAccessoryView(View* view);
    View* AccessoryView() const { return fAccessory.Get(); }
    void SetShowFilter(ShowFilter filter) { fFilter = std::move(filter); }
    bool ShouldShow(const std::string& path) const { return !fFilter || fFilter(*this, path); }

    // Opens in the folder (a POSIX path) with the file name proposed, runs until the user
    // answers, and returns the answer.
    int RunModal(const std::string& directory, const std::string& fileName);
    bool IsRunning() const { return fRunning; }
    const std::string& Directory() const { return fDirectory; }
    const std::string& FileName() const { return fFileName; }
    // The chosen file's full path; empty until the user chose one.
    const std::string& Path() const { return fPath; }
    // The user's choice, made while the panel runs.
    void ChoosePath(const std::string& path) { fPath = path; }
    // The items of the folder the browser lists, in bytewise name order (full paths); none
    // when the folder cannot be listed.
    std::vector<std::string> ListedItems() const;

    // The test driver's hook; null restores the runner.
    static void SetScript(Script script);
    // The program's user interface of the panel: shows it and answers when the user is done.
    static void SetRunner(Script runner);

private:
    explicit FilePanel(Kind kind) : fKind(kind) {}

    Kind fKind;
    std::string fMessage;
    bool fPackagesAsFolders = false;
    std::optional<std::vector<std::string>> fTypes;
    Ref<View> fAccessory;
    ShowFilter fFilter;
    bool fRunning = false;
    std::string fDirectory;
    std::string fFileName;
    std::string fPath;
};

} // namespace plat
