#pragma once
#include "controls/lists/LCellGrid.h"

#include <memory>

class LObject;
class LObjRoot;
struct LObjChange;

// The 512 channel sliders of the DMX console in one row. Each shows one byte of the document's
// DMX array; a slider move writes its byte with undo, and the cells follow the array through
// the document's change notices.
class CDMXConsoleList : public LCellGrid {
public:
    static constexpr int32_t kChannels = 512;

    // `holder` and `record` belong to the document; `field` is the record's byte array.
    CDMXConsoleList(LPane* parent, LObjRoot* holder, LObject* record, uint8_t field);
    ~CDMXConsoleList() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void RectChanged(const CLRect& old) override;
    std::unique_ptr<LPane> CreateCell() override;
    bool FillCell(LPane& pane, const CLPoint& cell) override;

private:
    static void OnRecordChange(void* context, LObjChange& notice);
    void RecordChanged(const LObjChange& notice);
    uint8_t Level(int32_t channel) const;
    void SetLevel(int32_t channel, int32_t value);

    LObjRoot* fHolder;
    LObject* fRecord;
    uint8_t fField;
    bool fObserving = false;
    bool fGrowing = false;
};
