#include "foundation/text/LStrList.h"
#include "foundation/records/CUNDOQ.h"
#include "foundation/records/CUndoStrm.h"
#include "tests/foundation/records/UndoTestKit.h"
#include "platform/resources/ResourceFile.h"
#include "tests/support/MemResourceSource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <span>

namespace {

using Merge = LObject::Merge;

class CUNDOQTest : public testing::Test, public UndoFixtureBase {};

// A stream that fails every write after the first `budget` bytes.
class FailingStream : public CMemStream {
public:
    FailingStream(LByteBuffer& buffer, uint64_t budget) : CMemStream(buffer), fBudget(budget) {}
    void Write(const void* data, uint64_t count) override
    {
        if (count > fBudget) {
            SetError(kWriteError);
            return;
        }
        fBudget -= count;
        CMemStream::Write(data, count);
    }

private:
    uint64_t fBudget;
};

// A replay function of an edit made outside the record model: a counter in a global.
int gCounter = 0;

void ReplayCounter(uint64_t, CUndoStrm* reader, int direction)
{
    int32_t value = 0;
    if (direction == CUndoStrm::kRedo) {
        reader->ReadBytes(nullptr, 4);
        reader->ReadBytes(&value, 4);
    } else {
        reader->ReadBack(nullptr, 4);
        reader->ReadBack(&value, 4);
    }
    if (!reader->Failed())
        gCounter = value;
}

void SetCounter(LHandler* context, int32_t value, CUndoStrm::Kind kind, CUndoStrm::Mode mode)
{
    CUndoStrm undo(context, 1, ReplayCounter, LStringRef(), kind, mode);
    undo.Write(&gCounter, 4);
    undo.EndSkip();
    undo.Write(&value, 4);
    gCounter = value;
}

} // namespace

TEST_F(CUNDOQTest, OffersUndoAndRedoAsTheHistoryMoves)
{
    ExpectEmptyHistory();
    EXPECT_FALSE(Undo());
    SetIval(1);
    EXPECT_TRUE(doc.queue.CanUndo());
    EXPECT_FALSE(Redo());
    EXPECT_TRUE(Undo());
    EXPECT_EQ(Ival(), 7);
    EXPECT_FALSE(doc.queue.CanUndo());
    EXPECT_TRUE(Redo());
    EXPECT_EQ(Ival(), 1);
    EXPECT_TRUE(Undo());
    SetIval(2);
    EXPECT_FALSE(doc.queue.CanRedo());  // a new edit drops the redo history
    EXPECT_TRUE(doc.queue.CanUndo());
}

TEST_F(CUNDOQTest, WritesTheRecordLayoutByteForByte)
{
    SetIval(0x01020304);
    const CUndoRing& ring = doc.queue.Ring();
    // Header 32, caption 2, old slot 8, path 6, new slot 8, trailer 4.
    ASSERT_EQ(std::pair(ring.cur, ring.top), std::pair(uint64_t(60), uint64_t(60)));
    const uint8_t* b = bytes.Data();
    const auto word = [b](size_t at, auto zero) {
        std::memcpy(&zero, b + at, sizeof zero);
        return zero;
    };
    EXPECT_EQ(std::pair(word(0, uint32_t()), word(56, uint32_t())), std::pair(60u, 60u));  // length, trailer
    EXPECT_EQ(word(8, uint64_t()), reinterpret_cast<uintptr_t>(&holder));
    EXPECT_EQ(word(16, uint64_t()), reinterpret_cast<uint64_t>(&LObject::ReplaySetValue));
    EXPECT_EQ(b[24], 0);  // not sealed
    const uint8_t data[] = {
        0, 0,                                        // empty caption
        7, 0, 0, 0, 0, 0, 0, 0,                      // old slot
        RootF::ival, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,   // path of a root field
        4, 3, 2, 1, 0, 0, 0, 0,                      // new slot
    };
    EXPECT_EQ(std::memcmp(b + 32, data, sizeof data), 0);
}

TEST_F(CUNDOQTest, MergedEditsAreOneStepKeepingTheFirstOldValueWhateverTheLengths)
{
    SetFlt(2.0f);
    const uint64_t start = LastRecordStart();
    SetFlt(3.0f);
    SetFlt(4.0f);
    EXPECT_EQ(LastRecordStart(), start);
    for (const char* text : {"a", "a much longer text", "ab"})
        LObject::SetString(Root(), &control, RootF::name, text, Merge::Yes);
    EXPECT_TRUE(Undo());
    EXPECT_STREQ(Root()->GetString(RootF::name).Text(), "abc");
    EXPECT_TRUE(Undo());
    EXPECT_EQ(Flt(), 1.5f);
    EXPECT_FALSE(doc.queue.CanUndo());
    EXPECT_TRUE(Redo());
    EXPECT_TRUE(Redo());
    EXPECT_EQ(Flt(), 4.0f);
    EXPECT_STREQ(Root()->GetString(RootF::name).Text(), "ab");
}

