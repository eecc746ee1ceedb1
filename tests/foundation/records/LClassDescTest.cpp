#include "foundation/geometry/CLRect.h"
#include "foundation/records/LClassDesc.h"
#include "foundation/records/LObjRoot.h"
#include "foundation/records/LObject.h"
#include "foundation/records/LRefArray.h"
#include "tests/foundation/records/RecordTestKit.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include <cstring>
#include <iterator>
#include <vector>

namespace {

constexpr uint32_t kCls = FourCC("CLST");

int gCreatedCalls = 0;

int RefuseCreation(LClassOp op, void*)
{
    if (op == LClassOp::Created)
        gCreatedCalls++;
    return op == LClassOp::Created ? 1 : 0;
}

} // namespace

TEST(LFieldDesc, LaysOutSixteenBytesAsStaticTablesNeedThem)
{
    const auto u32At = [](const LFieldDesc& fd, size_t offset) {
        uint32_t value;
        std::memcpy(&value, reinterpret_cast<const unsigned char*>(&fd) + offset, 4);
        return value;
    };
    static_assert(sizeof(LFieldDesc) == 16);
    const LFieldDesc fd = LFieldDesc::FloatField(FourCC("flt "), 2.5f, 3, kFieldSilent);
    const auto* raw = reinterpret_cast<const unsigned char*>(&fd);
    EXPECT_EQ(u32At(fd, 0), FourCC("flt "));
    EXPECT_EQ(std::tuple(raw[4], raw[5], raw[6]), std::tuple(3, kFieldSilent, 3));  // type, flags, precision
    float def;
    std::memcpy(&def, raw + 8, 4);
    EXPECT_EQ(def, 2.5f);
    const LFieldDesc child = LFieldDesc::ChildOf(FourCC("kid "), FourCC("YUND"), FourCC("PRMS"));
    EXPECT_EQ(std::pair(u32At(child, 8), u32At(child, 12)), std::pair(FourCC("YUND"), FourCC("PRMS")));
}

TEST(LClassDesc, RegistryFindsByBothCodesLaterRegistrationWinsAndMoreThan255FieldsAreRefused)
{
    static const LFieldDesc fields[] = {LFieldDesc::Int(FourCC("a   "))};
    LClassDesc first(FourCC("DUPE"), kCls, 1, fields);
    EXPECT_EQ(LClassDesc::Find(FourCC("DUPE"), kCls), &first);
    EXPECT_EQ(LClassDesc::Find(FourCC("DUPE"), FourCC("NONE")), nullptr);
    EXPECT_EQ(LClassDesc::Find(FourCC("NONE"), kCls), nullptr);
    {
        LClassDesc second(FourCC("DUPE"), kCls, 1, fields);
        EXPECT_EQ(LClassDesc::Find(FourCC("DUPE"), kCls), &second);
        second.Register();  // a second registration links nothing twice
        EXPECT_EQ(LClassDesc::Find(FourCC("DUPE"), kCls), &second);
    }
    // The destroyed descriptor left the registry; the first is found again.
    EXPECT_EQ(LClassDesc::Find(FourCC("DUPE"), kCls), &first);
    EXPECT_TRUE(LClassDesc::IsRegistered(&first));

    static std::vector<LFieldDesc> many(256, LFieldDesc::Int(FourCC("many")));
    LClassDesc tooMany(FourCC("BIG "), kCls, 256, many.data());
    EXPECT_EQ(LClassDesc::Find(FourCC("BIG "), kCls), nullptr);
    EXPECT_FALSE(LClassDesc::IsRegistered(&tooMany));
    EXPECT_EQ(LObject::Create(&tooMany), nullptr);

    LClassDesc atLimit(FourCC("BIG "), FourCC("255 "), 255, many.data());
    LObjectPtr record = LObject::Create(&atLimit);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->FieldCount(), 255u);
    EXPECT_EQ(record->FieldDesc(254)->tag, FourCC("many"));
    EXPECT_EQ(record->FieldDesc(255), nullptr);
}

