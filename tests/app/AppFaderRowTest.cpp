// The fader rows of a document window under a person's keyboard: Tab and Shift+Tab go along a
// row's fields and controls, on into the next row, and into and out of the list from the
// window's other controls; a text typed into a row's parameter counts once its edit ends.
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/window/CSpecWindow.h"
#include "controls/edit/CEntryEditText.h"
#include "foundation/records/CParamSet.h"
#include "outputs/editor/CFaderCell.h"
#include "outputs/editor/CFaderFrame.h"
#include "platform/window/Event.h"
#include "tests/app/AppRunKit.h"
#include "tests/foundation/TempFiles.h"
#include "tests/support/LiveCell.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kTabKeyCode = 48;
constexpr uint16_t kReturnKeyCode = 36;
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
    // Letters and marks typed a key at a time.
    void Type(const std::string& text)
    {
        for (char c : text)
            windows.TypeKey(std::string(1, c), 0);
    }
    // The OSC address the first fader stores; empty while it has none of its own.
    static std::string StoredAddress(CSpecWindow& document)
    {
        LStringRef address;
        (void)CParamSet::Find(document.Document().Fader(0)->GetChild(kFadrCprm), "oad", &address);
        return std::string(address.View());
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

// An OSC address typed into a row is stored only when its edit ends: by Return, by Tab, by a
// click elsewhere, or by a save, which writes it to the file; until then the document counts
// as changed but the fader keeps the address it had. Each edit is one undo step.
TEST_F(AppFaderRow, AnAddressTypedIntoARowIsStoredOnlyWhenItsEditEnds)
{
    const std::string saved = TempPath("typed.snx");
    const struct {
        const char* what;
        std::function<void(CSpecWindow&)> end;
        bool stored;
        bool written; // in the saved file
    } cases[] = {
        {"Return", [&](CSpecWindow&) { windows.TypeKey("\r", kReturnKeyCode); }, true, false},
        {"Tab", [&](CSpecWindow&) { windows.TypeKey("\t", kTabKeyCode); }, true, false},
        {"a click in the row's name", [&](CSpecWindow& d) { windows.Click(CentreOf(Cell(d, 0)->Name())); }, true, false},
        {"File > Save by its key", [](CSpecWindow&) { EXPECT_TRUE(plat::MenuDriver::PressKey("s", plat::kCommandKeyMask)); },
         true, true},
        {"nothing", [](CSpecWindow&) {}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CSpecWindow& document = Document(1, kOscKind);
        windows.Click(CentreOf(*Cell(document, 0)->Panel().Control(0))); // the port field
        Walk(document, 1); // on to the address field, its whole text selected
        const LPane* address = Cell(document, 0)->Panel().Control(1); // the row's pane once focused
        ASSERT_TRUE(dynamic_cast<const CEntryEditText*>(address) && document.FocusTarget() == address);
        Type("/one");
        windows.TypeKey("\r", kReturnKeyCode); // the text stays selected
        ASSERT_TRUE(document.Save(saved));
        Type("/two");
        EXPECT_EQ(StoredAddress(document), "/one") << "stored while typed";
        EXPECT_TRUE(Enabled("LStdCmd_Save")) << "a typed address is a change to save";
        c.end(document);
        EXPECT_EQ(StoredAddress(document), c.stored ? "/two" : "/one");
        EXPECT_EQ(ReadAll(saved).find("/two") != std::string::npos, c.written);
        if (!c.stored)
            continue;
        EXPECT_TRUE(plat::MenuDriver::PressKey("z", plat::kCommandKeyMask));
        EXPECT_EQ(StoredAddress(document), "/one") << "the two edits were one undo step";
        EXPECT_TRUE(plat::MenuDriver::PressKey("z", plat::kCommandKeyMask));
        EXPECT_EQ(StoredAddress(document), "");
    }
}