TEST_F(CUNDOQTest, MergeRunsEndAtAnUndoAnotherFieldOrAStructuralEdit)
{
    SetFlt(2.0f);
    SetFlt(3.0f);
    EXPECT_TRUE(Undo());
    SetFlt(5.0f);  // sealed: a new step
    LObject::SetInt(Root(), &control, RootF::ival, 1, Merge::Yes);
    SetFlt(6.0f);  // other field between
    ASSERT_TRUE(LObject::InsertChild(Root(), &control, RootF::kids, 0, MakeItem(1)));
    SetFlt(7.0f);
    SetFlt(8.0f);

    // One step each: flt 6 to 8, the insertion, flt 5 to 6, ival, flt 1.5 to 5.
    std::vector<std::string> seen;
    while (Undo())
        seen.push_back(std::to_string(Flt()).substr(0, 3) + "/" + std::to_string(Ival()) + "/" +
                       std::to_string(Root()->GetArrayCount(RootF::kids)));
    EXPECT_EQ(seen, (std::vector<std::string>{"6.0/1/1", "6.0/1/0", "5.0/1/0", "5.0/7/0", "1.5/7/0"}));
}

TEST_F(CUNDOQTest, CompoundsAreOneStepEvenEmptyAndRecordEditsThatChangeNothing)
{
    SetIval(7);
    LObject::SetString(Root(), &control, RootF::name, "abc", Merge::Yes);
    EXPECT_FALSE(doc.queue.CanUndo());
    EXPECT_EQ(doc.queue.Ring().top, 0u);
    {
        auto compound = CUndoStrm::BeginCompound(&control, "Nothing");
        SetIval(7);
    }
    EXPECT_TRUE(doc.queue.CanUndo());
    EXPECT_TRUE(Undo());
    EXPECT_EQ(Ival(), 7);

    {
        auto fill = CUndoStrm::BeginCompound(&control, "Fill");
        SetIval(1);
        const int32_t zero = 0;
        LObject::ExtendArray(Root(), &control, RootF::ints, &zero, 3);  // a compound inside
        LObject::SetString(Root(), &control, RootF::name, "x", Merge::No);
    }
    { auto empty = CUndoStrm::BeginCompound(&control, LStringRef()); }
    const std::string filled = Dump(Root());
    EXPECT_TRUE(Undo());  // the empty step
    EXPECT_EQ(Dump(Root()), filled);
    EXPECT_TRUE(Undo());
    EXPECT_EQ(Dump(Root()), Dump(UndoFixtureBase().Root()));
    EXPECT_FALSE(doc.queue.CanUndo());
    EXPECT_TRUE(Redo());
    EXPECT_EQ(Dump(Root()), filled);
}

TEST_F(CUNDOQTest, EditsMadeDuringAReplayRecordNothing)
{
    ScopedObserver echo(holder, [this](LObjChange& notice) {
        if (notice.field == RootF::ival)  // an observer that edits as a reaction
            LObject::SetUInt(notice.record, &control, RootF::uval, uint32_t(notice.record->GetInt(RootF::ival)),
                             Merge::No);
    });
    SetIval(3);  // two steps: ival, then uval
    const uint64_t top = doc.queue.Ring().top;
    EXPECT_TRUE(Undo());
    EXPECT_TRUE(Undo());
    EXPECT_EQ(Ival(), 7);
    EXPECT_EQ(doc.queue.Ring().top, top);  // the echo of the replay recorded nothing
}

