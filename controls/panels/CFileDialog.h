#pragma once
#include "controls/headers/CFileTypeChoice.h"
#include "foundation/core/LStringRef.h"
#include "platform/values/ValueRef.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CFileTypeList;
class CFileTypePopupPane;
class CPanelAccessoryPane;
class LPane;
namespace plat {
class FilePanel;
}

// Base of the open and save dialogs over the standard file panels: the folder and file they
// start at, the file types they offer (the chosen one filters the panel's list), a message,
// and a hook through which the caller adds panes to the panel's accessory area.
class CFileDialog {
public:
    using AccessoryHook = void (*)(void* argument, LPane* accessory);

    CFileDialog();
    virtual ~CFileDialog();
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // Keeps the list (the caller keeps it alive) and rebuilds the type names.
    virtual void SetFileTypes(CFileTypeList* list);
    void SetMessage(const LStringRef& text) { fMessage = text; }
    void SetPackagesAsFolders(bool flag) { fPackagesAsFolders = flag; }
    void SetAccessoryHook(void* argument, AccessoryHook hook);

    bool IsAccepted() const { return fAccepted != 0; }
    // The file location of the chosen file; empty when it does not resolve.
    LStringRef GetFile() const;

    const LStringRef& StartDirectory() const { return fStartDirectory; }
    const LStringRef& StartFile() const { return fStartFile; }
    const CFileTypeChoice& ChosenType() const { return fChosenType; }
    const std::vector<std::string>& TypeNames() const { return fTypeNames; }
    // The entry selected in the type pop-up: the chosen type's entry, 0 when none.
    int32_t SelectedTypeIndex() const;
    // Selects entry `index` as the user does in the type pop-up: the panel lists that type only
    // ("*" or an empty name: every type) and the chosen type follows.
    void ApplyFileType(int32_t index);
    plat::FilePanel* Panel() const { return fPanel.Get(); }
    // The accessory area while the panel is prepared or runs, and its type pop-up (null when
    // there are no types).
    CPanelAccessoryPane* AccessoryPane() const { return fAccessory.get(); }
    CFileTypePopupPane* TypePopup() const { return fTypePopup.get(); }

protected:
    // Walks from the path towards the root to the nearest existing item; answers the last
    // segment of the path. `setStartFile` also keeps the path as the start file.
    LStringRef WalkToStart(const LStringRef& path, bool setStartFile);
    // The index of the first entry whose name equals `name` or is "*"; -1 when none.
    int32_t FindType(const LStringRef& name) const;
    void ChooseTypeNamed(const LStringRef& name);
    // Steps shared by both runs before the panel is shown.
    void PreparePanel(plat::FilePanel* panel);
    int RunPanel(const std::string& fileName);
    // The file types' pop-up in the accessory area, on the chosen type.
    void AddTypePopup();
    // The accessory's panes one under the other; the area takes their size.
    void StackAccessory();

    CFileTypeList* fFileTypes = nullptr;
    uint8_t fAccepted = 0;
    CFileTypeChoice fChosenType;

private:
    LStringRef fStartDirectory;
    void* fHookArgument = nullptr;
    AccessoryHook fHook = nullptr;
    uint8_t fPackagesAsFolders = 0;
    plat::Ref<plat::FilePanel> fPanel;
    LStringRef fMessage;
    LStringRef fStartFile;
    std::vector<std::string> fTypeNames;
    std::unique_ptr<CPanelAccessoryPane> fAccessory;
    std::unique_ptr<CFileTypePopupPane> fTypePopup;
};
