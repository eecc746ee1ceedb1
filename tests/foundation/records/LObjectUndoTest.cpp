#include "foundation/records/LObject.h"
#include "tests/foundation/records/UndoTestKit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

using Merge = LObject::Merge;

class LObjectUndo : public testing::Test, public UndoFixtureBase {
protected:
    // Undoes one step and checks the tree, then redoes it and checks again.
    void ExpectRoundTrip(const std::string& before, const std::string& after)
    {
        ASSERT_TRUE(Undo());
        EXPECT_EQ(Dump(Root()), before);
        ASSERT_TRUE(Redo());
        EXPECT_EQ(Dump(Root()), after);
    }
    // Makes one edit, then undoes and redoes it.
    template <typename Edit>
    void Step(const Edit& edit)
    {
        const std::string before = Dump(Root());
        edit();
        ExpectRoundTrip(before, Dump(Root()));
    }
};

} // namespace

TEST_F(LObjectUndo, UndoOfADeletedChildRebuildsItsWholeSubtree)
{
    LObjectPtr item = MakeItem(1, "first");
    const uint32_t values[] = {10, 20};
    LObject::SetArray(item.get(), nullptr, ItemF::arr, values, 2);
    ASSERT_TRUE(LObject::InsertChild(item.get(), nullptr, ItemF::subs, 0, MakeItem(2, "nested")));
    ASSERT_TRUE(LObject::InsertChild(item.get(), nullptr, ItemF::subs, 1, nullptr));
    ASSERT_TRUE(LObject::InsertChild(Root(), nullptr, RootF::kids, 0, MakeItem(0)));
    ASSERT_TRUE(LObject::InsertChild(Root(), nullptr, RootF::kids, 1, std::move(item)));
    ASSERT_TRUE(LObject::InsertChild(Root(), nullptr, RootF::kids, 2, MakeItem(3)));
    Step([&] { LObject::DeleteChildAt(Root(), &control, RootF::kids, 1); });
    ASSERT_TRUE(Undo());
    EXPECT_EQ(Root()->GetChild(RootF::kids, 1)->GetChild(ItemF::subs, 0)->GetRootHolder(), &holder);
}

TEST_F(LObjectUndo, AReplayWhosePathNoLongerResolvesOrWhoseHolderIsGoneChangesNothing)
{
    for (int32_t v = 0; v < 3; v++)
        ASSERT_TRUE(LObject::InsertChild(Root(), nullptr, RootF::kids, uint32_t(v), MakeItem(v)));
    LObject::SetInt(Root()->GetChild(RootF::kids, 2), &control, ItemF::val, 9, Merge::No);
    LObject::DeleteChildAt(Root(), nullptr, RootF::kids, 2);  // not recorded
    const std::string before = Dump(Root());
    EXPECT_TRUE(Undo());
    EXPECT_EQ(Dump(Root()), before);

    {
        LObjRoot shortLived(LObject::Create(RootClass()));
        LObject::SetInt(shortLived.Root(), &control, RootF::ival, 1, Merge::No);
    }
    EXPECT_TRUE(Undo());  // consumed, and nothing happens
    EXPECT_TRUE(Redo());
}