TEST(CUNDOQ, MenuCaptionsComeFromTheResourceList)
{
    MemResourceSource resources;
    const char list[] = "\0\4Undo\0Redo\0Undo %0\0Redo %0";
    resources.Add(kStrListDialogTexts, 128, "CUNDOQ", std::string(list, sizeof list));
    ScopedGlobalResources scope(&resources);
    UndoFixtureBase f(0x1000);  // made after the resources: it reads its captions when made

    FakeMenuBar bar;
    EXPECT_FALSE(f.doc.queue.HandleMessage(LMessage("LMenuBar_Ready", &bar, nullptr)));
    EXPECT_TRUE(bar.Enabled().empty());

    { auto typing = CUndoStrm::BeginCompound(&f.control, "Typing"); LObject::SetInt(f.Root(), &f.control, 0, 1, Merge::No); }
    LObject::SetInt(f.Root(), &f.control, RootF::ival, 2, Merge::No);
    EXPECT_TRUE(f.Undo());
    bar.ResetItems();
    EXPECT_FALSE(f.doc.queue.HandleMessage(LMessage("LMenuBar_Ready", &bar, nullptr)));
    EXPECT_EQ(bar.Enabled(), (std::vector<std::string>{"LStdCmd_Undo=Undo Typing", "LStdCmd_Redo=Redo"}));
    EXPECT_EQ(f.Ival(), 1);  // reading captions moved nothing
    EXPECT_FALSE(f.Choose("LStdCmd_Copy"));
}

TEST_F(CUNDOQTest, EditsWithoutContextOrOutsideATreeRecordNothingAndClearEmptiesTheHistory)
{
    LObject::SetInt(Root(), nullptr, RootF::ival, 1, Merge::No);
    LObjectPtr loose = MakeItem(1);
    LObject::SetInt(loose.get(), &control, ItemF::val, 2, Merge::No);
    PlainHandler stranger;  // a chain without a queue
    LObject::SetInt(Root(), &stranger, RootF::ival, 3, Merge::No);
    EXPECT_FALSE(doc.queue.CanUndo());
    EXPECT_EQ(Ival(), 3);

    SetIval(1);
    CUndoStrm::Clear(&control);
    ExpectEmptyHistory();
    CUndoStrm::Clear(nullptr);  // no queue: nothing
}

TEST(CUNDOQ, AStreamThatCannotBeWrittenDisablesUndoAndOneFailingMidRecordClearsTheHistory)
{
    LByteBuffer brokenBytes;
    auto broken = std::make_unique<CMemStream>(brokenBytes);
    broken->SetError(LStream::kWriteError);
    UndoFixtureBase disabled(0x1000, std::move(broken));
    disabled.SetIval(1);
    EXPECT_EQ(disabled.Ival(), 1);
    EXPECT_FALSE(disabled.doc.queue.CanUndo());

    LByteBuffer bytes;
    UndoFixtureBase f(0x1000, std::make_unique<FailingStream>(bytes, 100));
    f.SetIval(1);
    EXPECT_TRUE(f.doc.queue.CanUndo());
    f.SetIval(2);  // runs out
    f.ExpectEmptyHistory();
    f.SetIval(3);
    EXPECT_EQ(f.Ival(), 3);
}

TEST_F(CUNDOQTest, ADamagedLengthOrAForeignReplayFunctionClearsTheHistory)
{
    SetIval(1);
    SetIval(2);
    const uint64_t cur = doc.queue.Ring().cur;
    const uint32_t bogus = 3;  // shorter than any record
    std::memcpy(bytes.Data() + cur - 4, &bogus, 4);
    EXPECT_TRUE(Undo());
    EXPECT_EQ(Ival(), 2);
    ExpectEmptyHistory();

    SetIval(4);
    const uint32_t huge = 0x7FFFFFFF;
    std::memcpy(bytes.Data() + doc.queue.Ring().cur - 4, &huge, 4);
    FakeMenuBar bar;
    EXPECT_FALSE(doc.queue.HandleMessage(LMessage("LMenuBar_Ready", &bar, nullptr)));
    EXPECT_TRUE(bar.Enabled().empty());
    EXPECT_FALSE(doc.queue.CanUndo());

    SetIval(1);  // never called back
    const uint64_t forged = 0x1234;
    std::memcpy(bytes.Data() + LastRecordStart() + 16, &forged, 8);
    EXPECT_TRUE(Undo());
    EXPECT_EQ(Ival(), 1);
    EXPECT_FALSE(doc.queue.CanUndo());
}

TEST_F(CUNDOQTest, ContainersKeepTheFirstAndLatestGroupOfARun)
{
    gCounter = 0;
    const auto container = [this](int32_t value) {
        CUndoStrm group(&control, 9, CUndoStrm::ReplayPair, "Count", CUndoStrm::Kind::Container,
                        CUndoStrm::Mode::Merge);
        SetCounter(&control, value, CUndoStrm::Kind::NewRecord, CUndoStrm::Mode::New);
    };
    for (int32_t value : {1, 2, 3})
        container(value);
    EXPECT_TRUE(Undo());
    EXPECT_EQ(gCounter, 0);
    EXPECT_FALSE(doc.queue.CanUndo());
    EXPECT_TRUE(Redo());
    EXPECT_EQ(gCounter, 3);
    EXPECT_TRUE(Undo());
    EXPECT_EQ(gCounter, 0);
}