TEST(LObject, CreationAppliesDefaultsAndBuildsChildrenOrFails)
{
    LObjectPtr root = LObject::Create(RootClass());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(std::tuple(root->GetInt(RootF::ival), root->GetFloat(RootF::flt), std::string(root->GetString(RootF::name).View()),
                         root->GetArrayCount(RootF::ints) + root->GetArrayCount(RootF::txts)),
              std::tuple(7, 1.5f, std::string("abc"), 0u));
    ASSERT_NE(root->GetChild(RootF::one), nullptr);
    EXPECT_EQ(root->GetChild(RootF::one)->Parent(), root.get());
    EXPECT_EQ(root->GetChild(RootF::one)->PlaceField(), RootF::one);
    EXPECT_EQ(root->GetChild(RootF::opt), nullptr);  // made on demand only
    EXPECT_EQ(std::pair(root->ListIndex(), root->GetRootHolder()), std::pair(-1, static_cast<LObjRoot*>(nullptr)));

    static const LFieldDesc orphan[] = {LFieldDesc::ChildOf(FourCC("kid "), FourCC("NONE"), FourCC("NONE"))};
    LClassDesc orphanClass(FourCC("FAIL"), FourCC("ORPH"), 1, orphan);
    EXPECT_EQ(LObject::Create(&orphanClass), nullptr);

    static const LFieldDesc badArray[] = {LFieldDesc::Text(FourCC("t   "), "x"),
                                          LFieldDesc::ArrayOf(FourCC("bad "), LFieldType(5))};
    LClassDesc badClass(FourCC("FAIL"), FourCC("BADA"), 2, badArray);
    EXPECT_EQ(LObject::Create(&badClass), nullptr);

    static const LFieldDesc plain[] = {LFieldDesc::Int(FourCC("a   "))};
    LClassDesc refusing(FourCC("FAIL"), FourCC("REFU"), 1, plain, RefuseCreation);
    gCreatedCalls = 0;
    EXPECT_EQ(LObject::Create(&refusing), nullptr);
    EXPECT_EQ(gCreatedCalls, 1);
    EXPECT_EQ(LObject::Create(nullptr), nullptr);

    // On-demand children do not need their class at creation.
    static const LFieldDesc lazy[] = {
        LFieldDesc::ChildOf(FourCC("kid "), FourCC("NONE"), FourCC("NONE"), kFieldOnDemand)};
    LClassDesc lazyClass(FourCC("FAIL"), FourCC("LAZY"), 1, lazy);
    EXPECT_NE(LObject::Create(&lazyClass), nullptr);
}

TEST(LObject, ClassWithoutFieldsAndInertFieldTypes)
{
    LClassDesc empty(FourCC("EMPT"), kCls, 0, nullptr);
    LObjectPtr record = LObject::Create(&empty);
    ASSERT_NE(record, nullptr);
    LObject::ResetAll(record.get());
    EXPECT_EQ(record->GetInt(0), 0);

    static const LFieldDesc odd[] = {{FourCC("odd "), LFieldType(9), 0, 0, LFieldType::Int32, {{5, 6}}}};
    LClassDesc oddClass(FourCC("EMPT"), FourCC("ODD "), 1, odd);
    LObjectPtr inert = LObject::Create(&oddClass);
    ASSERT_NE(inert, nullptr);
    EXPECT_EQ(inert->GetFieldSlot(0).Bits(), 0u);
    LObject::SetInt(inert.get(), nullptr, 0, 3, LObject::Merge::No);
    EXPECT_EQ(inert->GetFieldSlot(0).Bits(), 0u);
}

TEST(LObject, ReadsAndWritesOutOfRangeOrOfAnotherTypeDoNothing)
{
    LObjectPtr root = LObject::Create(RootClass());
    // No such field, not a float, not an integer, not a text, not an array.
    EXPECT_EQ(std::tuple(root->GetInt(200), root->GetFloat(RootF::ival), root->GetInt(RootF::flt),
                         root->GetString(RootF::ival).Length(), root->GetArrayCount(RootF::name), root->GetArrayInt(RootF::ints, 5)),
              std::tuple(0, 0.0f, 0, 0u, 0u, 0));
    // An empty list, a list index past any list, not a child.
    for (const LObject* none : {root->GetChild(RootF::kids, 0), root->GetChild(RootF::kids, 0xFFFFFFFF), root->GetChild(RootF::ival)})
        EXPECT_EQ(none, nullptr);

    const std::string before = Dump(root.get());
    LObject::SetFloat(root.get(), nullptr, RootF::ival, 9.5f, LObject::Merge::No);
    LObject::SetString(root.get(), nullptr, RootF::flt, "x", LObject::Merge::No);
    LObject::SetInt(root.get(), nullptr, RootF::name, 1, LObject::Merge::No);
    LObject::SetInt(root.get(), nullptr, 99, 1, LObject::Merge::No);  // no such field: nothing
    EXPECT_EQ(Dump(root.get()), before);

    LObject::SetUInt(root.get(), nullptr, RootF::byte, 0x1234, LObject::Merge::No);
    EXPECT_EQ(root->GetFieldSlot(RootF::byte).Bits(), 0x34u);
    LObject::SetInt(root.get(), nullptr, RootF::ival, -2, LObject::Merge::No);
    EXPECT_EQ(root->GetFieldSlot(RootF::ival).Bits(), 0xFFFFFFFEu);  // upper bytes zero
    EXPECT_EQ(root->GetInt(RootF::ival), -2);
    LObject::SetBool(root.get(), nullptr, RootF::uval, true, LObject::Merge::No);
    EXPECT_EQ(root->GetUInt(RootF::uval), 1u);
}

