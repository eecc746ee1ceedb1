// A parameter table's stored column count is applied column by column: a huge count in a
// preferences file, a document or a record chunk loads at once, held to the cap, with the
// rest of the data intact.
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/CFaderSetRecord.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/CParamTable.h"
#include "platform/values/PropertyList.h"
#include "tests/analysis/records/SnxRecordTestKit.h"

#include <regex>

namespace {

// A table of `columns` columns and one row.
void FillTable(LObject* table, uint32_t columns)
{
    for (uint32_t c = 0; c < columns; ++c)
        CParamTable::AppendColumn(table, nullptr);
    CParamTable::AppendRow(table, nullptr);
    CParamTable::SetCellValue(table, nullptr, 0, 0, "cmd", LStringRef("open"));
}

void ExpectCappedTable(const LObject* table)
{
    uint32_t columns = 0, rows = 0;
    CParamTable::GetSize(table, columns, rows);
    EXPECT_EQ(columns, CParamSchema::kMaxStoredColumns);
    EXPECT_EQ(rows, 0u);
    EXPECT_EQ(table->GetUInt(CParamSchema::kAppliedCols), CParamSchema::kMaxStoredColumns);
}

void FillDocument(CFaderSetRecord& doc)
{
    ASSERT_EQ(doc.AppendFader(nullptr), 0);
    LObject::SetString(doc.Fader(0), nullptr, kFadrName, LStringRef("Snare"), LObject::Merge::No);
    LObject::SetByte(doc.Common(), nullptr, kComnFtsx, 11, LObject::Merge::No);
    FillTable(doc.Root()->GetChild(kFdrsMdcs), 3);
}

void ExpectDocumentIntact(CFaderSetRecord& loaded)
{
    ASSERT_EQ(loaded.FaderCount(), 1);
    EXPECT_EQ(loaded.Fader(0)->GetString(kFadrName).View(), "Snare");
    EXPECT_EQ(loaded.Common()->GetByte(kComnFtsx), 11);
    ExpectCappedTable(loaded.Root()->GetChild(kFdrsMdcs));
}

} // namespace

TEST(StoredTableCap, DocumentWithHugeColumnCountLoadsAtOnce)
{
    CFaderSetRecord doc;
    FillDocument(doc);
    const std::string xml = ToXml(doc.Root());
    const std::string huge = std::regex_replace(xml, std::regex("cols=\"3\""), "cols=\"4000000000\"");
    ASSERT_NE(huge, xml);

    CFaderSetRecord loaded;
    ASSERT_TRUE(FromXml(huge, loaded.Root()));
    ExpectDocumentIntact(loaded);
}

TEST(StoredTableCap, RecordChunkWithHugeColumnCountLoadsAtOnce)
{
    CFaderSetRecord doc;
    FillDocument(doc);
    // The column count is the only field holding 3 as a 32-bit big-endian word.
    std::string chunk = ToChunk(doc.Root());
    const std::string three("\0\0\0\3", 4);
    const size_t at = chunk.find(three);
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(chunk.find(three, at + 1), std::string::npos);
    chunk.replace(at, 4, "\xEE\x6B\x28\x00", 4);   // 4,000,000,000

    LObjectPtr copy = FromChunk(chunk);
    ASSERT_NE(copy, nullptr);
    uint32_t columns = 0, rows = 0;
    CParamTable::GetSize(copy->GetChild(kFdrsMdcs), columns, rows);
    EXPECT_EQ(columns, CParamSchema::kMaxStoredColumns);
    EXPECT_EQ(copy->GetChild(kFdrsFdrs, 0)->GetString(kFadrName).View(), "Snare");
}

TEST(StoredTableCap, PreferencesWithHugeColumnCountLoadAtOnce)
{
    CAppPrefs prefs;
    LObject* window = prefs.AddDocument();
    LObject::SetString(window, nullptr, kWindDcfl, LStringRef("/home/u/set.snx"), LObject::Merge::No);
    LObject::SetByte(prefs.Root()->GetChild(kPrefComn), nullptr, kWndsDb, 0, LObject::Merge::No);
    FillTable(prefs.Root()->GetChild(kPrefMnky), 3);
    const std::string text = plat::PropertyList::Write(*ToDict(prefs.Root()));
    const size_t key = text.find("<key>cols</key>");
    ASSERT_NE(key, std::string::npos);
    // Numbers are stored as texts of space-terminated numbers.
    const size_t value = text.find("<string>3 </string>", key);
    ASSERT_NE(value, std::string::npos);
    std::string huge = text;
    huge.replace(value, 19, "<string>4000000000 </string>");

    plat::Ref<plat::Value> read = plat::PropertyList::Read(huge);
    ASSERT_NE(read.Get(), nullptr);
    ASSERT_NE(read->As<plat::Dict>(), nullptr);
    CAppPrefs loaded;
    FromDict(read->As<plat::Dict>(), loaded.Root());
    ExpectCappedTable(loaded.Root()->GetChild(kPrefMnky));
    EXPECT_NE(loaded.FindDocument("/home/u/set.snx"), nullptr);
    EXPECT_EQ(loaded.Root()->GetChild(kPrefComn)->GetByte(kWndsDb), 0);
}