TEST(CUndoRing, WrapsAndWalksBackThroughTheWrapToTheOldestRecordKept)
{
    UndoFixtureBase f(4096);
    LObject* root = f.Root();
    for (int32_t v = 1; v <= 200; v++)  // 60 bytes each: wraps about three times
        f.SetIval(v);
    const CUndoRing& ring = f.doc.queue.Ring();
    EXPECT_LT(ring.cur, 4096u);
    EXPECT_GT(ring.wrapEnd, 0u);
    int undone = 0;
    while (f.doc.queue.CanUndo()) {
        ASSERT_TRUE(f.Undo());
        undone++;
        ASSERT_EQ(root->GetInt(RootF::ival), 200 - undone) << "after " << undone << " undos";
        ASSERT_LT(undone, 200);
    }
    EXPECT_GT(undone, 60);  // most of a ring's worth
    for (int i = 0; i < undone; i++)
        ASSERT_TRUE(f.Redo());
    EXPECT_EQ(root->GetInt(RootF::ival), 200);
    EXPECT_FALSE(f.doc.queue.CanRedo());
}

TEST(CUndoRing, ARecordLargerThanTheCapacityUndoesUntilTheNextRecordWraps)
{
    UndoFixtureBase f(256);
    std::vector<int32_t> big(500, 5);
    LObject::SetArray(f.Root(), &f.control, RootF::ints, big.data(), uint32_t(big.size()));
    ASSERT_TRUE(f.Undo());
    EXPECT_EQ(f.Root()->GetArrayCount(RootF::ints), 0u);
    ASSERT_TRUE(f.Redo());
    EXPECT_EQ(f.Root()->GetArrayCount(RootF::ints), 500u);

    // The next record starts again at 0 and overruns the big one: it alone is kept.
    f.SetIval(1);
    EXPECT_EQ(f.doc.queue.Ring().oldest, 0u);
    ASSERT_TRUE(f.Undo());
    EXPECT_EQ(f.Ival(), 7);
    EXPECT_FALSE(f.doc.queue.CanUndo());
    EXPECT_EQ(f.Root()->GetArrayCount(RootF::ints), 500u);
}

TEST(CUNDOQ, TheShippedResourceFileHoldsTheFourCaptions)
{
    plat::ResourceStatus status;
    auto file = plat::ResourceFile::Open(plat::ProgramResourcePath(), &status);
    ASSERT_NE(file, nullptr);
    std::span<const uint8_t> data;
    ASSERT_TRUE(file->FindNamed(kStrListDialogTexts, "CUNDOQ", data));
    MemResourceSource shipped;
    shipped.Add(kStrListDialogTexts, 128, "CUNDOQ", std::vector<uint8_t>(data.begin(), data.end()));
    LStrList items(LResRef{0, "CUNDOQ"}, &shipped, kStrListDialogTexts);
    ASSERT_EQ(items.Count(), 4u);  // plain undo, plain redo, undo and redo templates
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(items.GetItem(i).View().find("%0") != std::string_view::npos, i >= 2) << i;
}

TEST(CUNDOQ, KeepsItsHistoryInAScratchFileThatGoesWithIt)
{
    const auto scratchFiles = [] {
        int n = 0;
        const char* tmp = std::getenv("TMPDIR");
        for (const auto& entry : std::filesystem::recursive_directory_iterator(tmp ? tmp : "/tmp"))
            n += entry.path().filename().string().starts_with("undo") ? 1 : 0;
        return n;
    };
    const int before = scratchFiles();
    {
        UndoDoc doc(0x100000);
        PlainHandler control(&doc);
        LObjRoot holder(LObject::Create(RootClass()));
        EXPECT_EQ(scratchFiles(), before + 1);
        for (int32_t v = 1; v <= 3000; v++)  // past one 512-byte block many times over
            LObject::SetInt(holder.Root(), &control, RootF::ival, v, LObject::Merge::No);
        ASSERT_TRUE(doc.queue.CanUndo());
        doc.queue.Replay(CUndoStrm::kUndo);
        doc.queue.Replay(CUndoStrm::kUndo);
        EXPECT_EQ(holder.Root()->GetInt(RootF::ival), 2998);
        doc.queue.Replay(CUndoStrm::kRedo);
        EXPECT_EQ(holder.Root()->GetInt(RootF::ival), 2999);
    }
    EXPECT_EQ(scratchFiles(), before);
}
