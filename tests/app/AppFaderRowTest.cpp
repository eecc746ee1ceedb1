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
    // The OSC address a fader stores; empty while it has none of its own.
    static std::string StoredAddress(CSpecWindow& document, int32_t row = 0)
    {
        LStringRef address;
        (void)CParamSet::Find(document.Document().Fader(row)->GetChild(kFadrCprm), "oad", &address);
        return std::string(address.View());
    }
    // The addresses the faders store, in row order.
    static std::vector<std::string> StoredAddresses(CSpecWindow& document)
    {
        std::vector<std::string> addresses;
        for (int32_t row = 0; row < document.Document().FaderCount(); ++row)
            addresses.push_back(StoredAddress(document, row));
        return addresses;
    }
    // OSC faders storing `addresses`, a row each.
    CSpecWindow& OscDocument(const std::vector<std::string>& addresses)
    {
        CSpecWindow& document = Document(int(addresses.size()));
        for (int32_t row = 0; row < int32_t(addresses.size()); ++row) {
            CFaderCell* cell = Cell(document, row);
            (void)cell->OutputKind().SetSelection(kOscKind);
            LMessage::Send(LMessage(LPopupList::msgChanged, &cell->OutputKind(), cell));
            (void)CParamSet::SetValue(document.Document().Fader(row)->GetChild(kFadrCprm), nullptr, "oad",
                                      LStringRef(addresses[size_t(row)]));
        }
        windows.Wait(50);
        return document;
    }
    // A click in a row's port field, Tab on to its address field (its whole text selected),
    // then `text` typed over it.
    void TypeAddress(CSpecWindow& document, int32_t row, const std::string& text)
    {
        windows.Click(CentreOf(*Cell(document, row)->Panel().Control(0)));
        Walk(document, 1);
        ASSERT_EQ(Where(document), "row " + std::to_string(row) + " panel");
        Type(text);
    }
    // The addresses the rows' fields show, in row order.
    static std::vector<std::string> ShownAddresses(CSpecWindow& document)
    {
        std::vector<std::string> addresses;
        for (int32_t row = 0; row < document.Document().FaderCount(); ++row) {
            auto* field = dynamic_cast<LEditText*>(Cell(document, row)->Panel().Control(1));
            addresses.push_back(field ? std::string(field->GetText().View()) : "(no field)");
        }
        return addresses;
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

// Undo while an address is typed undoes the typing alone; every other way out of the field
// that changes the faders first stores the typed text into its own fader, as one undo step.
TEST_F(AppFaderRow, TypingEndsIntoItsOwnFaderBeforeTheFadersChange)
{
    const auto undo = [](CSpecWindow&) { EXPECT_TRUE(plat::MenuDriver::PressKey("z", plat::kCommandKeyMask)); };
    const auto redo = [](CSpecWindow&) {
        EXPECT_TRUE(plat::MenuDriver::PressKey("Z", plat::kCommandKeyMask | plat::kShiftKeyMask));
    };
    CSpecWindow* other = nullptr;
    const struct {
        const char* what;
        std::function<void(CSpecWindow&)> before; // the steps before "/two" is typed into `row`
        int32_t row;
        std::function<void(CSpecWindow&)> action;
        std::vector<std::string> stored; // the faders' addresses afterwards, in row order
    } cases[] = {
        {"Undo: the typing alone",
         [&](CSpecWindow& d) {
             TypeAddress(d, 0, "/one");
             windows.TypeKey("\r", kReturnKeyCode);
         },
         1, undo, {"/one", "/b"}},
        {"Redo of its row's deletion: nothing is left to redo",
         [&](CSpecWindow& d) {
             d.FaderFrame().List().SelectCell({0, 1});
             d.FaderFrame().List().DeleteSelection();
             undo(d);
         },
         1, redo, {"/a", "/two"}},
        {"Redo of a reorder that moves its row",
         [&](CSpecWindow& d) {
             LObject::MoveChild(d.Document().Root(), &d.FaderFrame().List(), kFdrsFdrs, 0, 2);
             undo(d);
         },
         0, redo, {"/two", "/b"}},
        {"a drop of a fader from another document just above it", [&](CSpecWindow&) { other = &OscDocument({"/c"}); },
         1, [&](CSpecWindow& d) { DragRow(other->FaderFrame().List(), 0, d.FaderFrame().List(), 1); },
         {"/a", "/c", "/two"}},
        {"its window losing the keys to another document's", [](CSpecWindow&) {}, 1,
         [&](CSpecWindow&) { Document(0); }, {"/a", "/two"}},
        {"the program losing the keys to another program", [](CSpecWindow&) {}, 1,
         [&](CSpecWindow&) {
             user.Deactivate();
             user.Activate();
         },
         {"/a", "/two"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CSpecWindow& document = OscDocument({"/a", "/b"});
        c.before(document);
        document.Window()->Native()->MakeKeyAndOrderFront();
        ASSERT_NO_FATAL_FAILURE(TypeAddress(document, c.row, "/two"));
        c.action(document);
        EXPECT_EQ(StoredAddresses(document), c.stored);
        EXPECT_EQ(ShownAddresses(document), c.stored) << "a field shows what its fader does not hold";
    }
}

// A field showing the text its fader stores is no change of the document, typed or not.
TEST_F(AppFaderRow, AnAddressTypedAsItWasIsNoChange)
{
    CSpecWindow& document = OscDocument({"/a"});
    ASSERT_TRUE(document.Save(TempPath("same.snx")));
    ASSERT_NO_FATAL_FAILURE(TypeAddress(document, 0, "/a"));
    EXPECT_FALSE(document.IsModified()) << "while typed";
    windows.TypeKey("\t", kTabKeyCode);
    EXPECT_FALSE(document.IsModified()) << "once entered";
}
