#include "foundation/core/LByteBuffer.h"
#include "foundation/persist/LObjFormReader.h"
#include "foundation/persist/LObjFormWriter.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/CParamSet.h"
#include "foundation/records/CParamTable.h"
#include "foundation/streams/CIffChunk.h"
#include "foundation/streams/CMemStream.h"
#include "tests/foundation/records/RecordTestKit.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>

namespace {

std::string WriteRecords(uint32_t creator, uint32_t cls, std::initializer_list<const LObject*> records)
{
    LByteBuffer buffer;
    {
        LObjFormWriter writer(creator, cls, buffer);
        for (const LObject* record : records)
            writer.WriteObject(record);
        EXPECT_EQ(writer.Error(), 0u);
    }
    return std::string(reinterpret_cast<const char*>(buffer.Data()), buffer.Size());
}

LObjectPtr ReadFirst(const std::string& bytes)
{
    LObjFormReader reader(bytes.data(), uint32_t(bytes.size()));
    return reader.ReadObject();
}

std::string U32(uint32_t v)
{
    return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

// Bytes of a chunk: type, big-endian size, data and the pad byte.
std::string Chunk(const std::string& type, const std::string& data)
{
    return type + U32(uint32_t(data.size())) + data + (data.size() & 1 ? std::string(1, '\0') : std::string());
}

// Reads the first record of a container into an existing record.
bool ReadInto(const std::string& bytes, LObject* record)
{
    CMemStream stream(bytes.data(), uint32_t(bytes.size()));
    CIffChunk container;
    container.Open(&stream);
    uint32_t cls = 0;
    CIffChunk chunk;
    if (!container.ReadU32(&cls))
        return false;
    chunk.OpenSub(container);
    if (!chunk.ReadU32(&cls))
        return false;
    return LObjFormReader::ReadFields(chunk, record, 0);
}

LObjectPtr RootWithKids(int count)
{
    LObjectPtr root = LObject::Create(RootClass());
    for (int i = 0; i < count; ++i)
        (void)LObject::InsertChild(root.get(), nullptr, RootF::kids, uint32_t(i), MakeItem(10 + i));
    return root;
}

} // namespace

TEST(LObjForm, WritesExactChunksAndRoundTripsARichTree)
{
    LObjectPtr item = MakeItem(5, "ab");
    const std::string expected =
        Chunk(U32(1), U32(1) + Chunk("TEST", "ITEM" + Chunk("UDPR", U32(5) + std::string("ab\0", 3))));
    EXPECT_EQ(WriteRecords(1, 1, {item.get()}), expected);
    // The null record, and a record whose only primitive is at its default, still in 'UDPR'.
    EXPECT_EQ(WriteRecords(FourCC("YSNX"), FourCC("CONT"), {nullptr}),
              Chunk("YSNX", "CONT" + Chunk("YUND", "UDNL")));

    LObjectPtr root = MakeRichRoot();
    const std::string bytes = WriteRecords(1, 1, {root.get(), nullptr, root.get()});
    EXPECT_NE(bytes.substr(0, 4), "FORM");
    LObjFormReader reader(bytes.data(), uint32_t(bytes.size()));
    EXPECT_EQ(std::pair(reader.Creator(), reader.Class()), std::pair(1u, 1u));
    LObjectPtr first = reader.ReadObject();
    ASSERT_TRUE(first);
    // Primitive fields after the first array are not stored: they read back as defaults.
    LObjectPtr rich = MakeRichRoot();
    LObject::SetUInt(rich.get(), nullptr, RootF::memo, 0, LObject::Merge::No);
    LObject::SetInt(rich.get(), nullptr, RootF::quiet, 0, LObject::Merge::No);
    EXPECT_EQ(Dump(first.get()), Dump(rich.get()));
    EXPECT_FALSE(reader.ReadObject());  // the null record
    EXPECT_EQ(Dump(reader.ReadObject().get()), Dump(rich.get()));
    EXPECT_FALSE(reader.ReadObject());  // the end
}

TEST(LObjForm, ReadsIntoExistingListsInPlaceAndFieldsMissingFromTheDataReturnToDefaults)
{
    LObjectPtr three = RootWithKids(3);
    LObject::SetInt(three->GetChild(RootF::kids, 1), nullptr, ItemF::val, 99, LObject::Merge::No);
    const std::string bytes = WriteRecords(1, 1, {three.get()});

    LObjRoot holder(RootWithKids(5));
    LObject* target = holder.Root();
    const LObject* firstBefore = target->GetChild(RootF::kids, 0);
    const LObject* secondBefore = target->GetChild(RootF::kids, 1);
    NoticeLog log(holder);
    ASSERT_TRUE(ReadInto(bytes, target));
    ASSERT_EQ(target->GetArrayCount(RootF::kids), 3u);
    EXPECT_EQ(std::tuple(target->GetChild(RootF::kids, 0), target->GetChild(RootF::kids, 1)), std::tuple(firstBefore, secondBefore));
    EXPECT_EQ(Dump(target), Dump(three.get()));
    bool sawValueChange = false;
    for (const SeenNotice& n : log.notices)
        sawValueChange |= n.op == LObjOp::Changed && n.record == secondBefore && n.context == nullptr;
    EXPECT_TRUE(sawValueChange);

    // A record of an older schema: only the text, in a chunk of its own kind the reader skips.
    LObjectPtr rich = MakeRichRoot();
    const std::string older =
        Chunk(U32(1), U32(1) + Chunk("TEST", "ROOT" + Chunk("JUNK", "xyz") +
                                                 Chunk("UDPA", "ints" + U32(8)) +
                                                 Chunk("UDPA", "nope" + U32(1)) +
                                                 Chunk("UDUD", "kids")));
    ASSERT_TRUE(ReadInto(older, rich.get()));
    LObjectPtr expected = LObject::Create(RootClass());
    const int32_t eight = 8;
    LObject::SetArray(expected.get(), nullptr, RootF::ints, &eight, 1);
    LObject::SetUInt(expected.get(), nullptr, RootF::memo, 77, LObject::Merge::No);  // untagged stays
    EXPECT_EQ(Dump(rich.get()), Dump(expected.get()));
}

TEST(LObjForm, ChildChunksOfOtherClassesShortDataAndDeepNestingReadSafely)
{
    // A child chunk naming another class than the field declares is ignored.
    const std::string bytes = Chunk(U32(1), U32(1) + Chunk("TEST", "ROOT" + Chunk("UDUD", "one " +
                                                     Chunk("TEST", "ROOT"))));
    LObjectPtr record = ReadFirst(bytes);
    ASSERT_TRUE(record);
    ASSERT_TRUE(record->GetChild(RootF::one));
    EXPECT_EQ(record->GetChild(RootF::one)->Class(), ItemClass());

    for (size_t n = 0; n < 8; ++n) {
        LObjFormReader reader("\0\0\0\1\0\0\0\4", uint32_t(n));
        EXPECT_EQ(std::pair(reader.Creator(), reader.Class()), std::pair(0u, 0u)) << n;
        EXPECT_FALSE(reader.ReadObject());
    }

    // Nesting beyond the cap fails the read.
    auto nested = [](int depth) {
        std::string record = Chunk("TEST", "ITEM");
        for (int i = 0; i < depth; ++i)
            record = Chunk("TEST", "ITEM" + Chunk("UDAR", "subs" + record));
        return Chunk(U32(1), U32(1) + record);
    };
    for (const auto& [depth, read] : {std::pair(200, true), {300, false}, {5000, false}})
        EXPECT_EQ(bool(ReadFirst(nested(depth))), read) << depth;
}

TEST(LObjForm, SurvivesRandomDamage)
{
    LObjectPtr root = MakeRichRoot();
    const std::string good = WriteRecords(1, 1, {root.get(), root.get()});
    std::mt19937 random(42);
    for (int round = 0; round < 4000; ++round) {
        std::string bytes = good;
        const int edits = 1 + int(random() % 6);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const size_t at = random() % bytes.size();
            switch (random() % 4) {
            case 0: bytes[at] = char(random()); break;
            case 1: bytes.erase(at, 1 + random() % 16); break;
            case 2: bytes.insert(at, 1, char(random())); break;
            default: bytes.resize(at); break;
            }
        }
        LObjFormReader reader(bytes.data(), uint32_t(bytes.size()));
        for (int i = 0; i < 4; ++i)
            (void)reader.ReadObject();
    }
}

TEST(LObjForm, CopiedCellsFillATableRow)
{
    CParamSchema::InitParamSchema();
    LByteBuffer buffer;
    {
        LObjFormWriter writer(1, 1, buffer);
        for (const char* value : {"a", "b"}) {
            LObjectPtr cell = LObject::Create(CParamSchema::SetClass());
            CParamSet::SetValue(cell.get(), nullptr, "p", value);
            writer.WriteObject(cell.get());
        }
    }
    LObjectPtr table = LObject::Create(CParamSchema::TableClass());
    CParamTable::AppendColumn(table.get(), nullptr);
    CParamTable::AppendColumn(table.get(), nullptr);
    LObjFormReader cells(buffer.Data(), buffer.Size());
    CParamTable::InsertRow(table.get(), nullptr, 0, &cells);
    LStringRef value;
    ASSERT_TRUE(CParamTable::FindInCell(table.get(), 1, 0, "p", &value));
    EXPECT_EQ(value, "b");
}
