#include "foundation/persist/CCFDictStore.h"
#include "platform/values/Dict.h"
#include "tests/foundation/records/RecordTestKit.h"

#include <gtest/gtest.h>

#include <tuple>

using plat::Dict;

namespace {

std::string Text(Dict* dict, const char* key)
{
    const plat::String* text = dict ? dict->GetAs<plat::String>(key) : nullptr;
    return text ? text->Text() : "<none>";
}

// The record's fields with the untagged one cleared, as a reload gives them.
std::string DumpWithoutUntagged(LObject* record)
{
    const uint32_t memo = record->GetUInt(RootF::memo);
    LObject::SetUInt(record, nullptr, RootF::memo, 0, LObject::Merge::No);
    std::string dump = Dump(record);
    LObject::SetUInt(record, nullptr, RootF::memo, memo, LObject::Merge::No);
    return dump;
}

// A dictionary holding the record as saved.
plat::Ref<Dict> Saved(const LObject* record)
{
    plat::Ref<Dict> dict = Dict::Make();
    CCFDictStore store(dict.Get(), LKeyValueNode::kWritable);
    LObject::SaveToNode(store, record);
    return dict;
}

void Load(Dict* dict, LObject* record)
{
    CCFDictStore reader(dict, LKeyValueNode::kReadOnly);
    LObject::LoadFromNode(reader, record);
}

} // namespace

TEST(LObjectNodes, StoresEachFieldUnderItsTagAndReadsTheTaggedFieldsBack)
{
    plat::Ref<Dict> dict = Saved(MakeRichRoot().get());
    const std::pair<const char*, const char*> texts[] = {{"ival", "-12 "}, {"uval", "4000000000 "}, {"byte", "171 "},
        {"flt", "0.25"}, {"ints", "3 -4 2147483647 "}, {"flts", "2.5 -0.125 "}};
    for (const auto& [key, text] : texts)
        EXPECT_EQ(Text(dict.Get(), key), text) << key;
    EXPECT_EQ(Text(dict->GetAs<Dict>("txts"), "s1") + "|" + Text(dict->GetAs<Dict>("txts"), "s3"), "|it's");
    EXPECT_EQ(dict->GetAs<plat::Data>("bytz")->Bytes(), (std::vector<uint8_t>{0x01, 0xAB, 0x00}));
    Dict* kids = dict->GetAs<Dict>("kids");
    ASSERT_TRUE(kids);
    EXPECT_EQ(kids->Count(), 2u);
    EXPECT_EQ(Text(kids->GetAs<Dict>("a1"), "txt"), "second");
    EXPECT_EQ(Text(kids->GetAs<Dict>("a0")->GetAs<Dict>("subs")->GetAs<Dict>("a0"), "val"), "11 ");
    EXPECT_EQ(Text(dict->GetAs<Dict>("one"), "val"), "42 ");
    EXPECT_FALSE(dict->Get(""));  // the untagged field is not stored

    LObjectPtr root = MakeRichRoot();
    plat::Ref<Dict> saved = Saved(root.get());
    LObjectPtr loaded = LObject::Create(RootClass());
    LObject::SetUInt(loaded.get(), nullptr, RootF::memo, 5, LObject::Merge::No);
    CCFDictStore reader(saved.Get(), LKeyValueNode::kReadOnly);
    LObject::LoadFromNodeRef(reader, loaded.get());
    EXPECT_EQ(loaded->GetUInt(RootF::memo), 5u);  // untagged: left as it was
    LObject::SetUInt(loaded.get(), nullptr, RootF::memo, 0, LObject::Merge::No);
    EXPECT_EQ(Dump(loaded.get()), DumpWithoutUntagged(root.get()));
}

TEST(LObjectNodes, LoadingKeepsFieldsWithoutKeysExceptTextArrays)
{
    plat::Ref<Dict> dict = Dict::Make();
    Dict* kids = nullptr;
    {
        CCFDictStore store(dict.Get(), LKeyValueNode::kWritable);
        LKeyValueNode list(store, "kids");
        LKeyValueNode a0(list, "a0");
        a0.SetInt("val", 1);
        LKeyValueNode a2(list, "a2");
        a2.SetInt("val", 3);
        kids = dict->GetAs<Dict>("kids");
    }
    ASSERT_TRUE(kids);
    LObjectPtr root = MakeRichRoot();
    Load(dict.Get(), root.get());
    // Fields without a key stay as they were; text arrays are emptied.
    EXPECT_EQ(std::tuple(root->GetInt(RootF::ival), root->GetArrayCount(RootF::ints), root->GetArrayCount(RootF::txts)),
              std::tuple(-12, 3u, 0u));
    ASSERT_EQ(root->GetArrayCount(RootF::kids), 1u);      // "a1" missing ends the list
    EXPECT_EQ(root->GetChild(RootF::kids, 0)->GetInt(ItemF::val), 1);
    EXPECT_EQ(dict->Count(), 1u);                         // loading added no keys
}

TEST(LObjectNodes, NullChildLeavesTheOldNodeLoadCreatesOnDemandChildrenAndSendsNoticesWithoutUndo)
{
    plat::Ref<Dict> dict = Dict::Make();
    LObjectPtr root = MakeRichRoot();
    {
        CCFDictStore store(dict.Get(), LKeyValueNode::kWritable);
        LObject::SaveToNode(store, root.get());
        LObject::ReplaceChild(root.get(), nullptr, RootF::opt, nullptr);
        LObject::SaveToNode(store, root.get());
    }
    ASSERT_TRUE(dict->GetAs<Dict>("opt"));
    LObjectPtr fresh = LObject::Create(RootClass());
    ASSERT_EQ(fresh->GetChild(RootF::opt), nullptr);
    Load(dict.Get(), fresh.get());
    ASSERT_NE(fresh->GetChild(RootF::opt), nullptr);

    plat::Ref<Dict> one = Dict::Make();
    one->Set("ival", plat::String::Make("5 "));
    LObjRoot holder(LObject::Create(RootClass()));
    NoticeLog log(holder);
    Load(one.Get(), holder.Root());
    EXPECT_EQ(holder.Root()->GetInt(RootF::ival), 5);
    ASSERT_FALSE(log.notices.empty());
    EXPECT_EQ(log.notices.front().context, nullptr);
}

TEST(LObjectNodes, DeepNestingStopsAtTheCap)
{
    // A chain of list nodes far deeper than any record tree may be.
    plat::Ref<Dict> top = Dict::Make();
    Dict* at = top.Get();
    for (int i = 0; i < 1000; ++i) {
        plat::Ref<Dict> list = Dict::Make();
        plat::Ref<Dict> element = Dict::Make();
        list->Set("a0", element);
        at->Set(i == 0 ? "kids" : "subs", list);
        at = element.Get();
    }
    LObjectPtr root = LObject::Create(RootClass());
    Load(top.Get(), root.get());
    int depth = 0;
    for (const LObject* r = root->GetChild(RootF::kids, 0); r; r = r->GetChild(ItemF::subs, 0))
        depth++;
    EXPECT_LE(depth, 257);
    EXPECT_GE(depth, 200);
}
