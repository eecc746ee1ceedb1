#include "foundation/core/LStrStream.h"
#include "outputs/defs/CCtlDefList.h"
#include "outputs/defs/CDefTree.h"
#include "outputs/defs/CEditCtlDef.h"
#include "outputs/defs/CNumericCtlDef.h"
#include "outputs/defs/CValueCtlDef.h"
#include "outputs/defs/DefinitionFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>

namespace {

// Parses "controls: {...}, ..." and keeps the tree for the lists made from it.
class CtlDefs {
public:
    explicit CtlDefs(const std::string& controls)
    {
        EXPECT_EQ(fTree.Parse("sonalyx: { controls: " + controls + " }"), 0u);
    }
    const CDefNode* Controls() const { return FindControlsNode(fTree); }
    const CDefList& Block(size_t i) const { return Controls()->blocks.at(i); }
    CCtlDefList List(CCtlDefList::Layout layout) const
    {
        CCtlDefList list;
        list.Load(Controls(), layout);
        return list;
    }

private:
    CDefTree fTree;
};

std::string Text(const LStringRef& text)
{
    return std::string(text.View());
}

} // namespace

TEST(CValueCtlDef, DefaultTextConvertsFromDisplayUnits)
{
    CtlDefs defs("{ id: a; ini: 1000; base: 0; scale: 100 }, { id: b; ini: \"0.5\" }, { id: c },"
                 "{ id: d; ini: \"\" }, { id: e; ini: 25; base: 5; prec: 1 }, { id: f; ini: 7; scale: \"1.5\"; prec: 1 },"
                 "{ id: g; ini: 3; scale: inf }, { id: h; ini: 3; scale: \"0.5\" }");
    const char* texts[] = {"10", "0.5", "0", "", "20", "4.67", "3", "3"};
    for (size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(Text(CValueCtlDef::DefaultText(defs.Block(i))), texts[i]) << i;
    // The panel parses "ini" as an integer: the quoted 0.5 shows as 0.
    EXPECT_EQ(Text(defs.List(CCtlDefList::Layout::Row).DefaultText(1)), "0");
}

TEST(CNumericCtlDef, WidthDigitsPrecisionAndStoredInitialValue)
{
    CtlDefs defs("{ min: \"-100\"; max: 100; prec: 1 }, { min: 0; max: 5 }, { min: inf; max: nan },"
                 "{ min: 0; max: 65535; ini: 1000; scale: 100; prec: 1 }, { ini: 5; scale: 0; base: 2 }");
    for (const auto& [block, digits] : {std::pair{0, 6}, {1, 3}, {2, 3}, {3, 3 + 4}})
        EXPECT_EQ(CNumericCtlDef(defs.Block(block)).WidthDigits(), digits) << block;
    const CNumericCtlDef scaled(defs.Block(3));
    EXPECT_EQ(scaled.Precision(), 3);
    EXPECT_FLOAT_EQ(scaled.Ini(), 10.0f);
    EXPECT_EQ(Text(scaled.FormatValue()), "10");
    EXPECT_FLOAT_EQ(CNumericCtlDef(defs.Block(4)).Ini(), 3.0f);
}

TEST(CEditCtlDef, CharsAndLinesAreAtLeastOne)
{
    CtlDefs defs("{ type: edittext; chars: 0; lines: 3; ini: hello }, { type: edittext; chars: \"0x10\"; lines: \"\"; arg: 2 },"
                 "{ type: edittext; chars: \"-4\" }");
    const CEditCtlDef first(defs.Block(0));
    EXPECT_EQ(first.Arg(), -1);
    EXPECT_EQ(CEditCtlDef(defs.Block(1)).Arg(), 2);
    LStrStream out;
    first.WidthExpr(4, out);
    first.HeightExpr(4, out);
    EXPECT_EQ(out.View(), "CalcEditW(4,1)CalcEditH(4,3)");
    EXPECT_TRUE(first.IsMultiLine());
    EXPECT_EQ(Text(first.FormatValue()), "hello");
    const CEditCtlDef second(defs.Block(1));
    EXPECT_EQ(second.Chars(), 16u);
    EXPECT_EQ(second.Lines(), 1u);
    EXPECT_FALSE(second.IsMultiLine());
    EXPECT_EQ(CEditCtlDef(defs.Block(2)).Chars(), 1u);
    EXPECT_EQ(Text(CEditCtlDef::ValueText(1.23456f)), "1.2346");
    EXPECT_EQ(Text(CEditCtlDef::ValueText(std::numeric_limits<float>::quiet_NaN())), "0");
}

TEST(CCtlDefList, RowScriptsOfTwoNumericControls)
{
    CtlDefs defs("{ id: a; min: 0; max: 10 }, { id: b; type: numeric }");
    const CCtlDefList list = defs.List(CCtlDefList::Layout::Row);
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(Text(list.Prelude()), "hspc=kStdSpc;vspc=kItemVSpc-1;");
    EXPECT_EQ(Text(list.SizeScript()),
              "cw=hspc+CalcEditW(1,3)+hspc+CalcEditW(2,3)+hspc;ch=max(hp(1),hp(2),0)+2*vspc;pp(0,0,0,cw,ch);");
    EXPECT_EQ(Text(list.PlaceScript()),
              "vc=h(0)/2;l1=hspc;"
              "h1=hp(1);PlaceSize(1,l1,vc-h1/2,CalcEditW(1,3),h1);l1=r(1)+hspc;"
              "h1=hp(2);PlaceSize(2,l1,vc-h1/2,CalcEditW(2,3),h1);l1=r(2)+hspc;");
}

TEST(CCtlDefList, ColumnScriptsOfEveryTypeSkippingUnknownOnes)
{
    CtlDefs defs("{ type: index; id: index; base: 1 }, { type: bogus }, { type: midinote }, { type: midipan },"
                 "{ type: poplist; items: { text: A }, { text: B } }, { type: slider; id: 7 },"
                 "{ type: slider; place: \"PlaceSize(%0,0,t1,%1,%2);\" }, { type: edittext; chars: 8; lines: 2 }");
    const CCtlDefList list = defs.List(CCtlDefList::Layout::Column);
    ASSERT_EQ(list.Count(), 7u);
    EXPECT_EQ(Text(list.Id(0)), "index");
    EXPECT_EQ(Text(list.Id(7)), "");
    EXPECT_EQ(Text(list.Prelude()), "hspc=kItemHSpc-2;vspc=kItemVSpc-1;");
    EXPECT_EQ(Text(list.SizeScript()),
              "cw=max(CalcTextW(1,4),wp(2),wp(3),w(4),wp(5),wp(6),CalcEditW(7,8),0)+2*hspc;"
              "ch=vspc+hp(1)+vspc+hp(2)+vspc+hp(3)+vspc+hp(4)+vspc+2*wp(5)+vspc+2*wp(6)+vspc+CalcEditH(7,2)+vspc;"
              "pp(0,0,0,cw,ch);");
    EXPECT_EQ(Text(list.PlaceScript()),
              "hc=w(0)/2;t1=vspc;"
              "w1=CalcTextW(1,4);PlaceSize(1,hc-w1/2,t1,w1,hp(1));t1=b(1)+vspc;"
              "w1=wp(2);PlaceSize(2,hc-w1/2,t1,w1,hp(2));t1=b(2)+vspc;"
              "w1=wp(3);PlaceSize(3,hc-w1/2,t1,w1,hp(3));t1=b(3)+vspc;"
              "w1=w(4);PlaceSize(4,hc-w1/2,t1,w1,hp(4));t1=b(4)+vspc;"
              "w1=wp(5);PlaceSize(5,hc-w1/2,t1,w1,2*wp(5));t1=b(5)+vspc;"
              "PlaceSize(6,0,t1,wp(6),2*wp(6));t1=b(6)+vspc;"
              "w1=CalcEditW(7,8);PlaceSize(7,hc-w1/2,t1,w1,CalcEditH(7,2));t1=b(7)+vspc;");
}

TEST(CCtlDefList, NoControlsGiveOnlyTheSizeCall)
{
    CCtlDefList list;
    list.Load(nullptr, CCtlDefList::Layout::Row);
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(Text(list.SizeScript()), ";pp(0,0,0,cw,ch);");
    EXPECT_EQ(Text(list.PlaceScript()), "vc=h(0)/2;l1=hspc;");
}

TEST(DefinitionFiles, ShippedFilesParseAndGiveSafeDefaults)
{
    std::map<std::string, std::string> defaults;
    for (uint32_t kind = 1; kind <= 9; ++kind) {
        CDefTree tree;
        ASSERT_EQ(LoadFaderKindDefs(kind, tree), 1) << FaderKindName(kind);
        const CDefNode* controls = FindControlsNode(tree);
        ASSERT_NE(controls, nullptr) << FaderKindName(kind);
        for (const CDefList& block : controls->blocks)
            defaults[std::string(FaderKindName(kind)) + "." + CDefNode::ChildValue(block, "id")] =
                Text(CValueCtlDef::DefaultText(block));
    }
    for (const auto& [id, text] : std::map<std::string, std::string>{
             {"dmx.dch", "1"}, {"dmx2.dch", "1"}, {"snd.svl", "0.5"}, {"mctrl.mch", "0"}, {"mctrl.mct", "7"},
             {"mnote.mvl", "100"}, {"mtrig.mnt", "60"}, {"osc.opt", "9000"}, {"osc.oad", "/snx/fader"}})
        EXPECT_EQ(defaults[id], text) << id;

    CDefTree console;
    ASSERT_EQ(LoadDefinitionFile("midiconsole", console), 1);
    CCtlDefList list;
    list.Load(FindControlsNode(console), CCtlDefList::Layout::Column);
    EXPECT_EQ(list.Count(), 4u);
    EXPECT_EQ(LoadFaderKindDefs(0, console), 0);
    EXPECT_EQ(LoadDefinitionFile("missing-file", console), 0);
    EXPECT_EQ(LoadDefinitionFile("../faders/dmx", console), 0);
}

TEST(CCtlDef, ShownTextsAndReportedValuesPerType)
{
    CtlDefs defs("{ type: numeric; min: 0; max: 100; prec: 1; scale: 100; base: 5 }, { type: midinote },"
                 "{ type: slider; min: 0; max: 127 }, { type: index; base: 1 }, { type: edittext },"
                 "{ type: poplist; items: { text: A } }");
    const CCtlDefList list = defs.List(CCtlDefList::Layout::Column);
    ASSERT_EQ(list.Count(), 6u);
    const CCtlDef& numeric = *list.At(0);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    float value = -1.0f;
    // Numeric: shown = stored × 100 + 5 with 1 + 2 decimals; reported back the other way.
    EXPECT_EQ(Text(numeric.ShownText(0.25f)), "30");
    EXPECT_EQ(Text(numeric.ShownText(nan)), "5");
    ASSERT_TRUE(numeric.StoredValue(30.0, value));
    EXPECT_FLOAT_EQ(value, 0.25f);
    EXPECT_EQ(Text(numeric.ReportText(0.125f)), "0.125");
    ASSERT_TRUE(numeric.StoredValue(std::numeric_limits<double>::infinity(), value));
    EXPECT_FLOAT_EQ(value, -0.05f);
    // Note and slider values are whole numbers; a note is one byte.
    ASSERT_TRUE(list.At(1)->StoredValue(300.7, value));
    EXPECT_FLOAT_EQ(value, 44.0f);
    ASSERT_TRUE(list.At(1)->StoredValue(std::nan(""), value));
    EXPECT_FLOAT_EQ(value, 0.0f);
    EXPECT_EQ(Text(list.At(2)->ShownText(99.9f)), "99");
    EXPECT_EQ(Text(list.At(2)->ShownText(-1e30f)), "-2147483648");
    ASSERT_TRUE(list.At(2)->StoredValue(64.9, value));
    EXPECT_FLOAT_EQ(value, 64.0f);
    // The index shows the row plus its base and reports nothing.
    EXPECT_EQ(Text(list.At(3)->ShownText(2.7f)), "3");
    EXPECT_FALSE(list.At(3)->StoredValue(1.0, value));
    EXPECT_EQ(Text(list.At(4)->ShownText(0.123456f)), "0.1235");
    ASSERT_TRUE(list.At(4)->StoredValue(2.5, value));
    EXPECT_FLOAT_EQ(value, 2.5f);
    EXPECT_FALSE(list.At(5)->StoredValue(1.0, value));
}
