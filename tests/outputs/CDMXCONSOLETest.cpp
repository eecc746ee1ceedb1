// The DMX console over a real document: 512 channel sliders showing the document's DMX bytes,
// moves written with undo, and the sliders following the bytes.
#include "outputs/consoles/CDMXCONSOLE.h"

#include "analysis/records/SnxFields.h"
#include "outputs/consoles/CDMXCONSOLECELL.h"
#include "tests/outputs/ConsoleTestKit.h"
#include "ui/windows/LWindow.h"

#include <string>
#include <vector>

namespace {

class DmxConsole : public ConsoleFixture {
protected:
    std::vector<uint8_t> Bytes() const
    {
        const LObject* root = fDocument.Root();
        const auto* data = static_cast<const uint8_t*>(root->GetArrayData(kFdrsDmst));
        return data ? std::vector<uint8_t>(data, data + root->GetArrayCount(kFdrsDmst)) : std::vector<uint8_t>{};
    }
    CDMXCONSOLECELL& LiveCell(int32_t column) { return LiveCellOf<CDMXCONSOLECELL>(fConsole.List(), {column, 0}); }
    void Move(CDMXCONSOLECELL& cell, int32_t value)
    {
        cell.Slider().SetValue(value);
        cell.Slider().Action();
    }

    CDMXCONSOLE fConsole{&fDoc, PanelDef(), &fDocument, fDocument.Root(), kFdrsDmst};
};

} // namespace

TEST_F(DmxConsole, FiveHundredTwelveChannelsNumberedFromOneInAFloatingPanel)
{
    ASSERT_NE(fConsole.Window(), nullptr);
    EXPECT_EQ(fConsole.Window()->Native()->Title(), "DMX Console");
    CDMXConsoleList& list = fConsole.List();
    EXPECT_EQ(list.Columns(), 512);
    EXPECT_EQ(list.Rows(), 1);
    EXPECT_FALSE(fConsole.Rect().IsEmpty());
    EXPECT_EQ(list.CellHeight(), int32_t(list.Rect().Height()));
    EXPECT_TRUE(Bytes().empty());

    for (int32_t column : {0, 1, 254, 511}) {
        CDMXCONSOLECELL& cell = LiveCell(column);
        EXPECT_EQ(std::string(cell.Caption().Text().View()), std::to_string(column + 1));
        EXPECT_EQ(cell.Slider().GetValue(), 0) << "an empty array shows every slider at 0";
        EXPECT_EQ(cell.Slider().GetMax(), 255);
    }
    EXPECT_TRUE(Bytes().empty()) << "looking changes nothing";
    // Nothing beyond the row and the channels.
    LPane* probe = list.PrototypeCell();
    ASSERT_NE(probe, nullptr);
    EXPECT_FALSE(list.FillCell(*probe, {512, 0}));
    EXPECT_FALSE(list.FillCell(*probe, {0, 1}));
}

TEST_F(DmxConsole, FirstMoveFillsTheArrayAndUndoRestoresTheByteAndTheSlider)
{
    CDMXCONSOLECELL& cell = LiveCell(9);
    Move(cell, 200);
    std::vector<uint8_t> expected(512, 0);
    expected[9] = 200;
    EXPECT_EQ(Bytes(), expected);
    EXPECT_TRUE(fDocument.IsModified());

    ASSERT_TRUE(Undo());
    EXPECT_EQ(Bytes(), std::vector<uint8_t>(512, 0)) << "the growth to 512 channels stays";
    EXPECT_EQ(cell.Slider().GetValue(), 0) << "moved back through the observer";
    EXPECT_FALSE(fDoc.queue.CanUndo());

    ASSERT_TRUE(Redo());
    EXPECT_EQ(Bytes(), expected);
    EXPECT_EQ(cell.Slider().GetValue(), 200);
}

TEST_F(DmxConsole, EveryChannelIsSetByHandAndTakenBackOneByOne)
{
    std::vector<uint8_t> expected(512, 0);
    for (int32_t channel = 0; channel < 512; ++channel) {
        const uint8_t level = uint8_t((channel * 7 + 1) % 256);
        Move(LiveCell(channel), level);
        expected[size_t(channel)] = level;
    }
    EXPECT_EQ(Bytes(), expected);
    EXPECT_EQ(LiveCell(511).Slider().GetValue(), expected[511]);

    for (int32_t channel = 511; channel >= 500; --channel) {
        ASSERT_TRUE(Undo()) << channel;
        expected[size_t(channel)] = 0;
        EXPECT_EQ(Bytes(), expected) << channel;
    }
}

TEST_F(DmxConsole, RepeatedLevelsRecordNothingAndOtherMessagesPassOn)
{
    CDMXCONSOLECELL& cell = LiveCell(3);
    Move(cell, 0);  // already 0: the array grows, no step is recorded
    EXPECT_EQ(Bytes().size(), 512u);
    EXPECT_FALSE(fDoc.queue.CanUndo());
    // A slider change whose subject is not a cell's slider writes nothing.
    CSlider stray(&fConsole.List());
    stray.SetRange(0, 255);
    stray.SetValue(99);
    stray.Action();
    EXPECT_EQ(Bytes(), std::vector<uint8_t>(512, 0));
}

TEST_F(DmxConsole, ChangesOfTheArrayElsewhereMoveTheSliders)
{
    CDMXCONSOLECELL& cell = LiveCell(2);
    std::vector<uint8_t> levels(512, 17);
    LObject::SetArray(fDocument.Root(), nullptr, kFdrsDmst, levels.data(), uint32_t(levels.size()));
    EXPECT_EQ(cell.Slider().GetValue(), 17);
    const uint8_t one = 250;
    LObject::SetArrayElement(fDocument.Root(), nullptr, kFdrsDmst, 2, &one, LObject::Merge::No);
    EXPECT_EQ(cell.Slider().GetValue(), 250);
}