TEST(LObject, ArraysOfEveryElementType)
{
    LObjectPtr root = LObject::Create(RootClass());
    const int32_t ints[] = {1, -2, 3};
    LObject::SetArray(root.get(), nullptr, RootF::ints, ints, 3);
    EXPECT_EQ(std::pair(root->GetArrayCount(RootF::ints), root->GetArrayInt(RootF::ints, 1)), std::pair(3u, -2));

    const LStringRef texts[] = {"a", "", "ccc"};
    LObject::SetArray(root.get(), nullptr, RootF::txts, texts, 3);
    EXPECT_STREQ(root->GetArrayString(RootF::txts, 2).Text(), "ccc");
    const LStringRef shorter[] = {"z"};
    LObject::SetArray(root.get(), nullptr, RootF::txts, shorter, 1);
    EXPECT_EQ(std::pair(root->GetArrayCount(RootF::txts), std::string(root->GetArrayString(RootF::txts, 0).View())),
              std::pair(1u, std::string("z")));

    const uint8_t bytes[] = {0x01, 0xAB};
    LObject::SetArray(root.get(), nullptr, RootF::bytz, bytes, 2);
    EXPECT_EQ(std::memcmp(root->GetArrayData(RootF::bytz), bytes, 2), 0);

    const float value = 0.25f;
    LObject::ExtendArray(root.get(), nullptr, RootF::flts, &value, 4);
    EXPECT_EQ(std::pair(root->GetArrayCount(RootF::flts), root->GetArrayFloat(RootF::flts, 3)), std::pair(4u, 0.25f));

    const int32_t nine = 9;
    LObject::SetArrayElement(root.get(), nullptr, RootF::ints, 3, &nine, LObject::Merge::No);  // out of range
    EXPECT_EQ(root->GetArrayCount(RootF::ints), 3u);
    EXPECT_TRUE(LObject::InsertArrayElement(root.get(), nullptr, RootF::ints, 100, &nine));  // appends
    EXPECT_EQ(root->GetArrayInt(RootF::ints, 3), 9);
    LObject::DeleteArrayElement(root.get(), nullptr, RootF::ints, 4);  // past the end: nothing
    EXPECT_EQ(root->GetArrayCount(RootF::ints), 4u);
    LObject::DeleteArrayElement(root.get(), nullptr, RootF::ints, 0);
    EXPECT_EQ(root->GetArrayInt(RootF::ints, 0), -2);
    LObject::SetArray(root.get(), nullptr, RootF::ints, nullptr, 0);
    EXPECT_EQ(root->GetArrayCount(RootF::ints), 0u);
}

TEST(LObject, ResetAllRestoresTaggedFieldsKeepsUntaggedOnesAndCallsTheClassBack)
{
    LObjectPtr root = LObject::Create(RootClass());
    LObject::SetInt(root.get(), nullptr, RootF::ival, 1, LObject::Merge::No);
    LObject::SetString(root.get(), nullptr, RootF::name, "changed", LObject::Merge::No);
    LObject::SetUInt(root.get(), nullptr, RootF::memo, 42, LObject::Merge::No);
    const int32_t ints[] = {1, 2};
    LObject::SetArray(root.get(), nullptr, RootF::ints, ints, 2);
    ASSERT_TRUE(LObject::InsertChild(root.get(), nullptr, RootF::kids, 0, MakeItem(5)));
    LObject::ReplaceChild(root.get(), nullptr, RootF::opt, MakeItem(6));
    LObject::SetInt(root->GetChild(RootF::one), nullptr, ItemF::val, 8, LObject::Merge::No);

    const LObject* one = root->GetChild(RootF::one);
    LObject::ResetAll(root.get());
    EXPECT_EQ(root->GetChild(RootF::one), one);  // reset in place
    LObjectPtr fresh = LObject::Create(RootClass());
    LObject::SetUInt(fresh.get(), nullptr, RootF::memo, 42, LObject::Merge::No);
    EXPECT_EQ(Dump(root.get()), Dump(fresh.get()));

    // The class is called back as after creation.
    static int created = 0;
    static const LFieldDesc fields[] = {LFieldDesc::Int(FourCC("a   "), 3)};
    const auto count = [](LClassOp op, void*) {
        if (op == LClassOp::Created)
            created++;
        return 0;
    };
    LClassDesc counted(FourCC("RSET"), kCls, 1, fields, count);
    created = 0;
    LObjectPtr record = LObject::Create(&counted);
    LObject::SetInt(record.get(), nullptr, 0, 9, LObject::Merge::No);
    LObject::ResetAll(record.get());
    EXPECT_EQ(created, 2);
    EXPECT_EQ(record->GetInt(0), 3);
    LObject::ResetAll(nullptr);
}

