#pragma once
#include "controls/panels/CRowListPane.h"

#include <string>
#include <vector>

// A list of names, one a row, with one selected: a click selects, arrows move the selection,
// letters typed in a row select the first name they begin (any letter case), the wheel
// scrolls. Each new selection the user makes is announced ("CNameList_Selected" to the parent).
class CNameListPane : public CRowListPane {
public:
    static const char* msgSelected;

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

    void DrawSelf(LPortState& port) const override;

private:
    void UserSelects(int32_t row);
    int32_t RowCount() const override { return int32_t(fNames.size()); }
    bool HandleClick(LMouse& mouse) override;
    bool HandleKey() override;
    void Typed(char32_t character);

    std::vector<std::string> fNames;
    int32_t fSelected = -1;
};
