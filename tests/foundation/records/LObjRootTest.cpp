#include "foundation/records/LObjRoot.h"
#include "foundation/records/LObject.h"
#include "tests/foundation/records/RecordTestKit.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include <iterator>
#include <limits>

namespace {

// A class whose callback logs and can hide changes from the observers.
std::vector<std::string> gLog;
bool gHide = false;

int LoggingCallback(LClassOp op, void* argument)
{
    if (op != LClassOp::Change)
        return 0;
    const auto& notice = *static_cast<LObjChange*>(argument);
    gLog.push_back("class:" + std::to_string(int(notice.operation)));
    return gHide ? 1 : 0;
}

const LFieldDesc kLoggedFields[] = {
    LFieldDesc::Int(FourCC("v   ")),
    LFieldDesc::ListOf(FourCC("kids"), FourCC("TEST"), FourCC("ITEM")),
};
const LClassDesc gLogged(FourCC("TEST"), FourCC("LOGD"), std::size(kLoggedFields), kLoggedFields,
                         LoggingCallback);

struct SelfRemover {
    LObjRoot* holder;
    int calls = 0;
    static void Observe(void* context, LObjChange&)
    {
        auto* self = static_cast<SelfRemover*>(context);
        self->calls++;
        self->holder->RemoveObserver(self, Observe);
    }
};

// A tree of the test schema and the notices it sends.
class LObjRootTest : public testing::Test {
protected:
    LObjRoot holder{LObject::Create(RootClass())};
    NoticeLog log{holder};
};

} // namespace

TEST(LObjRoot, ClassCallbackHearsFirstAndCanHideTheChange)
{
    LObjRoot holder(LObject::Create(&gLogged));
    ScopedObserver observer(holder,
                            [](LObjChange& n) { gLog.push_back("observer:" + std::to_string(int(n.operation))); });
    gLog.clear();
    gHide = false;
    LObject::SetInt(holder.Root(), nullptr, 0, 5, LObject::Merge::No);
    EXPECT_EQ(gLog, (std::vector<std::string>{"class:0", "observer:0"}));
    gLog.clear();
    gHide = true;
    LObject::SetInt(holder.Root(), nullptr, 0, 6, LObject::Merge::No);
    EXPECT_EQ(gLog, (std::vector<std::string>{"class:0"}));
    EXPECT_TRUE(holder.IsModified());  // hidden from observers, still a change
    gHide = false;
}

TEST_F(LObjRootTest, InsertRemoveAndSetChildSendTheirNoticesInOrder)
{
    LObjectPtr item = MakeItem(1);
    ASSERT_TRUE(LObject::InsertChild(item.get(), nullptr, ItemF::subs, 0, MakeItem(2)));
    LObject* added = item.get();
    ASSERT_TRUE(LObject::InsertChild(holder.Root(), nullptr, RootF::kids, 0, std::move(item)));
    using Op = LObjOp;
    EXPECT_EQ(log.Ops(), (std::vector<Op>{Op::WillInsert, Op::Attached, Op::Attached, Op::Inserted}));
    // Attached in pre-order: the record first.
    EXPECT_EQ((std::vector<const LObject*>{log.notices[0].record, log.notices[1].record, log.notices[2].record,
                                           log.notices[3].record}),
              (std::vector<const LObject*>{added, added, added->GetChild(ItemF::subs, 0), holder.Root()}));
    EXPECT_EQ(std::pair(int(log.notices[0].field), log.notices[3].index2), std::pair(int(kNoField), -1));

    log.Clear();
    LObject::DeleteChildAt(holder.Root(), nullptr, RootF::kids, 0);
    EXPECT_EQ(log.Ops(), (std::vector<Op>{Op::WillRemove, Op::Deleted, Op::Detached, Op::Detached}));
    EXPECT_EQ(log.notices[3].record, added);  // post-order: the record last

    log.Clear();
    PlainHandler context;
    LObject::ReplaceChild(holder.Root(), &context, RootF::one, MakeItem(3));
    EXPECT_EQ(log.Ops(), (std::vector<Op>{Op::Detached, Op::Attached, Op::Changed}));
    EXPECT_EQ(log.notices[2].context, &context);
    log.Clear();
    LObject* same = holder.Root()->GetChild(RootF::one);
    EXPECT_EQ(LObject::SetChild(holder.Root(), nullptr, RootF::one, LObjectPtr(same)), nullptr);
    EXPECT_TRUE(log.notices.empty());
}