namespace {

// Random edits of a small schema: undoing every step walks back through the states seen,
// redoing walks forward again.
void RandomEditsRoundTrip(UndoFixtureBase& f, int edits, uint32_t seed, uint32_t maxInts)
{
    LObject* root = f.Root();
    PlainHandler* control = &f.control;
    std::mt19937 rng(seed);
    const auto pick = [&rng](uint32_t n) { return n ? uint32_t(rng() % n) : 0u; };
    std::vector<std::string> states{Dump(root)};
    uint64_t lastStart = UINT64_MAX;  // no record yet
    bool wrapped = false;
    for (int i = 0; i < edits; i++) {
        const uint32_t nKids = root->GetArrayCount(RootF::kids);
        const Merge merge = pick(2) ? Merge::Yes : Merge::No;
        switch (pick(16)) {
        case 0:
            LObject::SetInt(root, control, RootF::ival, int32_t(pick(5)), merge);
            break;
        case 1:
            LObject::SetFloat(root, control, RootF::flt, float(pick(7)) / 4, merge);
            break;
        case 2:
            LObject::SetString(root, control, RootF::name, std::string(pick(40), char('a' + pick(26))).c_str(),
                               merge);
            break;
        case 3: {
            std::vector<int32_t> ints(pick(maxInts), int32_t(pick(1000)));
            LObject::SetArray(root, control, RootF::ints, ints.data(), uint32_t(ints.size()));
            break;
        }
        case 4: {
            const LStringRef text(std::to_string(pick(100)).c_str());
            (void)LObject::InsertArrayElement(root, control, RootF::txts, pick(4), &text);
            break;
        }
        case 5:
            LObject::DeleteArrayElement(root, control, RootF::txts, pick(3));
            break;
        case 6: {
            const LStringRef text(std::to_string(pick(3)).c_str());
            LObject::SetArrayElement(root, control, RootF::txts, pick(3), &text, merge);
            break;
        }
        case 7: {
            LObjectPtr item = MakeItem(int32_t(pick(50)), "kid");
            if (pick(2))
                (void)LObject::InsertChild(item.get(), nullptr, ItemF::subs, 0, MakeItem(1, "grandchild"));
            (void)LObject::InsertChild(root, control, RootF::kids, pick(nKids + 1), std::move(item));
            break;
        }
        case 8:
            LObject::DeleteChildAt(root, control, RootF::kids, pick(nKids));
            break;
        case 9:
            LObject::MoveChild(root, control, RootF::kids, pick(nKids), pick(nKids + 1));
            break;
        case 10:
            LObject::SetUInt(root, control, pick(2) ? RootF::uval : RootF::memo, pick(2) ? 0xFFFFFFFF : pick(9), merge);
            break;
        case 11:
            LObject::SetByte(root, control, RootF::byte, uint8_t(pick(256)), merge);
            break;
        case 12: {
            const uint8_t b = uint8_t(pick(256));
            const float f = float(pick(9)) / 8;
            if (pick(2))
                (void)LObject::InsertArrayElement(root, control, RootF::bytz, pick(3), &b);
            else
                LObject::ExtendArray(root, control, RootF::flts, &f, pick(4));
            break;
        }
        case 13:
            LObject::ReplaceChild(root, control, RootF::opt, pick(2) ? MakeItem(int32_t(pick(9)), "on demand") : nullptr);
            break;
        case 14:  // deep in the tree: the replay finds its record again by its path
            if (LObject* kid = root->GetChild(RootF::kids, pick(nKids)); kid && kid->GetChild(ItemF::subs, 0))
                LObject::SetString(kid->GetChild(ItemF::subs, 0), control, ItemF::txt, pick(2) ? "deep" : "", merge);
            break;
        default:
            if (LObject* kid = root->GetChild(RootF::kids, pick(nKids)))
                LObject::SetInt(kid, control, ItemF::val, int32_t(pick(9)), merge);
            break;
        }
        const uint64_t start = f.LastRecordStart();
        wrapped = wrapped || f.doc.queue.Ring().wrapEnd != 0;
        if (start != lastStart)
            states.push_back(Dump(root));
        else
            states.back() = Dump(root);  // merged into the last step, or nothing recorded
        lastStart = start;
    }
    EXPECT_TRUE(wrapped);

    size_t undone = 0;
    while (f.doc.queue.CanUndo()) {
        ASSERT_TRUE(f.Undo());
        undone++;
        ASSERT_LT(undone, states.size());
        ASSERT_EQ(Dump(root), states[states.size() - 1 - undone]) << "after " << undone << " undos";
    }
    EXPECT_GT(undone, 10u);
    for (size_t i = 1; i <= undone; i++) {
        ASSERT_TRUE(f.Redo());
        ASSERT_EQ(Dump(root), states[states.size() - 1 - undone + i]) << "after " << i << " redos";
    }
    EXPECT_FALSE(f.doc.queue.CanRedo());
}

} // namespace

TEST_F(LObjectUndo, RandomEditsWrapTheRingAndStillRoundTrip)
{
    RandomEditsRoundTrip(*this, 8000, 20261206, 300);  // the megabyte ring
    for (uint32_t seed = 1; seed <= 4; seed++) {        // small rings wrapped many times
        UndoFixtureBase f(8192);
        RandomEditsRoundTrip(f, 1500, seed, 600);
    }
}

TEST_F(LObjectUndo, SnapshotsOfAnUnknownClassOrNestedBeyondTheCapAreNotRebuilt)
{
    ASSERT_TRUE(LObject::InsertChild(Root(), nullptr, RootF::kids, 0, MakeItem(1)));
    LObject::DeleteChildAt(Root(), &control, RootF::kids, 0);
    // The record ends with the snapshot's trailing class identity, then the trailer.
    const uint64_t forged = 0x1000;
    std::memcpy(bytes.Data() + doc.queue.Ring().cur - 4 - 8, &forged, 8);
    const std::string before = Dump(Root());
    EXPECT_TRUE(Undo());
    EXPECT_EQ(Dump(Root()), before);

    const auto chain = [](int depth) {
        LObjectPtr top = MakeItem(0);
        LObject* at = top.get();
        for (int i = 1; i < depth; i++) {
            EXPECT_TRUE(LObject::InsertChild(at, nullptr, ItemF::subs, 0, MakeItem(i)));
            at = at->GetChild(ItemF::subs, 0);
        }
        return top;
    };
    ASSERT_TRUE(LObject::InsertChild(Root(), nullptr, RootF::kids, 0, chain(40)));
    ASSERT_TRUE(LObject::InsertChild(Root(), nullptr, RootF::kids, 1, chain(100)));
    LObject::DeleteChildAt(Root(), &control, RootF::kids, 0);
    LObject::DeleteChildAt(Root(), &control, RootF::kids, 0);
    EXPECT_TRUE(Undo());
    EXPECT_EQ(Root()->GetArrayCount(RootF::kids), 0u);  // too deep: not rebuilt
    EXPECT_TRUE(Undo());
    ASSERT_EQ(Root()->GetArrayCount(RootF::kids), 1u);  // 40 levels come back whole
    int depth = 0;
    for (const LObject* at = Root()->GetChild(RootF::kids, 0); at; at = at->GetChild(ItemF::subs, 0))
        depth++;
    EXPECT_EQ(depth, 40);
}
