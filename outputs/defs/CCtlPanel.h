#pragma once
#include "foundation/core/LStringRef.h"
#include "ui/frames/LFrame.h"

#include <memory>
#include <vector>

class CCtlDefList;
class CHeaderFrame;
class LFormulaLayout;
class LObject;

// A frame that shows the controls of a definition list, one per definition in order, placed
// by the list's layout texts as a row or a column. It shows values from a parameter set and
// turns its controls' messages back into (id, value text) pairs.
class CCtlPanel : public LFrame {
public:
    CCtlPanel(LHandler* parent, LPane* host);
    ~CCtlPanel() override;

    // Spacing factors applied to hspc and vspc; set before the panel is given a list.
    void SetSpacing(float hspcFactor, float vspcFactor);
    // Replaces the controls by those of `list` (not owned; null: none) and places them.
    // Answers whether the list changed.
    bool SetList(const CCtlDefList* list);
    const CCtlDefList* List() const { return fList; }
    // The control of definition i; null beyond the count.
    LPane* Control(uint32_t i) const;

    // Shows each definition's value: `index` for the id "index", else the set's value of the
    // id, else the definition's default text.
    void SetValues(const LObject* params, int32_t index);
    // For a message of one of the panel's controls that its definition reads: the id and the
    // value text.
    bool TranslateMessage(const LMessage& msg, LStringRef& id, LStringRef& text) const;
    // Replaces the header's items by one per definition, titled by its name and set over (row panel) or beside
    // (column panel) its control.
    void FillHeader(CHeaderFrame& header) const;

    void RectChanged(const CLRect& old) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;

private:
    // The prelude run and the spacing variables scaled by the factors.
    void PrepareControlLayout(LFormulaLayout& layout) const;
    void PlaceControls();
    void RunPlaceScript();
    // For a row: how much wider every gap (the left margin too) must be so that no two
    // neighbouring titles, each centred over its control, run into each other and the first
    // does not start left of the panel; 0 when all fit.
    int32_t TitleOverlap() const;
    CLRect PreferredControlRect();

    float fHSpcFactor = 1.0f;
    float fVSpcFactor = 1.0f;
    int32_t fTitleRoom = 0; // added to hspc so that the titles of a row fit side by side
    const CCtlDefList* fList = nullptr;
    std::vector<std::unique_ptr<LPane>> fControls;
};
