#include "foundation/core/LList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Node : SSLink {
    explicit Node(int v = 0, int* deaths = nullptr) : value(v), fDeaths(deaths) {}
    ~Node() override
    {
        if (fDeaths)
            ++*fDeaths;
    }
    int value;
    int* fDeaths;
};

std::vector<int> Values(const LList& list)
{
    std::vector<int> values;
    for (SSLink* link : list)
        values.push_back(static_cast<Node*>(link)->value);
    return values;
}

} // namespace

TEST(LList, EmptyListPushesNthAndADestructorThatUnlinksWithoutDeleting)
{
    Node a(1), b(2), c(0);
    LList list;
    EXPECT_TRUE(list.IsEmpty());
    for (SSLink* none : {list.PopFront(), list.Nth(0), list.Head(), list.Tail()})
        EXPECT_EQ(none, nullptr);
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_TRUE(list.begin() == list.end());
    list.PushBack(&a);
    list.PushBack(&b);
    EXPECT_EQ(list.Nth(1), &b);
    EXPECT_EQ(list.Tail(), &b);
    list.PushFront(&c);
    EXPECT_EQ(Values(list), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(list.Nth(3), nullptr);
    EXPECT_TRUE(b.Next()->IsEnd());
    EXPECT_EQ(b.Next(), SSLink::EndMarker());

    int deaths = 0;
    Node d(1, &deaths), e(2, &deaths);
    {
        LList gone;
        gone.PushBack(&d);
        gone.PushBack(&e);
    }
    EXPECT_EQ(deaths, 0);
    EXPECT_FALSE(d.IsLinked());
    EXPECT_FALSE(e.IsLinked());
}

TEST(LList, RefusesLinkedForeignUnlinkedAndNullNodes)
{
    Node a(1), b(2), loose(3);
    LList one, two;
    one.PushBack(&a);
    one.PushBack(&b);
    one.PushBack(&a);
    two.PushBack(&a);
    two.PushFront(&b);
    two.InsertAfter(&a, nullptr);
    one.PushBack(nullptr);
    EXPECT_EQ(Values(one), (std::vector<int>{1, 2}));
    EXPECT_TRUE(two.IsEmpty());

    LList other;
    ASSERT_TRUE(one.Remove(&b));
    other.PushBack(&b);
    for (SSLink* foreign : {static_cast<SSLink*>(&b), static_cast<SSLink*>(&loose), static_cast<SSLink*>(nullptr), SSLink::EndMarker()})
        EXPECT_FALSE(one.Remove(foreign));
    EXPECT_TRUE(b.IsLinked());
    EXPECT_EQ(other.Head(), &b);
    EXPECT_TRUE(one.Contains(&a) && !one.Contains(&b));
}

TEST(LList, TailFollowsRemovePopAndInsertAfter)
{
    Node a(1), b(2), c(3), d(4), e(5), loose(9);   // nodes outlive the lists that hold them
    LList list;
    list.PushBack(&a);
    list.PushBack(&b);
    EXPECT_TRUE(list.Remove(&b));
    EXPECT_FALSE(b.IsLinked());
    EXPECT_EQ(list.Tail(), &a);
    list.PushBack(&c);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 3}));
    EXPECT_TRUE(list.Remove(&c));
    EXPECT_TRUE(list.Remove(&a));
    EXPECT_TRUE(list.IsEmpty());
    list.PushBack(&d);   // the tail went back to the list itself
    EXPECT_EQ(Values(list), (std::vector<int>{4}));
    EXPECT_EQ(list.Head(), &d);
    EXPECT_EQ(list.Tail(), &d);
    EXPECT_EQ(list.PopFront(), &d);   // popping the last node resets the tail too
    EXPECT_FALSE(d.IsLinked());
    list.PushBack(&b);
    EXPECT_EQ(list.Tail(), &b);
    EXPECT_EQ(Values(list), (std::vector<int>{2}));

    LList inserted;
    inserted.PushBack(&a);
    inserted.InsertAfter(&c, &a);
    inserted.InsertAfter(&d, &a);
    EXPECT_EQ(Values(inserted), (std::vector<int>{1, 4, 3}));
    EXPECT_EQ(inserted.Tail(), &c);
    inserted.InsertAfter(&e, &loose);   // an anchor in no list links nothing
    EXPECT_FALSE(e.IsLinked());
    inserted.InsertAfter(&e, &c);
    EXPECT_EQ(inserted.Tail(), &e);
}

