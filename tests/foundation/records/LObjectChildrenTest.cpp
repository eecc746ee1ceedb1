#include "foundation/records/LObjRoot.h"
#include "foundation/records/LObject.h"
#include "tests/foundation/records/RecordTestKit.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

class LObjectChildren : public testing::Test {
protected:
    LObjectChildren() : holder(LObject::Create(RootClass())), root(holder.Root())
    {
        for (int32_t v = 0; v < 3; v++)
            EXPECT_TRUE(LObject::InsertChild(root, nullptr, RootF::kids, uint32_t(v), MakeItem(v)));
    }

    std::string Values() const
    {
        std::string out;
        for (uint32_t i = 0; i < root->GetArrayCount(RootF::kids); i++)
            out += std::to_string(root->GetChild(RootF::kids, i)->GetInt(ItemF::val));
        return out;
    }

    LObjRoot holder;
    LObject* root;
};

} // namespace

TEST_F(LObjectChildren, MoveEndsBeforeTheElementThatWasAtTo)
{
    // Moves onto itself or just behind itself, and moves from past the end, change nothing.
    for (const auto& [from, to, values] : {std::tuple(0u, 3u, "120"), {2u, 0u, "012"}, {1u, 1u, "012"}, {1u, 2u, "012"},
                                           {3u, 0u, "012"}, {0u, 99u, "120"}}) {
        LObject::MoveChild(root, nullptr, RootF::kids, from, to);
        EXPECT_EQ(Values(), values) << from << " to " << to;
    }
    for (uint32_t i = 0; i < 3; i++)
        EXPECT_EQ(root->GetChild(RootF::kids, i)->IndexInParent(), int32_t(i));
}

TEST_F(LObjectChildren, InsertBeyondTheCountAppendsAndRenumbersAndWillInsertCanChooseThePosition)
{
    ASSERT_TRUE(LObject::InsertChild(root, nullptr, RootF::kids, 50, MakeItem(7)));
    ASSERT_TRUE(LObject::InsertChild(root, nullptr, RootF::kids, 0, MakeItem(9)));
    EXPECT_EQ(Values(), "90127");
    for (uint32_t i = 0; i < 5; i++) {
        EXPECT_EQ(root->GetChild(RootF::kids, i)->ListIndex(), int32_t(i));
        EXPECT_EQ(root->GetChild(RootF::kids, i)->GetRootHolder(), &holder);
    }

    ScopedObserver insertFirst(holder, [](LObjChange& notice) {
        if (notice.operation == LObjOp::WillInsert)
            notice.index = 0;
    });
    ASSERT_TRUE(LObject::InsertChild(root, nullptr, RootF::kids, 3, MakeItem(5)));
    EXPECT_EQ(Values(), "590127");
}

TEST_F(LObjectChildren, RemoveAnswersADetachedChildOrNull)
{
    LObjectPtr taken = LObject::RemoveChildAt(root, nullptr, RootF::kids, 1);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(std::tuple(taken->GetInt(ItemF::val), taken->Parent(), taken->ListIndex(), taken->GetRootHolder()),
              std::tuple(1, static_cast<LObject*>(nullptr), -1, static_cast<LObjRoot*>(nullptr)));
    EXPECT_EQ(Values(), "02");
    EXPECT_EQ(root->GetChild(RootF::kids, 1)->ListIndex(), 1);
    EXPECT_EQ(LObject::RemoveChildAt(root, nullptr, RootF::kids, 2), nullptr);
    LObject::DeleteChildAt(root, nullptr, RootF::kids, 0);
    LObject::DeleteChildAt(root, nullptr, RootF::kids, 0);
    EXPECT_EQ(LObject::RemoveChildAt(root, nullptr, RootF::kids, 0), nullptr);  // empty list
}

TEST_F(LObjectChildren, SetAndExchangeChildAnswerThePreviousChildAndListsClear)
{
    LObject* first = root->GetChild(RootF::one);
    LObjectPtr replacement = MakeItem(4);
    LObject* second = replacement.get();
    LObjectPtr old = LObject::SetChild(root, nullptr, RootF::one, std::move(replacement));
    EXPECT_EQ(std::pair(old.get(), old->Parent()), std::pair(first, static_cast<LObject*>(nullptr)));
    EXPECT_EQ(std::tuple(root->GetChild(RootF::one), second->Parent(), second->IndexInParent()), std::tuple(second, root, 0));

    // A record no longer in the slot it names has no valid index.
    LObject* stray = LObject::PutChild(root, RootF::one, nullptr);
    EXPECT_EQ(stray, second);
    EXPECT_EQ(second->IndexInParent(), -1);
    LObject::Delete(stray);

    // Wrong field type: the record comes back to the caller.
    LObjectPtr back = LObject::SetChild(root, nullptr, RootF::ival, MakeItem(1));
    EXPECT_NE(back, nullptr);

    LObjectPtr previous = LObject::ExchangeChild(root, RootF::opt, MakeItem(3));
    EXPECT_EQ(std::pair(previous.get(), root->GetChild(RootF::opt)->GetInt(ItemF::val)), std::pair(static_cast<LObject*>(nullptr), 3));
    previous = LObject::ExchangeChild(root, RootF::opt, nullptr);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(previous->Parent(), nullptr);
    LObject::ClearChildList(root, RootF::kids);
    EXPECT_EQ(root->GetArrayCount(RootF::kids), 0u);
    LObject::RenumberChildren(root, RootF::kids, 0, 5);  // empty list: nothing
}

TEST_F(LObjectChildren, NullElementsAreSkippedByWalks)
{
    ASSERT_TRUE(LObject::InsertChild(root, nullptr, RootF::kids, 1, nullptr));
    EXPECT_EQ(std::pair(root->GetArrayCount(RootF::kids), root->GetChild(RootF::kids, 1)), std::pair(4u, static_cast<LObject*>(nullptr)));
    EXPECT_EQ(root->GetChild(RootF::kids, 2)->ListIndex(), 2);
    LObject::ResetAll(root);  // deletes every element, the null one included
    EXPECT_EQ(root->GetArrayCount(RootF::kids), 0u);
}
