#pragma once
#include "controls/panels/TypedPrefix.h"
#include "ui/panes/LPane.h"

#include <string>
#include <vector>

// A list of names, one a row, with one selected: a click selects, arrows move the selection,
// letters typed in a row select the first name they begin (any letter case), the wheel
// scrolls. Each new selection the user makes is announced ("CNameList_Selected" to the parent).
class CNameListPane : public LPane {
public:
    static const char* msgSelected;
    static constexpr int32_t kRowHeight = 18;

    CNameListPane(LHandler* parent, LPane* host);

    // New rows; the selection stays on the same name when it is still listed.
    void SetNames(std::vector<std::string> names);
    const std::vector<std::string>& Names() const { return fNames; }
    int32_t Selected() const { return fSelected; }
    // The selected name, empty with none.
    std::string SelectedName() const;
    // Selects the row (clamped to the rows; -1 none) and scrolls it into view, without announcing.
    void Select(int32_t row);
    // Selects the name (any letter case); false, and nothing selected, when it is not listed.
    bool SelectName(const std::string& name);
    int32_t TopRow() const { return fTop; }
    CLRect RowRect(int32_t row) const;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void DrawSelf(LPortState& port) const override;

private:
    int32_t VisibleRows() const;
    void ScrollToSelection();
    void UserSelects(int32_t row);
    bool HandleClick();
    bool HandleKey();
    void Typed(char32_t character);
    void Changed();

    std::vector<std::string> fNames;
    int32_t fSelected = -1;
    int32_t fTop = 0;
    TypedPrefix fTyped;
};
