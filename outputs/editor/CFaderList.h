#pragma once
#include "controls/lists/CListDragDropHelper.h"
#include "controls/lists/LCellGrid.h"
#include "outputs/defs/CCtlDefList.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CEntryEditText;
class CFaderCell;
class CFaderSetRecord;
class LObject;
struct LObjChange;

// The rows of the fader editor, one per fader of the document. Every edit of a row is written
// to the fader with undo (the list is the undo context); rows follow the faders through the
// document's change notices. Rows are reordered by dragging and copied to other documents
// through the 'FADR' drag flavour; a sound file dropped on a sound fader becomes its sound.
class CFaderList : public LCellGrid, private CListDragOwner {
public:
    static constexpr uint32_t kFlavour = 0x46414452;           // 'FADR'
    static constexpr uint32_t kContainerClass = 0x434F4E54;    // 'CONT'
    static constexpr uint32_t kOutputKinds = 10;
    static constexpr uint8_t kSoundKind = 3;
    static constexpr uint8_t kTimeDomainSource = 4;
    static constexpr int32_t kLevelScale = 256;

    CFaderList(LPane* parent, CFaderSetRecord& document);
    ~CFaderList() override;

    // Appends a fader with default settings and selects its row.
    void AddFader();
    // Tells the document which fader is current: the single selected row, else the focus row.
    void UpdateSelectionInfo();
    // Deletes the selected faders as one undo step.
    void DeleteSelection();
    // A parameter text typed into the focus row whose edit has not ended yet: it is not stored.
    bool HasTypedText() const;
    // Ends that edit, as Return does: the typed text is stored into its own fader now, as one
    // undo step (before a save, a close, or a change of the rows).
    void EnterTypedText();
    const CCtlDefList* Definitions(uint32_t kind) const;
    const std::vector<std::string>& Sounds() const { return fSounds; }
    uint16_t StoredLevel(int32_t row) const;
    CListDragDropHelper& DragHelper() { return fDrag; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void DrawSelf(LPortState& port) const override;
    void SelectionChanged(const LRegion& changed, const LRegion& old) override;
    std::unique_ptr<LPane> CreateCell() override;
    bool FillCell(LPane& pane, const CLPoint& cell) override;
    void ConfigureCell(LPane& pane) override;

private:
    // Construction (CFaderList.cpp).
    void LoadDefinitions();
    void SizeCells();
    void ScanSounds();
    float Scale() const;
    void ShowBandBySourceType(CFaderCell& cell, const LObject& fader);
    void ShowSound(CFaderCell& cell, const LObject& fader);

    // Row edits (CFaderListEdits.cpp).
    bool HandleCellMessage(LMessage& result, const LMessage& msg);
    bool HandleFieldMessage(CFaderCell& cell, int32_t row, const LMessage& msg);
    bool HandleSoundDrop(LMessage& result, CFaderCell& cell, LObject& fader, const LMessage& msg);
    bool HandleCommand(LMessage& result, const LMessage& msg);
    CEntryEditText* TypedField() const;

    // Drag and drop (CFaderListDrag.cpp).
    void HandleDragMessage(LMessage& result, const LMessage& msg);
    void WriteDragData() override;
    bool AcceptDropped() override;
    bool HandleUsual(LMessage& result, const LMessage& msg) override;
    void MoveSelectedChildren(uint32_t to);
    void CopyDroppedFaders(uint32_t to);

    // Change notices (CFaderListNotices.cpp).
    static void OnModelChange(void* context, LObjChange& notice);
    void ModelChanged(const LObjChange& notice);
    void FaderChanged(const LObjChange& notice);
    void ShowLevel(int32_t row, float level);
    void DropTypedText(int32_t row);
    void SyncRows();

    CFaderSetRecord& fDocument;
    std::array<std::unique_ptr<CCtlDefList>, kOutputKinds> fDefinitions;
    std::string fSoundsFolder;
    std::vector<std::string> fSounds;
    std::vector<uint16_t> fLevels;
    CListDragDropHelper fDrag;
    bool fObserving = false;
};
