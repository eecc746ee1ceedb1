#pragma once
#include "ui/panes/LPane.h"

#include <string>
#include <vector>

// The places beside the file list of the open and save panels: the home folder, the desktop,
// documents and music folders that exist, and every mounted volume. A click chooses one
// ("CPlaces_Chosen" to the parent; Chosen() tells which).
class CPlacesPane : public LPane {
public:
    static const char* msgChosen;
    static constexpr int32_t kRowHeight = 20;

    struct Place {
        std::string name;
        std::string path;
    };

    CPlacesPane(LHandler* parent, LPane* host);

    // Looks the places up again.
    void Reload();
    const std::vector<Place>& Places() const { return fPlaces; }
    const Place* Chosen() const { return fChosen < 0 ? nullptr : &fPlaces[size_t(fChosen)]; }
    CLRect RowRect(int32_t row) const;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void DrawSelf(LPortState& port) const override;

private:
    std::vector<Place> fPlaces;
    int32_t fChosen = -1;
};
