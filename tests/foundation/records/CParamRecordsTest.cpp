#include "foundation/records/CParamNotice.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/CParamSet.h"
#include "foundation/records/CParamTable.h"
#include "foundation/records/LObjSource.h"
#include "tests/foundation/records/UndoTestKit.h"

#include <gtest/gtest.h>

#include <tuple>

#include <deque>
#include <iterator>

namespace {

using S = CParamSchema;

// An owner class holding a parameter set and a table, as a fader or a document would.
const LFieldDesc kOwnerFields[] = {
    LFieldDesc::Int(FourCC("x   ")),
    LFieldDesc::ChildOf(FourCC("cprm"), S::kCreator, S::kSetClass),
    LFieldDesc::ChildOf(FourCC("mdcs"), S::kCreator, S::kTableClass),
};
const LClassDesc gOwner(FourCC("TEST"), FourCC("OWNR"), std::size(kOwnerFields), kOwnerFields);
enum : uint8_t { kSetField = 1, kTableField = 2 };

class CParamRecords : public testing::Test, public UndoFixtureBase {
protected:
    CParamRecords() : owner(LObject::Create(&gOwner)), set(owner.Root()->GetChild(kSetField)),
                      table(owner.Root()->GetChild(kTableField))
    {
    }

    std::string Value(const LObject* s, const char* name) const
    {
        LStringRef value("<missing>");
        CParamSet::Find(s, name, &value);
        return value.Text();
    }

    // Cells as "row:col=value of 'p'" texts, row by row.
    std::string Cells() const
    {
        std::string out;
        uint32_t columns, rows;
        CParamTable::GetSize(table, columns, rows);
        for (uint32_t r = 0; r < rows; r++) {
            for (uint32_t c = 0; c < columns; c++) {
                LStringRef value("-");
                CParamTable::FindInCell(table, c, r, "p", &value);
                out += value.Text();
            }
            out += "|";
        }
        return out;
    }

    LObjRoot owner;
    LObject* set;
    LObject* table;
};

// A source of stored cells: the sets given, then nothing.
class CellSource : public LObjSource {
public:
    std::deque<LObjectPtr> records;
    LObjectPtr ReadObject() override
    {
        if (records.empty())
            return nullptr;
        LObjectPtr next = std::move(records.front());
        records.pop_front();
        return next;
    }
};

LObjectPtr CellWith(const char* value)
{
    LObjectPtr cell = LObject::Create(S::SetClass());
    CParamSet::SetValue(cell.get(), nullptr, "p", value);
    return cell;
}

} // namespace

TEST_F(CParamRecords, ValuesAreAddedUpdatedAndRemovedTypingIsOneUndoStepAndFloatsKeepTheirPrecision)
{
    for (const char* typed : {"1", "12", "123"})
        CParamSet::SetValue(set, &control, "n", typed);
    ASSERT_TRUE(Undo());
    EXPECT_EQ(Value(set, "n"), "1");
    ASSERT_TRUE(Undo());
    EXPECT_EQ(CParamSet::Find(set, "n", nullptr), -1);
    EXPECT_FALSE(doc.queue.CanUndo());

    CParamSet::SetValue(set, &control, "a", "1");
    CParamSet::SetValue(set, &control, "b", "2");
    EXPECT_EQ(CParamSet::Find(set, "b", nullptr), 1);
    CParamSet::SetValue(set, &control, "a", "3");
    EXPECT_EQ(Value(set, "a"), "3");
    CParamSet::SetValue(set, &control, "a", "");
    EXPECT_EQ(CParamSet::Find(set, "a", nullptr), -1);
    EXPECT_EQ(Value(set, "b"), "2");
    CParamSet::SetValue(set, &control, "zzz", "");  // missing and empty: nothing
    EXPECT_EQ(set->GetArrayCount(S::kParams), 1u);
    EXPECT_EQ(CParamSet::Find(set, "B", nullptr), -1);  // names compare exactly
    EXPECT_EQ(CParamSet::Find(nullptr, "b", nullptr), -1);

    CParamSet::SetFloat(set, &control, "f", 2, 2.5);
    CParamSet::SetFloat(set, &control, "g", 3, 2.0);
    EXPECT_EQ(Value(set, "f") + " " + Value(set, "g"), "2.5 2");
    CParamSet::SetValue(set, &control, "h", "2.50");
    float value = -1;
    EXPECT_EQ(CParamSet::GetFloat(set, "h", value), 3);  // its index, after "b", "f" and "g"
    EXPECT_EQ(value, 2.5f);
    value = -1;
    EXPECT_EQ(CParamSet::GetFloat(set, "none", value), -1);
    EXPECT_EQ(value, -1.0f);
}

