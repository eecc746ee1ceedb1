// The fader rows of a document window under a person's keyboard: Tab and Shift+Tab go along a
// row's fields and controls, on into the next row, and into and out of the list from the
// window's other controls.
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/window/CSpecWindow.h"
#include "outputs/editor/CFaderCell.h"
#include "outputs/editor/CFaderFrame.h"
#include "platform/window/Event.h"
#include "tests/app/AppRunKit.h"
#include "tests/support/LiveCell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint16_t kTabKeyCode = 48;
constexpr int32_t kOscKind = 9;

class AppFaderRow : public AppRunTest {
protected:
    void SetUp() override
    {
        AppRunTest::SetUp();
        Start();
    }
    // A new document in front with `faders` faders, the first one's output kind `firstKind`.
    CSpecWindow& Document(int faders, int32_t firstKind = 0)
    {
        CSpecWindow* document = CApp::Get()->OpenDocument("");
        EXPECT_NE(document, nullptr);
        document->Window()->Native()->MakeKeyAndOrderFront();
        for (int i = 0; i < faders; ++i)
            document->FaderFrame().List().AddFader(); // as Faders > Add Fader does
        if (firstKind != 0) {
            CFaderCell* cell = Cell(*document, 0);
            EXPECT_NE(cell, nullptr);
            (void)cell->OutputKind().SetSelection(firstKind);
            LMessage::Send(LMessage(LPopupList::msgChanged, &cell->OutputKind(), cell));
        }
        windows.Wait(50);
        return *document;
    }
    static CFaderCell* Cell(CSpecWindow& document, int32_t row)
    {
        return &LiveCellOf<CFaderCell>(document.FaderFrame().List(), {0, row});
    }
    // Where the keyboard is: "row R name" and so on, "row R panel" for the output kind's own
    // fields, "outside" for a stop that is no fader row's.
    static std::string Where(CSpecWindow& document)
    {
        LPane* focus = document.FocusTarget();
        CLPoint at;
        auto* cell = dynamic_cast<CFaderCell*>(document.FaderFrame().List().FindCell(focus, &at));
        if (!cell || !focus)
            return "outside";
        const std::pair<LPane*, const char*> stops[] = {
            {&cell->Name(), "name"},           {&cell->Channel(), "channel"},      {&cell->SourceType(), "source"},
            {&cell->BandLow(), "band low"},    {&cell->BandHigh(), "band high"},   {&cell->InputLow(), "input low"},
            {&cell->InputHigh(), "input high"}, {&cell->OutputLow(), "output low"}, {&cell->OutputHigh(), "output high"},
            {&cell->OutputKind(), "output"},
        };
        const std::string row = "row " + std::to_string(at.y) + " ";
        for (const auto& [pane, name] : stops)
            if (LHandler::IsOnChain(nullptr, focus, pane))
                return row + name;
        if (LHandler::IsOnChain(nullptr, focus, &cell->Panel()))
            return row + "panel";
        return row + "?";
    }
    // The stops that person-timed Tabs (Shift+Tabs when `back`) reach, one per key.
    std::vector<std::string> Walk(CSpecWindow& document, int keys, bool back = false)
    {
        std::vector<std::string> reached;
        for (int i = 0; i < keys; ++i) {
            windows.TypeKey("\t", kTabKeyCode, back ? uint32_t(plat::kModShift) : 0u);
            reached.push_back(Where(document));
        }
        return reached;
    }
    static std::vector<std::string> Row(int row, bool panel = false)
    {
        std::vector<std::string> stops;
        for (const char* name : {"name", "channel", "source", "band low", "band high", "input low", "input high",
                                 "output low", "output high", "output"})
            stops.push_back("row " + std::to_string(row) + " " + name);
        if (panel)
            stops.insert(stops.end(), 2, "row " + std::to_string(row) + " panel");
        return stops;
    }
};

} // namespace

TEST_F(AppFaderRow, TabGoesFromTheWindowsControlsAlongEachRowAndOnOutOfTheList)
{
    const struct {
        const char* what;
        int faders;
        int32_t firstKind;
        std::vector<std::vector<std::string>> rows;
    } cases[] = {
        {"two rows", 2, 0, {Row(0), Row(1)}},
        {"an OSC row first: its port and address after its output list", 2, kOscKind, {Row(0, true), Row(1)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CSpecWindow& document = Document(c.faders, c.firstKind);
        std::vector<std::string> expected;
        for (const auto& row : c.rows)
            expected.insert(expected.end(), row.begin(), row.end());
        expected.push_back("outside");
        // Tab from the window's other controls lands on the first row's first stop.
        for (int i = 0; i < 12 && Where(document).rfind("row ", 0) != 0; ++i)
            Walk(document, 1);
        ASSERT_EQ(Where(document), expected.front());
        EXPECT_EQ(Walk(document, int(expected.size()) - 1),
                  std::vector<std::string>(expected.begin() + 1, expected.end()));

        // Shift+Tab from the stop after the rows goes back into the last row's last stop, and
        // on backwards through the rows to the stop before them.
        std::vector<std::string> backExpected(expected.rbegin() + 1, expected.rend());
        backExpected.push_back("outside");
        EXPECT_EQ(Walk(document, int(backExpected.size()), true), backExpected);
    }
}
