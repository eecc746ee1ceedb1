#include "foundation/core/LCallbackList.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Visit {
    LCallbackList* list = nullptr;
    std::vector<int> seen;
    LCallbackEntry removeOnCall{};
};

void Note(void* context, Visit* visit)
{
    visit->seen.push_back(static_cast<int>(reinterpret_cast<intptr_t>(context)));
}

void NoteAndRemove(void* context, Visit* visit)
{
    Note(context, visit);
    visit->list->Remove(visit->removeOnCall);
}

void* Ctx(intptr_t i)
{
    return reinterpret_cast<void*>(i);
}

void CallAll(LCallbackList& list, Visit& visit)
{
    list.ForEach([&visit](const LCallbackEntry& e) { e.As<void (*)(void*, Visit*)>()(e.context, &visit); });
}

// Three callbacks with contexts 1, 2 and 3; the one at `remover` (0-based) removes the entry
// of context `victim` while the list is walked. Returns the contexts called, in order.
std::vector<int> WalkWhileRemoving(int remover, int victim)
{
    LCallbackList list;
    Visit visit;
    visit.list = &list;
    for (int i = 0; i < 3; ++i) {
        if (i == remover)
            EXPECT_TRUE(list.Add(Ctx(i + 1), &NoteAndRemove));
        else
            EXPECT_TRUE(list.Add(Ctx(i + 1), &Note));
    }
    auto victimFn = victim == remover + 1 ? &NoteAndRemove : &Note;
    visit.removeOnCall = LCallbackEntry{Ctx(victim), reinterpret_cast<LCallbackFn>(victimFn)};
    CallAll(list, visit);
    EXPECT_EQ(list.Count(), 2u);
    return visit.seen;
}

} // namespace

TEST(LCallbackList, AddIgnoresDuplicatesAndNullFunctionsAndRemovalsKeepWalksAndIteratorsRight)
{
    LCallbackList list;
    EXPECT_TRUE(list.Add(Ctx(1), &Note));
    EXPECT_TRUE(list.Add(Ctx(1), &Note));
    EXPECT_TRUE(list.Add(Ctx(2), &Note));
    EXPECT_TRUE(list.Add(Ctx(1), &NoteAndRemove));
    EXPECT_TRUE(list.Add(LCallbackEntry{Ctx(3), nullptr}));
    EXPECT_EQ(list.Count(), 3u);
    list.Remove(Ctx(1), &Note);
    list.Remove(Ctx(9), &Note);
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_FALSE(list.Contains(LCallbackEntry{Ctx(1), reinterpret_cast<LCallbackFn>(&Note)}));

    EXPECT_EQ(WalkWhileRemoving(1, 2), (std::vector<int>{1, 2, 3}));   // itself: the next still runs
    EXPECT_EQ(WalkWhileRemoving(1, 1), (std::vector<int>{1, 2, 3}));   // an earlier one: no repeat
    EXPECT_EQ(WalkWhileRemoving(0, 2), (std::vector<int>{1, 3}));      // a later one: skipped

    LCallbackList walked;
    for (intptr_t i = 0; i < 4; ++i)
        ASSERT_TRUE(walked.Add(Ctx(i), &Note));
    LListIter iter(walked);
    LListIter other(walked);
    LCallbackEntry e;
    ASSERT_TRUE(iter.Next(&e));
    ASSERT_TRUE(iter.Next(&e));
    EXPECT_EQ(iter.Position(), 2u);
    walked.Remove(Ctx(1), &Note);
    EXPECT_EQ(iter.Position(), 1u);
    EXPECT_EQ(other.Position(), 0u);
    ASSERT_TRUE(iter.Next(&e));
    EXPECT_EQ(e.context, Ctx(2));
    walked.Remove(Ctx(3), &Note);   // at or above the position: unchanged
    EXPECT_EQ(iter.Position(), 2u);
    EXPECT_FALSE(iter.Next(&e));

    auto gone = std::make_unique<LCallbackList>();   // an iterator outliving its list stops
    ASSERT_TRUE(gone->Add(Ctx(1), &Note));
    LListIter orphan(*gone);
    gone.reset();
    EXPECT_FALSE(orphan.Next(&e));
}