TEST(LRefArray, GrowsToTwiceTheCountPlusTwoAndKeepsEmptyStringsInFreeSlots)
{
    LRefArray texts(0);
    std::vector<uint32_t> capacities{texts.Capacity()};
    for (const auto& [at, text] : {std::pair(0u, "b"), {0u, "a"}, {99u, "d"}}) {  // 99 is clamped: appended
        ASSERT_TRUE(texts.Insert(at, text));
        capacities.push_back(texts.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<uint32_t>{0, 2, 2, 6}));
    ASSERT_TRUE(texts.Insert(2, "c"));
    EXPECT_EQ(texts.Count(), 4u);
    EXPECT_EQ(std::string(texts.At(2).View()) + std::string(texts.At(3).View()) + "|" + std::string(texts.Data()[4].View()), "cd|");
    texts.Remove(0);
    texts.Remove(7);  // not below the count: nothing
    EXPECT_EQ(std::pair(texts.Count(), std::string(texts.At(0).View())), std::pair(3u, std::string("b")));
    EXPECT_TRUE(texts.Data()[3].IsEmpty());
    texts.Clear();
    EXPECT_EQ(texts.Count(), 0u);
}

TEST(LObjRoot, ResolveClassTakesTheDeclaredChildClassUnlessTheFieldNamesByData)
{
    static const LFieldDesc fields[] = {
        LFieldDesc::ChildOf(FourCC("fix "), FourCC("TEST"), FourCC("ITEM")),
        LFieldDesc::ListOf(FourCC("any "), FourCC("TEST"), FourCC("ITEM"), kFieldClassByName),
        LFieldDesc::Int(FourCC("int ")),
    };
    LClassDesc holderClass(FourCC("RSLV"), kCls, 3, fields);
    LObjRoot holder(LObject::Create(&holderClass));
    const LObject* parent = holder.Root();
    for (const auto& [from, field, found] : {std::tuple(parent, 0, ItemClass()), {parent, 1, RootClass()},
                                             {parent, 2, RootClass()}, {nullptr, 0, RootClass()}})
        EXPECT_EQ(holder.ResolveClass(FourCC("TEST"), FourCC("ROOT"), from, uint8_t(field)), found) << field;
    EXPECT_EQ(holder.ResolveClass(FourCC("NONE"), FourCC("NONE"), nullptr, 0), nullptr);
}

TEST(LObject, RectanglesLiveInTheFirstFourIntegersAndPathsInTexts)
{
    LObjectPtr root = LObject::Create(RootClass());
    const int32_t three[] = {1, 2, 3};
    LObject::SetArray(root.get(), nullptr, RootF::ints, three, 3);
    EXPECT_EQ(root->GetRect(RootF::ints), CLRect{});
    LObject::SetRect(root.get(), nullptr, RootF::ints, CLRect{-5, 10, 300, 400});
    EXPECT_EQ(root->GetArrayCount(RootF::ints), 4u);
    EXPECT_EQ(root->GetRect(RootF::ints), (CLRect{-5, 10, 300, 400}));
    LObject::SetRect(root.get(), nullptr, RootF::flts, CLRect{1, 1, 2, 2});  // not an integer array
    EXPECT_EQ(root->GetArrayCount(RootF::flts), 0u);

    // A text field holds a path: "abc" is relative to the current folder.
    EXPECT_FALSE(root->GetFileSpec(RootF::name).IsEmpty());
    LObject::SetFilePath(root.get(), nullptr, RootF::name, "/tmp/some file.snx");
    const LStringRef fileSpec = root->GetFileSpec(RootF::name);
    EXPECT_TRUE(fileSpec.View().starts_with("file:///")) << fileSpec.Text();
    EXPECT_NE(fileSpec.View().find("some%20file.snx"), std::string_view::npos) << fileSpec.Text();
    LObject::SetFilePath(root.get(), nullptr, RootF::name, "");
    EXPECT_TRUE(root->GetFileSpec(RootF::name).IsEmpty());
    EXPECT_TRUE(root->GetFileSpec(RootF::ival).IsEmpty());  // not a text field
}
