#pragma once
#include "controls/panels/CFolderBrowser.h"
#include "controls/panels/CRowListPane.h"
#include "foundation/core/LStringRef.h"

// The list of the open and save panels: a header row (Name, Modified; a click sorts on that
// column, a second click reverses) over one row per item of the browser's folder. A click
// selects, a double-click or Return opens ("CFileList_Open" to the parent), Backspace goes up
// ("CFileList_Up"), arrows move the selection and typed letters select by name. A folder that
// cannot be read shows its message instead of rows.
class CFileListPane : public CRowListPane {
public:
    static const char* msgOpen;        // {list, parent}: open the selected row
    static const char* msgUp;          // {list, parent}: show the parent folder
    static const char* msgSelected;    // {list, parent}: the selection changed
    static constexpr int32_t kHeaderHeight = 20;

    CFileListPane(LHandler* parent, LPane* host, CFolderBrowser& browser);

    // The text shown when the folder cannot be read.
    void SetUnreadableText(const LStringRef& text) { fUnreadable = text; }
    // The browser's rows changed: back to the top (or the selection) and redrawn.
    void Reload();
    // The row at a point in host coordinates: -1 on the header or below the rows.
    int32_t RowAt(const CLPoint& point) const;

    void DrawSelf(LPortState& port) const override;

private:
    int32_t RowCount() const override { return int32_t(fBrowser.Entries().size()); }
    bool HandleClick(LMouse& mouse) override;
    bool HandleKey() override;
    void Typed(char32_t character);
    void DrawHeader(LPortState& port) const;
    void DrawRow(LPortState& port, int32_t row) const;

    CFolderBrowser& fBrowser;
    LStringRef fUnreadable;
    uint32_t fClickCookie = 0;
    int32_t fClickRow = -1; // a double-click is two quick clicks on one row
};