TEST_F(LObjRootTest, SilentFieldsMarkModifiedButNotifyNobodyAndUntaggedPathsTheReverse)
{
    LObject::SetUInt(holder.Root(), nullptr, RootF::memo, 4, LObject::Merge::No);
    LObject::SetInt(holder.Root()->GetChild(RootF::hidden), nullptr, ItemF::val, 2, LObject::Merge::No);
    EXPECT_EQ(log.notices.size(), 2u);
    EXPECT_EQ(std::pair(holder.IsModified(), holder.ChangeCount()), std::pair(false, 0u));
    log.Clear();

    LObject::SetInt(holder.Root(), nullptr, RootF::quiet, 4, LObject::Merge::No);
    EXPECT_TRUE(log.notices.empty());
    EXPECT_EQ(std::pair(holder.IsModified(), holder.ChangeCount()), std::pair(true, 1u));
    ASSERT_TRUE(LObject::InsertChild(holder.Root(), nullptr, RootF::mute, 0, MakeItem(1)));
    LObject::DeleteChildAt(holder.Root(), nullptr, RootF::mute, 0);
    EXPECT_TRUE(log.notices.empty());
    EXPECT_EQ(holder.ChangeCount(), 3u);

    LObject::SetInt(holder.Root()->GetChild(RootF::one), nullptr, ItemF::val, 2, LObject::Merge::No);
    EXPECT_EQ(holder.ChangeCount(), 4u);
    EXPECT_EQ(log.notices.back().index2, 0);  // a child slot's index in its parent
}

TEST_F(LObjRootTest, UnchangedValuesNotifyNothingAndDetachedRecordsNeverNotify)
{
    LObject::SetInt(holder.Root(), nullptr, RootF::ival, 7, LObject::Merge::No);
    LObject::SetFloat(holder.Root(), nullptr, RootF::flt, 1.5f, LObject::Merge::No);
    LObject::SetString(holder.Root(), nullptr, RootF::name, "abc", LObject::Merge::No);
    LObject::SetString(holder.Root()->GetChild(RootF::one), nullptr, ItemF::txt, "", LObject::Merge::No);
    EXPECT_TRUE(log.notices.empty());
    EXPECT_FALSE(holder.IsModified());

    LObject::SetFloat(holder.Root(), nullptr, RootF::flt, std::numeric_limits<float>::quiet_NaN(), LObject::Merge::No);
    LObject::SetFloat(holder.Root(), nullptr, RootF::flt, std::numeric_limits<float>::quiet_NaN(), LObject::Merge::No);
    EXPECT_EQ(log.notices.size(), 2u);  // NaN is always a change

    LObjectPtr loose = MakeItem(1);
    LObject::SetInt(loose.get(), nullptr, ItemF::val, 5, LObject::Merge::No);
    EXPECT_EQ(loose->GetInt(ItemF::val), 5);
    EXPECT_EQ(log.notices.size(), 2u);

    LObject::SetArray(holder.Root(), nullptr, RootF::ints, nullptr, 0);
    ASSERT_EQ(log.notices.size(), 3u);  // arrays always report, as a whole
    EXPECT_EQ(log.notices.back().index, -1);
}

TEST_F(LObjRootTest, ObserverRemovingItselfDoesNotStopTheOthers)
{
    SelfRemover remover{&holder};
    ASSERT_TRUE(holder.AddObserver(&remover, SelfRemover::Observe));
    NoticeLog after(holder);  // the observer right behind the one that goes
    LObject::SetInt(holder.Root(), nullptr, RootF::ival, 1, LObject::Merge::No);
    LObject::SetInt(holder.Root(), nullptr, RootF::ival, 2, LObject::Merge::No);
    EXPECT_EQ(std::tuple(remover.calls, log.notices.size(), after.notices.size()), std::tuple(1, size_t(2), size_t(2)));
}

TEST(LObjRoot, DestructionDetachesEveryRecordDeepestFirst)
{
    std::vector<SeenNotice> seen;
    struct Keep {
        static void Observe(void* context, LObjChange& n)
        {
            static_cast<std::vector<SeenNotice>*>(context)->push_back(
                {n.operation, n.field, n.index, n.index2, n.record, n.context});
        }
    };
    const LObject* root = nullptr;
    const LObject* nested = nullptr;
    {
        LObjRoot holder(LObject::Create(RootClass()));
        root = holder.Root();
        LObjectPtr item = MakeItem(1);
        ASSERT_TRUE(LObject::InsertChild(item.get(), nullptr, ItemF::subs, 0, MakeItem(2)));
        nested = item->GetChild(ItemF::subs, 0);
        ASSERT_TRUE(LObject::InsertChild(holder.Root(), nullptr, RootF::kids, 0, std::move(item)));
        ASSERT_TRUE(holder.AddObserver(&seen, Keep::Observe));
    }
    // 'hidden' child, 'one' child, the list element's child, the element, then the root.
    ASSERT_EQ(seen.size(), 5u);
    for (const SeenNotice& n : seen)
        EXPECT_EQ(n.op, LObjOp::Detached);
    EXPECT_EQ(seen[2].record, nested);
    EXPECT_EQ(seen.back().record, root);
}
