// The MIDI console over a real document: its cells show the channels' parameter sets, edits
// land in the document's table with undo, and the cells and row titles follow.
#include "outputs/consoles/CMIDICONSOLE.h"

#include "analysis/records/SnxFields.h"
#include "controls/headers/CRespText.h"
#include "controls/std/CSlider.h"
#include "foundation/records/CParamTable.h"
#include "outputs/consoles/CMIDICONSOLECELL.h"
#include "outputs/consoles/CMidiPanEdit.h"
#include "outputs/defs/CCtlDefList.h"
#include "outputs/defs/CDefTree.h"
#include "outputs/defs/DefinitionFiles.h"
#include "tests/outputs/ConsoleTestKit.h"
#include "ui/panes/LCaptionPane.h"
#include "ui/frames/LWindowPlacer.h"
#include "ui/windows/LWindow.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

// What the shipped "midiconsole" file offers: a channel index, a program, a volume and a pan.
const char* kDefinitions = "sonalyx: { controls: "
                           "{ type: index; id: index; name: Channel; base: 1 },"
                           "{ type: numeric; id: p; name: Program; ini: 0; min: 0; max: 127; step: 1; prec: 0 },"
                           "{ type: slider; id: 7; name: Volume; ini: 100; min: 0; max: 127 },"
                           "{ type: midipan; id: 10; name: Pan; ini: 64 } }";
enum Control : uint32_t { kIndex = 0, kProgram = 1, kVolume = 2, kPan = 3 };

class MidiConsole : public ConsoleFixture {
protected:
    MidiConsole()
    {
        EXPECT_EQ(fTree.Parse(kDefinitions), 0u);
        fConsole.SetDefinitions(FindControlsNode(fTree));
    }
    LObject* Table() const { return fDocument.Root()->GetChild(kFdrsMdcs); }
    std::string TableValue(uint32_t column, const char* id) const
    {
        LStringRef value("<none>");
        CParamTable::FindInCell(Table(), column, 0, id, &value);
        return value.Text();
    }
    CMIDICONSOLECELL& LiveCell(int32_t column) { return LiveCellOf<CMIDICONSOLECELL>(fConsole.List(), {column, 0}); }
    // Columns and rows of the document's table.
    std::pair<uint32_t, uint32_t> TableSize() const
    {
        uint32_t columns = 9, rows = 9;
        CParamTable::GetSize(Table(), columns, rows);
        return {columns, rows};
    }
    static void Move(CSlider& slider, int32_t value)
    {
        slider.SetValue(value);
        slider.Action();
    }
    template <class T>
    T& ControlOf(CMIDICONSOLECELL& cell, uint32_t i)
    {
        T* control = dynamic_cast<T*>(cell.Panel().Control(i));
        EXPECT_NE(control, nullptr) << i;
        return *control;
    }

    CDefTree fTree;
    CMIDICONSOLE fConsole{&fDoc, PanelDef(), &fDocument, Table()};
};

} // namespace

TEST_F(MidiConsole, SixteenChannelColumnsInAFloatingPanelWithTheResourceTitle)
{
    ASSERT_NE(fConsole.Window(), nullptr);
    EXPECT_EQ(fConsole.Window()->Native()->Title(), "MIDI Console");
    CMIDIConsoleList& list = fConsole.List();
    EXPECT_EQ(list.Columns(), 16);
    EXPECT_EQ(list.Rows(), 1);
    EXPECT_EQ(list.CellHeight(), int32_t(list.Rect().Height()));
    ASSERT_NE(list.Definitions(), nullptr);
    EXPECT_EQ(list.Definitions()->Count(), 4u);
    EXPECT_FALSE(fConsole.Rect().IsEmpty());

    // A new document has an empty table: every column shows the defaults and its channel.
    CMIDICONSOLECELL& cell = LiveCell(5);
    EXPECT_EQ(std::string(ControlOf<LCaptionPane>(cell, kIndex).Text().View()), "6");
    EXPECT_EQ(ControlOf<CSlider>(cell, kVolume).GetValue(), 100);
    EXPECT_EQ(std::string(ControlOf<CMidiPanEdit>(cell, kPan).GetText().View()), " C ");
    EXPECT_EQ(TableSize().first, 0u) << "showing the console changes nothing in the document";
}

