// The control panel builds real controls from definitions, places them with the generated
// layout texts and the shipped layout prelude, and turns their messages into parameter texts.
#include "outputs/defs/CCtlPanel.h"

#include "controls/edit/CEntryEditText.h"
#include "controls/edit/CNoteEdit.h"
#include "controls/edit/CNumVol.h"
#include "controls/headers/CColumnHeader.h"
#include "controls/headers/CRespText.h"
#include "controls/headers/CRowHeader.h"
#include "controls/std/CSlider.h"
#include "controls/std/LPopupList.h"
#include "foundation/core/LMessage.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/CParamSet.h"
#include "foundation/records/LObject.h"
#include "outputs/consoles/CMidiPanEdit.h"
#include "outputs/defs/CCtlDefList.h"
#include "outputs/defs/CDefTree.h"
#include "outputs/defs/DefinitionFiles.h"
#include "tests/support/InstalledResources.h"
#include "ui/panes/LCaptionPane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

const char* kControls =
    "{ id: vol; name: Volume; min: 0; max: 100; ini: 50 },"
    "{ type: poplist; id: wave; name: Wave; items: { text: sine }, { text: square }, { text: saw } },"
    "{ type: slider; id: pos; name: Pos; min: 0; max: 10; ini: 3 },"
    "{ type: index; id: index; name: Ch; base: 1 },"
    "{ type: edittext; id: addr; name: Address; ini: \"/a\"; chars: 8 },"
    "{ type: midinote; id: note; name: Note; ini: 60 },"
    "{ type: midipan; id: pan; name: Pan; ini: 64 },"
    "{ id: gain; name: Gain; min: 0; max: 100; prec: 1; scale: 10; ini: 20 }";

class CCtlPanelTest : public InstalledResourcesSuite {
protected:
    void Load(CCtlDefList::Layout layout, const std::string& controls = kControls)
    {
        ASSERT_EQ(fTree.Parse("sonalyx: { controls: " + controls + " }"), 0u);
        fList.Load(FindControlsNode(fTree), layout);
    }
    // The panel at its preferred size.
    void Show()
    {
        ASSERT_TRUE(fPanel.SetList(&fList));
        const int32_t width = fPanel.PrefWidth(nullptr, 0);
        const int32_t height = fPanel.PrefHeight(nullptr, 0);
        ASSERT_GT(width, 0);
        ASSERT_GT(height, 0);
        fPanel.SetRect({0, 0, width, height});
    }
    template <class T>
    T& ControlAs(uint32_t i)
    {
        T* control = dynamic_cast<T*>(fPanel.Control(i));
        EXPECT_NE(control, nullptr) << i;
        return *control;
    }
    // "id=text" of the parameter a message of a pane means, or "none".
    std::string Translate(const char* type, LPane* pane)
    {
        LStringRef id;
        LStringRef text;
        if (!fPanel.TranslateMessage(LMessage(type, pane, &fPanel), id, text))
            return "none";
        return std::string(id.View()) + "=" + std::string(text.View());
    }
    std::string Translate(const char* type, uint32_t i) { return Translate(type, fPanel.Control(i)); }

    CDefTree fTree;
    CCtlDefList fList;
    CCtlPanel fPanel{nullptr, nullptr};
};

} // namespace