TEST_F(CParamRecords, NestedSetsAreMadeOnDemandAndAValueReplacesThemInOneStep)
{
    LObject* sub = CParamSet::MakeSubSet(set, &control, "group");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(CParamSet::GetSubSet(set, "group"), sub);
    EXPECT_EQ(CParamSet::MakeSubSet(set, &control, "group"), sub);
    CParamSet::SetValue(sub, &control, "inner", "x");
    ASSERT_TRUE(Undo());
    ASSERT_TRUE(Undo());  // making the parameter and its set was one step
    EXPECT_EQ(CParamSet::Find(set, "group", nullptr), -1);
    ASSERT_TRUE(Redo());
    ASSERT_TRUE(Redo());
    sub = CParamSet::GetSubSet(set, "group");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(Value(sub, "inner"), "x");

    CParamSet::SetValue(set, &control, "group", "plain");
    EXPECT_EQ(CParamSet::GetSubSet(set, "group"), nullptr);
    EXPECT_EQ(Value(set, "group"), "plain");
    ASSERT_TRUE(Undo());
    sub = CParamSet::GetSubSet(set, "group");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(Value(sub, "inner"), "x");
}

TEST_F(CParamRecords, TableRowsAndColumnsWithUndo)
{
    CParamTable::AppendColumn(table, &control);
    CParamTable::AppendColumn(table, &control);  // no rows yet: only 'cols' grows
    CParamTable::AppendRow(table, &control);
    CParamTable::AppendRow(table, &control);
    for (const auto& [column, row, value] : {std::tuple(0u, 0u, "a"), {1u, 0u, "b"}, {0u, 1u, "c"}, {1u, 1u, "d"}})
        CParamTable::SetCellValue(table, &control, column, row, "p", value);
    EXPECT_EQ(Cells(), "ab|cd|");

    CParamTable::AppendColumn(table, &control);  // cells inserted at positions 2 and 5
    EXPECT_EQ(table->GetUInt(S::kCols), 3u);
    EXPECT_EQ(Cells(), "ab-|cd-|");
    CellSource source;
    source.records.push_back(CellWith("x"));
    source.records.push_back(MakeItem(1));  // another class: an empty cell instead
    CParamTable::InsertColumn(table, &control, 0, &source);
    EXPECT_EQ(Cells(), "xab-|-cd-|");

    CParamTable::InsertRow(table, &control, 1, nullptr);
    EXPECT_EQ(Cells(), "xab-|----|-cd-|");
    ASSERT_TRUE(Undo());  // the whole row in one step
    EXPECT_EQ(Cells(), "xab-|-cd-|");
    CParamTable::DeleteRow(table, &control, 0);
    EXPECT_EQ(Cells(), "-cd-|");
    ASSERT_TRUE(Undo());
    EXPECT_EQ(Cells(), "xab-|-cd-|");
    CParamTable::DeleteRow(table, &control, 9);  // past the last row: nothing
    EXPECT_EQ(Cells(), "xab-|-cd-|");
}

TEST_F(CParamRecords, CellLookupsStayInsideWholeRows)
{
    LObject::SetUInt(table, nullptr, S::kCols, 3, LObject::Merge::No);
    for (int i = 0; i < 7; i++)
        ASSERT_TRUE(LObject::InsertChild(table, nullptr, S::kCells, 99, CellWith("v")));
    LStringRef value;
    EXPECT_TRUE(CParamTable::FindInCell(table, 2, 1, "p", &value));
    EXPECT_FALSE(CParamTable::FindInCell(table, 0, 2, "p", &value));  // the incomplete row
    EXPECT_FALSE(CParamTable::FindInCell(table, 3, 0, "p", &value));
    EXPECT_FALSE(CParamTable::FindInCell(table, 0, 0xFFFFFFFF, "p", &value));  // no 32-bit wrap
    CParamTable::SetCellValue(table, &control, 0, 0xFFFFFFFF, "p", "no");

    CParamTable::AppendRow(table, &control);  // trims the 7th cell first
    EXPECT_EQ(table->GetArrayCount(S::kCells), 9u);
    uint32_t columns, rows;
    CParamTable::GetSize(table, columns, rows);
    EXPECT_EQ(rows, 3u);
}

