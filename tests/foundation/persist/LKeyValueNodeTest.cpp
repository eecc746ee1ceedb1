#include "foundation/core/LStrStream.h"
#include "foundation/core/LStringRef.h"
#include "foundation/persist/CCFDictStore.h"
#include "platform/values/Dict.h"

#include <gtest/gtest.h>

#include <tuple>

using plat::Dict;

namespace {

std::string StoredText(Dict& dict, const char* key)
{
    const plat::String* text = dict.GetAs<plat::String>(key);
    return text ? text->Text() : "<none>";
}

} // namespace

TEST(LKeyValueNode, NumberListsAreTextWithTrailingBlanksAndReadFromTextsItDidNotWrite)
{
    plat::Ref<Dict> dict = Dict::Make();
    CCFDictStore store(dict.Get(), LKeyValueNode::kWritable);
    const int64_t ints[] = {3, -4};
    store.SetInts("i", ints, 2);
    EXPECT_EQ(StoredText(*dict, "i"), "3 -4 ");
    int64_t back[8] = {};
    EXPECT_EQ(store.GetInts("i", back, 8), 2);
    EXPECT_EQ(std::pair(back[0], back[1]), std::pair(int64_t(3), int64_t(-4)));
    EXPECT_EQ(store.GetInts("i", nullptr, 1), 2);  // counting ignores the maximum
    EXPECT_EQ(store.GetInts("i", back, 0), 0);

    store.SetInts("none", ints, 0);
    EXPECT_EQ(StoredText(*dict, "none"), "");
    EXPECT_EQ(store.GetInts("none", back, 8), 0);

    const double reals[] = {0.5, 1e-5, 123456789.0, -0.0};
    store.SetDoubles("d", reals, 4);
    EXPECT_EQ(StoredText(*dict, "d"), "0.5 1e-05 1.23457e+08 -0 ");

    store.SetInt("one", 4000000000LL);
    EXPECT_EQ(StoredText(*dict, "one"), "4000000000 ");
    // Read back as a 32-bit value, sign-extended: the low 32 bits survive.
    EXPECT_EQ(uint32_t(store.GetInt("one", 0)), 4000000000u);

    plat::Ref<Dict> foreign = Dict::Make();
    foreign->Set("mixed", plat::String::Make("1 2.5 x"));
    foreign->Set("reals", plat::String::Make("0.5 1e3 .25 nope 7"));
    foreign->Set("lines", plat::String::Make("1\n2"));
    foreign->Set("data", plat::Data::Make("ab", 2));
    CCFDictStore reader(foreign.Get(), LKeyValueNode::kReadOnly);
    double got[8] = {};
    EXPECT_EQ(reader.GetInts("mixed", back, 4), 2);
    EXPECT_EQ(back[1], 2);
    EXPECT_EQ(reader.GetInts("lines", back, 4), 1);  // a line end ends the list
    EXPECT_EQ(reader.GetDoubles("reals", got, 8), 3);
    EXPECT_EQ(std::pair(got[1], got[2]), std::pair(1000.0, 0.25));
    EXPECT_EQ(std::tuple(reader.GetInts("missing", back, 4), reader.GetInts("data", back, 4), reader.GetDoubles("data", got, 4)),
              std::tuple(-1, -1, -1));
    EXPECT_EQ(reader.GetInt("missing", 42), 42);
}

TEST(LKeyValueNode, ReadOnlyStoreIgnoresWritesAndOpensNothingNew)
{
    plat::Ref<Dict> dict = Dict::Make();
    dict->Set("s", plat::String::Make("old"));
    CCFDictStore store(dict.Get(), LKeyValueNode::kReadOnly);
    store.SetString("s", "new");
    store.SetData("d", "x", 1);
    store.RemoveKey("s");
    store.SetInt("n", 1);
    {
        LKeyValueNode child(store, "sub");
        EXPECT_TRUE(child.IsEmpty());
        LStringRef out("keep");
        uint32_t size = 9;
        EXPECT_FALSE(child.GetString("k", &out) || child.GetData("k", nullptr, &size));
        EXPECT_EQ(std::pair(std::string(out.View()), size), std::pair(std::string("keep"), 0u));
        EXPECT_EQ(child.GetInts("k", nullptr, 1), -1);
        LKeyValueNode grandChild(child, "deeper");
        EXPECT_TRUE(grandChild.IsEmpty());
    }
    EXPECT_EQ(dict->Count(), 1u);
    EXPECT_EQ(StoredText(*dict, "s"), "old");
}

TEST(LKeyValueNode, WritableChainsCreateAndReplaceAndReleaseTheirNodes)
{
    plat::Ref<Dict> dict = Dict::Make();
    dict->Set("sub", plat::String::Make("a string"));
    {
        CCFDictStore store(dict.Get(), LKeyValueNode::kWritable);
        LKeyValueNode sub(store, "sub");
        ASSERT_FALSE(sub.IsEmpty());
        LKeyValueNode deeper(sub, "deeper");
        deeper.SetString("k", "v");
        LKeyValueNode existing(sub, "nothing", LKeyValueNode::Existing::Only);
        EXPECT_TRUE(existing.IsEmpty());
    }
    Dict* sub = dict->GetAs<Dict>("sub");
    ASSERT_TRUE(sub);
    EXPECT_EQ(sub->Count(), 1u);
    EXPECT_EQ(StoredText(*sub->GetAs<Dict>("deeper"), "k"), "v");
    // Every handle was given back: only the tree holds the sub-dictionaries.
    EXPECT_EQ(std::tuple(sub->RetainCount(), sub->GetAs<Dict>("deeper")->RetainCount(), dict->RetainCount()),
              std::tuple(1, 1, 1));
}

TEST(LKeyValueNode, DataCopiesAtMostTheBuffer)
{
    plat::Ref<Dict> dict = Dict::Make();
    CCFDictStore store(dict.Get(), LKeyValueNode::kWritable);
    store.SetData("d", "0123456789", 10);
    char buffer[4] = {};
    uint32_t size = 4;
    EXPECT_TRUE(store.GetData("d", buffer, &size));
    EXPECT_EQ(std::pair(size, std::string(buffer, 4)), std::pair(4u, std::string("0123")));
    size = 0;
    EXPECT_TRUE(store.GetData("d", nullptr, &size));
    EXPECT_EQ(size, 10u);
    store.SetString("s", "t");
    EXPECT_FALSE(store.GetData("s", nullptr, &size));
    EXPECT_EQ(size, 0u);

    LKeyValueNode lone;
    size = 5;
    EXPECT_FALSE(lone.GetData("d", buffer, &size));
    EXPECT_EQ(size, 0u);
    LStrStream key;
    MakeIndexedKey(key, "a", 12);
    EXPECT_EQ(key.View(), "a12");
}