TEST_F(CCtlPanelTest, EachDefinitionMakesItsControlInOrder)
{
    Load(CCtlDefList::Layout::Row);
    Show();
    ControlAs<CNumVol>(0), ControlAs<LPopupList>(1), ControlAs<CSlider>(2), ControlAs<LCaptionPane>(3);
    ControlAs<LEditText>(4), ControlAs<CNoteEdit>(5), ControlAs<CMidiPanEdit>(6), ControlAs<CNumVol>(7);
    EXPECT_EQ(fPanel.Control(8), nullptr);
    EXPECT_TRUE(ControlAs<LCaptionPane>(3).Font().Get()) << "the index caption draws in a font";
    // Children of the frame in definition order: pane index i + 1 of the layout texts.
    for (uint32_t i = 0; i < fList.Count(); ++i)
        EXPECT_EQ(fPanel.PaneAt(i + 1), fPanel.Control(i)) << i;
    EXPECT_EQ(ControlAs<LPopupList>(1).GetItemCount(), 3);
    EXPECT_EQ(ControlAs<CSlider>(2).GetValue(), 3);
    EXPECT_EQ(std::string(ControlAs<LEditText>(4).GetText().View()), "/a");
    EXPECT_EQ(std::string(ControlAs<CMidiPanEdit>(6).GetText().View()), " C ");

    // The same list changes nothing; no list removes every control.
    LPane* first = fPanel.Control(0);
    EXPECT_FALSE(fPanel.SetList(&fList));
    EXPECT_EQ(fPanel.Control(0), first);
    EXPECT_TRUE(fPanel.SetList(nullptr));
    EXPECT_EQ(fPanel.Control(0), nullptr);
    EXPECT_EQ(fPanel.PaneAt(1), nullptr);
    EXPECT_EQ(fPanel.PrefWidth(nullptr, 0), 0);
}

TEST_F(CCtlPanelTest, ARowIsSpacedByTheScaledSpacingAndCentredVertically)
{
    Load(CCtlDefList::Layout::Row);
    fPanel.SetSpacing(1.5f, 0.3f);
    Show();
    // kStdSpc 20 x 1.5 between the controls and at both ends.
    const int32_t hspc = 30;
    EXPECT_EQ(fPanel.Control(0)->Rect().left, hspc);
    for (uint32_t i = 1; i < fList.Count(); ++i)
        EXPECT_EQ(fPanel.Control(i)->Rect().left, fPanel.Control(i - 1)->Rect().right + hspc) << i;
    EXPECT_EQ(fPanel.Rect().right, fPanel.Control(fList.Count() - 1)->Rect().right + hspc);
    const int32_t middle = static_cast<int32_t>(fPanel.Rect().Height() / 2);
    for (uint32_t i = 0; i < fList.Count(); ++i) {
        const CLRect& r = fPanel.Control(i)->Rect();
        EXPECT_LE(std::abs((r.top + r.bottom) / 2 - middle), 1) << i;
        EXPECT_GE(r.top, 0) << i;
        EXPECT_LE(r.bottom, fPanel.Rect().bottom) << i;
    }
    // A wider panel places its controls again: still centred on the new height.
    fPanel.SetRect({0, 0, static_cast<int32_t>(fPanel.Rect().Width()), 200});
    const CLRect& r = fPanel.Control(0)->Rect();
    EXPECT_LE(std::abs((r.top + r.bottom) / 2 - 100), 1);
}

TEST_F(CCtlPanelTest, AColumnStacksCentredControls)
{
    Load(CCtlDefList::Layout::Column);
    Show();
    // kItemVSpc - 1 between the rows.
    const int32_t vspc = 7;
    EXPECT_EQ(fPanel.Control(0)->Rect().top, vspc);
    for (uint32_t i = 1; i < fList.Count(); ++i)
        EXPECT_EQ(fPanel.Control(i)->Rect().top, fPanel.Control(i - 1)->Rect().bottom + vspc) << i;
    EXPECT_EQ(fPanel.Rect().bottom, fPanel.Control(fList.Count() - 1)->Rect().bottom + vspc);
    const int32_t centre = static_cast<int32_t>(fPanel.Rect().Width() / 2);
    for (uint32_t i = 0; i < fList.Count(); ++i) {
        const CLRect& r = fPanel.Control(i)->Rect();
        EXPECT_LE(std::abs((r.left + r.right) / 2 - centre), 1) << i;
    }
}

