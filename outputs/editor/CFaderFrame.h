#pragma once
#include "controls/headers/CColumnHeader.h"
#include "controls/lists/LListNavi.h"
#include "outputs/editor/CFaderList.h"
#include "ui/frames/LFrame.h"

class CFaderSetRecord;
struct LObjChange;

// The fader editor in a document window: six column titles over the scrolling list of faders.
// Placed by layout "SNXDRFRM"; the titles are 'CST#' "SNXDRFRM" items 0 to 5, and item 6 is
// the band title with the current unit prefix.
class CFaderFrame : public LFrame {
public:
    static const char* const kResName;  // "SNXDRFRM"

    CFaderFrame(LHandler* parent, LPane* host, CFaderSetRecord& document);
    ~CFaderFrame() override;

    // The height the frame needs to show every fader.
    int32_t PreferredHeight();
    CLRect PreferredExtent();
    // The height that shows the titles and one whole row while the list has rows; 0 without.
    int32_t LeastHeight();

    CColumnHeader& Header() { return fHeader; }
    LListNavi& Navi() { return fNavi; }
    CFaderList& List() { return fList; }

    void PrepareLayout(LPaneContext& context, LFormulaLayout& layout) override;
    void FinishLayout(LPaneContext& context, LFormulaLayout& layout) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;

private:
    static void OnModelChange(void* context, LObjChange& notice);
    CLRect ExtentFor(int32_t rows);
    void ShowUnitPrefix();
    void PlaceTitles();

    CFaderSetRecord& fDocument;
    CColumnHeader fHeader;
    LListNavi fNavi;
    CFaderList fList;
    bool fObserving = false;
};
