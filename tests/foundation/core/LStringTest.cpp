#include "foundation/core/CStrView.h"
#include "foundation/core/LString.h"
#include "foundation/core/LStringRef.h"
#include "foundation/core/StrEqual.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

TEST(LString, MakeTakesALengthOrRunsToTheNul)
{
    const char six[] = {'a', 'b', 'c', 'd', 'e', 'f'};   // no NUL of its own
    LString* s = LString::Make(six, 3);
    LStringRef handle(s);
    EXPECT_EQ(s->Length(), 3u);
    EXPECT_EQ(std::memcmp(s->Text(), "abc\0", 4), 0);
    LStringRef hello(LString::Make("hello"));
    EXPECT_EQ(hello.Length(), 5u);
    EXPECT_STREQ(hello.Text(), "hello");
    EXPECT_STREQ(LStringRef(LString::Make("hi", -7)).Text(), "hi");   // negative: up to the NUL
    LStringRef embedded("a\0b", 3);
    ASSERT_EQ(embedded.Length(), 3u);
    EXPECT_EQ(std::memcmp(embedded.Text(), "a\0b\0", 4), 0);
    EXPECT_FALSE(embedded == LStringRef("a"));
}

TEST(LString, NullZeroOrHugeLengthGiveTheSharedEmptyThatIsNeverFreed)
{
    for (LString* made : {LString::Make(nullptr, 5), LString::Make(nullptr), LString::Make("abc", 0), LString::Make(""),
                          LString::Make("abc", int64_t{1} << 33)})
        EXPECT_EQ(made, LString::Empty());
    LString* empty = LString::Empty();
    EXPECT_STREQ(empty->Text(), "");
    EXPECT_EQ(empty->Length(), 0u);
    const int32_t before = empty->RefCount();
    EXPECT_GE(before, 1);
    {
        std::vector<LStringRef> many(1000);
        EXPECT_EQ(empty->RefCount(), before + 1000);
    }
    EXPECT_EQ(empty->RefCount(), before);
    EXPECT_STREQ(LString::Empty()->Text(), "");
}

TEST(LStringRef, NeverNullAndEqualsComparesTextNotBlocks)
{
    LStringRef d("text");
    d.Release();
    for (const LStringRef& none : {LStringRef(), LStringRef(static_cast<const char*>(nullptr)),
                                   LStringRef(static_cast<const LString*>(nullptr)), d})
        EXPECT_EQ(none.Get(), LString::Empty());
    LStringRef e("moved");
    LStringRef f(std::move(e));
    EXPECT_STREQ(e.Text(), "moved");   // moving copies: the source still holds a text
    d.Assign(nullptr);
    EXPECT_TRUE(d.IsEmpty());

    LStringRef h("hello");
    LStringRef h2(std::string_view("hello"));
    EXPECT_NE(h.Get(), h2.Get());
    EXPECT_TRUE(LStringRef::Equals(h, h2) && LStringRef::Equals(LStringRef(), LStringRef("")));
    EXPECT_FALSE(LStringRef::Equals(h, LStringRef("hell")) || LStringRef::Equals(h, LStringRef("hellO")));
    EXPECT_TRUE(h == "hello" && LStringRef() == nullptr);
    EXPECT_FALSE(h == nullptr);
}

TEST(LStringRefThreads, EightThreadsShareStringsAndEmpty)
{
    LStringRef shared("a text shared by every thread");
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&shared] {
            for (int i = 0; i < 10000; ++i) {
                LStringRef copy = shared;
                LStringRef empty;
                LStringRef own("own");
                own = copy;
                ASSERT_EQ(own.Length(), shared.Length());
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(shared.Get()->RefCount(), 1);
}

TEST(CStrView, RetainsAHandleOrBorrowsATextAndStrEqualTakesNullAsEmpty)
{
    LStringRef s("view me");
    CStrView v(s);
    EXPECT_EQ(s.Get()->RefCount(), 2);
    EXPECT_EQ(v.text, s.Text());
    EXPECT_EQ(v.length, 7u);
    EXPECT_EQ(v.View(), "view me");
    CStrView e{LStringRef()};
    EXPECT_STREQ(e.text, "");
    EXPECT_EQ(e.length, 0u);

    const char* text = "borrowed";
    CStrView borrowed(text);
    EXPECT_EQ(borrowed.text, text);
    EXPECT_EQ(borrowed.length, 8u);
    EXPECT_EQ(borrowed.handle.Get(), LString::Empty());
    borrowed.InitCStr(nullptr);
    EXPECT_EQ(borrowed.length, 0u);
    EXPECT_STREQ(borrowed.text, "");

    const std::string abc("abc");
    const std::tuple<const char*, const char*, bool> pairs[] = {{nullptr, "", true}, {"", nullptr, true},
        {nullptr, nullptr, true}, {"a", nullptr, false}, {nullptr, "a", false}, {"abc", abc.c_str(), true},
        {"abc", "abd", false}, {"abc", "abcd", false}};
    for (const auto& [a, b, equal] : pairs)
        EXPECT_EQ(StrEqual(a, b), equal) << (a ? a : "null") << " " << (b ? b : "null");
    EXPECT_EQ(std::pair(SafeStrlen(nullptr), SafeStrlen("four")), std::pair(0u, 4u));
}