TEST_F(CCtlPanelTest, ValuesComeFromTheSetOrTheDefaultsAndIndexFromTheCaller)
{
    Load(CCtlDefList::Layout::Row);
    Show();
    LObjectPtr set = LObject::Create(CParamSchema::SetClass());
    for (const auto& [id, value] : {std::pair{"vol", "75"}, {"wave", "saw"}, {"pos", "7.9"}, {"addr", "/snx/f1"},
                                    {"pan", "20"}, {"gain", "0.35"}})
        CParamSet::SetValue(set.get(), nullptr, id, LStringRef(value));
    fPanel.SetValues(set.get(), 4);

    EXPECT_EQ(std::string(ControlAs<CNumVol>(0).GetText().View()), "75");
    EXPECT_EQ(ControlAs<LPopupList>(1).GetSelection(), 2);
    EXPECT_EQ(ControlAs<CSlider>(2).GetValue(), 7);  // truncated
    EXPECT_EQ(std::string(ControlAs<LCaptionPane>(3).Text().View()), "5");  // 4 + base 1
    EXPECT_EQ(std::string(ControlAs<LEditText>(4).GetText().View()), "/snx/f1");
    EXPECT_EQ(std::string(ControlAs<CNoteEdit>(5).GetText().View()), "C 4");  // default 60
    EXPECT_EQ(std::string(ControlAs<CMidiPanEdit>(6).GetText().View()), "L44");
    EXPECT_EQ(std::string(ControlAs<CNumVol>(7).GetText().View()), "3.5");  // stored x scale 10

    // Without a set every control shows its definition's default; a text no pop-up item
    // carries leaves the selection alone.
    CParamSet::SetValue(set.get(), nullptr, "wave", LStringRef("noise"));
    fPanel.SetValues(set.get(), 0);
    EXPECT_EQ(ControlAs<LPopupList>(1).GetSelection(), 2);
    fPanel.SetValues(nullptr, 0);
    EXPECT_EQ(std::string(ControlAs<CNumVol>(0).GetText().View()), "50");
    EXPECT_EQ(ControlAs<CSlider>(2).GetValue(), 3);
    EXPECT_EQ(std::string(ControlAs<LCaptionPane>(3).Text().View()), "1");
    EXPECT_EQ(std::string(ControlAs<CNumVol>(7).GetText().View()), "20.0");  // ini 20 shown, "prec" 1
}

TEST_F(CCtlPanelTest, ControlMessagesBecomeParameterTexts)
{
    Load(CCtlDefList::Layout::Row);
    Show();
    ControlAs<CNumVol>(7).SetValue(4.5);
    EXPECT_EQ(Translate(CNumVol::msgFix, 7), "gain=0.45"); // shown / scale, with the scale's extra decimal
    EXPECT_EQ(Translate(CNumVol::msgMove, 7), "none");
    ControlAs<LPopupList>(1).SetSelection(1);
    EXPECT_EQ(Translate(LPopupList::msgChanged, 1), "wave=square");
    ControlAs<CSlider>(2).SetValue(9);
    EXPECT_EQ(Translate(CSlider::msgChange, 2), "pos=9");
    ControlAs<LEditText>(4).SetText(LStringRef("/x y"));
    EXPECT_EQ(Translate(CEntryEditText::msgEnter, 4), "addr=/x y");
    EXPECT_EQ(Translate(LEditText::msgChange, 4), "none") << "a text counts once its edit ends";
    ControlAs<CMidiPanEdit>(6).SetText(LStringRef("r10"));
    EXPECT_EQ(Translate(CNumVol::msgFix, 6), "pan=74");

    // The index caption reports nothing; neither does a message about a pane that is not
    // one of the panel's controls, nor one whose type its definition does not read.
    EXPECT_EQ(Translate(CNumVol::msgFix, 3), "none");
    EXPECT_EQ(Translate(LEditText::msgChange, 0u), "none");
    CNumVol stranger(&fPanel, 0, 0);
    EXPECT_EQ(Translate(CNumVol::msgFix, &stranger), "none");
}