TEST_F(CParamRecords, TableEditsAnnounceThemselvesThroughTheCounters)
{
    std::vector<std::string> seen;
    CParamTable::AppendColumn(table, &control);  // counters A and B now 1
    ScopedObserver watch(owner, [&](LObjChange& n) {
        if (n.record->Is(S::kCreator, S::kTableClass) && n.operation == LObjOp::Changed)
            seen.push_back(std::to_string(n.field) + "=" + std::to_string(n.record->GetUInt(n.field)) + " kind " +
                           std::to_string(n.record->GetByte(S::kEditKind)));
    });
    CParamTable::AppendRow(table, &control);
    // Kind and place are silent; A moves first, B follows; kind is 1 in between.
    EXPECT_EQ(seen, (std::vector<std::string>{"2=2 kind 1", "3=2 kind 1"}));
    seen.clear();
    CParamTable::DeleteRow(table, &control, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"3=3 kind 1", "2=3 kind 1"}));
}

TEST_F(CParamRecords, ColumnCountIsAppliedStepByStepOutsideTableEdits)
{
    std::vector<uint32_t> applied;
    ScopedObserver watch(owner, [&](LObjChange& n) {
        EXPECT_NE(n.field, S::kCols) << "the change of 'cols' itself is hidden";
        if (n.field == S::kAppliedCols)
            applied.push_back(n.record->GetUInt(S::kAppliedCols));
    });
    LObject::SetUInt(table, nullptr, S::kCols, 2, LObject::Merge::No);
    applied.clear();
    LObject::SetUInt(table, nullptr, S::kCols, 4, LObject::Merge::No);
    EXPECT_EQ(applied, (std::vector<uint32_t>{2, 3}));
    applied.clear();
    LObject::SetUInt(table, nullptr, S::kCols, 1, LObject::Merge::No);
    EXPECT_EQ(applied, (std::vector<uint32_t>{3, 2, 1}));
    EXPECT_TRUE(owner.IsModified());
}

TEST_F(CParamRecords, ParseParamNoticeNamesOwnerFieldAndCell)
{
    std::vector<CParamNotice> parsed;
    ScopedObserver keep(owner, [&](LObjChange& n) {
        CParamNotice out;
        if (ParseParamNotice(n, out))
            parsed.push_back(std::move(out));
    });
    CParamSet::SetValue(set, &control, "a", "1");  // insertion into the set
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(std::tuple(parsed[0].owner, int(parsed[0].field), parsed[0].table, std::string(parsed[0].name.View())),
              std::tuple(static_cast<const LObject*>(owner.Root()), int(kSetField), static_cast<const LObject*>(nullptr), std::string("a")));

    parsed.clear();
    LObject* sub = CParamSet::MakeSubSet(set, &control, "g");
    CParamSet::SetValue(sub, &control, "inner", "2");
    ASSERT_FALSE(parsed.empty());
    const CParamNotice& nested = parsed.back();
    EXPECT_EQ(std::tuple(nested.owner, int(nested.field), nested.set),
              std::tuple(static_cast<const LObject*>(owner.Root()), int(kSetField), static_cast<const LObject*>(sub)));
    ASSERT_EQ(nested.params.Count(), 1u);
    EXPECT_EQ(nested.params.Items<LObject*>()[0], sub->Parent());
    EXPECT_STREQ(nested.name.Text(), "inner");

    CParamTable::AppendColumn(table, nullptr);
    CParamTable::AppendColumn(table, nullptr);
    CParamTable::AppendRow(table, nullptr);
    CParamTable::AppendRow(table, nullptr);
    parsed.clear();
    CParamTable::SetCellValue(table, &control, 1, 1, "p", "z");
    ASSERT_EQ(parsed.size(), 1u);
    const CParamNotice& cell = parsed[0];
    EXPECT_EQ(std::tuple(cell.table, cell.owner, int(cell.field), cell.column, cell.row),
              std::tuple(static_cast<const LObject*>(table), static_cast<const LObject*>(owner.Root()), int(kTableField), 1u, 1u));

    parsed.clear();
    CParamTable::SetCellValue(table, &control, 1, 1, "p", "");  // removal: the leaving parameter
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_STREQ(parsed[0].name.Text(), "p");
}