TEST_F(MidiConsole, FirstEditGrowsTheTableAndUndoTakesBackOnlyTheValue)
{
    CSlider& volume = ControlOf<CSlider>(LiveCell(15), kVolume);
    Move(volume, 90);
    EXPECT_EQ(TableSize(), (std::pair<uint32_t, uint32_t>{16, 1}));
    EXPECT_EQ(TableValue(15, "7"), "90");
    EXPECT_EQ(TableValue(14, "7"), "<none>");
    EXPECT_TRUE(fDocument.IsModified());

    ASSERT_TRUE(Undo());
    EXPECT_EQ(TableValue(15, "7"), "<none>");
    EXPECT_EQ(TableSize(), (std::pair<uint32_t, uint32_t>{16, 1})) << "the growth stays";
    EXPECT_FALSE(fDoc.queue.CanUndo()) << "the growth was never a step of its own";
    // The observer refreshed the cell: the slider is back at the definition's default.
    EXPECT_EQ(volume.GetValue(), 100);

    ASSERT_TRUE(Redo());
    EXPECT_EQ(TableValue(15, "7"), "90");
    EXPECT_EQ(volume.GetValue(), 90);
}

TEST_F(MidiConsole, UndoOfAChangedValueRefreshesTheCellThroughTheObserver)
{
    CMIDICONSOLECELL& cell = LiveCell(0);
    CMidiPanEdit& pan = ControlOf<CMidiPanEdit>(cell, kPan);
    pan.SetText(LStringRef("l20"));
    LMessage::Send(LMessage(CNumVol::msgFix, &pan, pan.Parent()));
    EXPECT_EQ(TableValue(0, "10"), "44");
    CSlider& volume = ControlOf<CSlider>(cell, kVolume);
    Move(volume, 12);
    EXPECT_EQ(TableValue(0, "7"), "12");

    // Changed behind the console's back, as the document's undo does: the cell follows.
    CParamTable::SetCellValue(Table(), nullptr, 0, 0, "7", LStringRef("77"));
    EXPECT_EQ(volume.GetValue(), 77);
    ASSERT_TRUE(Undo());  // the volume edit
    EXPECT_EQ(TableValue(0, "7"), "<none>");
    EXPECT_EQ(volume.GetValue(), 100);
    ASSERT_TRUE(Undo());  // the pan edit
    EXPECT_EQ(std::string(pan.GetText().View()), " C ");
}

TEST_F(MidiConsole, MessagesOfAnythingButACellsControlsWriteNothing)
{
    CMIDICONSOLECELL& cell = LiveCell(4);
    LMessage::Send(LMessage("CSlider_Change", &cell, &fConsole.List()));
    LMessage::Send(LMessage("CSlider_Change", &cell.Panel(), &cell));
    EXPECT_EQ(TableSize().first, 0u);
}

TEST_F(MidiConsole, RowTitlesLieLevelWithTheirControls)
{
    CRowHeader& header = fConsole.Header();
    ASSERT_EQ(header.ItemCount(), 4);
    EXPECT_GT(header.Rect().Width(), 0);
    EXPECT_LE(header.Rect().right, fConsole.Navi().Rect().left);
    CMIDICONSOLECELL& cell = LiveCell(0);
    const char* names[] = {"Channel", "Program", "Volume", "Pan"};
    for (uint32_t i = 0; i < 4; ++i) {
        CRespText* title = header.Item(int32_t(i));
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(std::string(title->Text().View()), names[i]);
        LPane* control = cell.Panel().Control(i);
        const int32_t titleMiddle = title->OriginIn(&fConsole).y + int32_t(title->Rect().Height() / 2);
        const int32_t controlMiddle = control->OriginIn(&fConsole).y + int32_t(control->Rect().Height() / 2);
        EXPECT_LE(std::abs(titleMiddle - controlMiddle), 2) << names[i];
    }
}

TEST_F(MidiConsole, GrowsOnlyInHeight)
{
    const int32_t width = fConsole.PrefWidth(nullptr, 0);
    const int32_t height = fConsole.PrefHeight(nullptr, 0);
    LWindowPlacer placer(fConsole.Window(), false);
    LMessage::Send(LMessage(LWindowPlacer::msgGrow, &placer, &fConsole));
    EXPECT_EQ(placer.minWidth, std::min(width, placer.maxWidth));
    EXPECT_EQ(placer.maxWidth, std::min(width, placer.maxWidth));
    EXPECT_EQ(placer.minHeight, height);
    EXPECT_GT(placer.maxHeight, height);
}

using MidiConsoleList = ConsoleFixture;

TEST_F(MidiConsoleList, WithoutDefinitionsTheColumnsAreEmpty)
{
    // The list alone, as a missing or broken "midiconsole" file leaves it.
    CMIDIConsoleList list(nullptr, &fDocument, fDocument.Root()->GetChild(kFdrsMdcs));
    list.SetRect({0, 0, 400, 100});
    list.SetDefinitions(nullptr);
    ASSERT_NE(list.Definitions(), nullptr);
    EXPECT_EQ(list.Definitions()->Count(), 0u);
    EXPECT_EQ(list.Columns(), 16);
    auto* prototype = dynamic_cast<CMIDICONSOLECELL*>(list.PrototypeCell());
    ASSERT_NE(prototype, nullptr);
    EXPECT_EQ(prototype->Panel().Control(0), nullptr);
}