TEST_F(CCtlPanelTest, HeadersTakeOneTitlePerDefinitionBesideItsControl)
{
    Load(CCtlDefList::Layout::Row);
    Show();
    CColumnHeader columns(nullptr, 1, false, false);
    columns.SetRect({0, 0, static_cast<int32_t>(fPanel.Rect().Width()), 20});
    fPanel.FillHeader(columns);
    fPanel.FillHeader(columns);  // a second fill replaces the items
    ASSERT_EQ(columns.ItemCount(), static_cast<int32_t>(fList.Count()));
    EXPECT_EQ(std::string(columns.Item(0)->Text().View()), "Volume");
    EXPECT_EQ(std::string(columns.Item(7)->Text().View()), "Gain");
    fPanel.SetList(nullptr);
    fPanel.FillHeader(columns);  // an output kind without settings leaves no titles behind
    EXPECT_EQ(columns.ItemCount(), 0);

    CCtlPanel column(nullptr, nullptr);
    CCtlDefList list;
    list.Load(FindControlsNode(fTree), CCtlDefList::Layout::Column);
    column.SetList(&list);
    column.SetRect({0, 0, column.PrefWidth(nullptr, 0), column.PrefHeight(nullptr, 0)});
    CRowHeader rows(nullptr, 2, false, false);
    rows.SetRect({0, 0, 80, static_cast<int32_t>(column.Rect().Height())});
    column.FillHeader(rows);
    ASSERT_EQ(rows.ItemCount(), static_cast<int32_t>(list.Count()));
    // Each title lies level with its control: their middles within a pixel or two.
    for (int32_t i = 0; i < rows.ItemCount(); ++i) {
        const CLRect& title = rows.Item(i)->Rect();
        const CLRect& control = column.Control(static_cast<uint32_t>(i))->Rect();
        EXPECT_LE(std::abs((title.top + title.bottom) / 2 - (control.top + control.bottom) / 2), 2) << i;
    }
}

// Titles wider than their controls push the row apart: each title, centred over its control,
// keeps clear of its neighbours and of the panel's left edge. Short titles leave the spacing.
TEST_F(CCtlPanelTest, WideTitlesSpreadTheRowSoTheyStandApart)
{
    Load(CCtlDefList::Layout::Row,
         "{ id: a; name: Channel of the long title; min: 1; max: 16; ini: 1 },"
         "{ id: b; name: Controller with a longer title; min: 0; max: 127; ini: 7 }");
    fPanel.SetSpacing(1.5f, 0.3f);
    Show();
    CColumnHeader columns(nullptr, 1, false, false);
    columns.SetRect({0, 0, static_cast<int32_t>(fPanel.Rect().Width()), 20});
    fPanel.FillHeader(columns);
    ASSERT_EQ(columns.ItemCount(), 2);
    const CLRect first = columns.Item(0)->Rect();
    const CLRect second = columns.Item(1)->Rect();
    EXPECT_GE(first.left, 0);
    EXPECT_GE(second.left, first.right + 6) << "the titles run into each other";
    EXPECT_LE(second.right, fPanel.Rect().right) << "the panel is as wide as its titles";
    EXPECT_GT(fPanel.Control(1)->Rect().left - fPanel.Control(0)->Rect().right, 30);
}

TEST(CMidiPanEdit, PanTextsBothWays)
{
    const struct {
        const char* text;
        int32_t value;
    } parses[] = {{"l20", 44}, {"r10", 74}, {"c", 64}, {"L99", 0}, {"100R", 127}, {"", 64},
                  {" C ", 64}, {"L64", 0}, {"63R", 127}, {"x5y", 69}, {"L5C", 64},
                  {"L99999999999999999999", 0}, {"R 7", 71}};
    for (const auto& c : parses)
        EXPECT_EQ(CMidiPanEdit::ParseText(c.text), c.value) << c.text;

    const struct {
        double value;
        const char* text;
    } formats[] = {{0, "L64"}, {1, "L63"}, {63, "L1"}, {64, " C "}, {65, "1R"}, {127, "63R"},
                   {64.9, " C "}, {NAN, " C "}, {INFINITY, " C "}};
    for (const auto& c : formats)
        EXPECT_EQ(std::string(CMidiPanEdit::FormatPan(c.value).View()), c.text) << c.value;
    for (int32_t v = 0; v <= 127; ++v)
        EXPECT_EQ(CMidiPanEdit::ParseText(CMidiPanEdit::FormatPan(v).View()), v) << v;
}
