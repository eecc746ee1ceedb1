#pragma once
#include "controls/panels/CFileDialog.h"

// The dialog over the standard save panel: it proposes a name, and the first file type of its
// list is the type it saves unless the user picks another.
class CSaveFileDialog : public CFileDialog {
public:
    void SetFileTypes(CFileTypeList* list) override;
    // Starts at the nearest existing folder on the way to the path, proposing its last segment.
    void SetStartPath(const LStringRef& path);
    void SetDefaultName(const LStringRef& name) { fDefaultName = name; }
    const LStringRef& DefaultName() const { return fDefaultName; }
    const CFileTypeChoice& SaveType() const { return fSaveType; }
    // Runs the panel modally; answers whether the user chose a file.
    bool Run();

private:
    CFileTypeChoice fSaveType;
    LStringRef fDefaultName;
};
