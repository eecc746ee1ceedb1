#include "tests/foundation/persist/PersistTestKit.h"
#include "tests/foundation/records/RecordTestKit.h"

LObjectPtr MakeRichRoot()
{
    LObjectPtr root = LObject::Create(RootClass());
    LObject* r = root.get();
    const auto no = LObject::Merge::No;
    LObject::SetInt(r, nullptr, RootF::ival, -12, no);
    LObject::SetUInt(r, nullptr, RootF::uval, 4000000000u, no);
    LObject::SetByte(r, nullptr, RootF::byte, 0xAB, no);
    LObject::SetFloat(r, nullptr, RootF::flt, 0.25f, no);
    LObject::SetString(r, nullptr, RootF::name, "line one\nline two & <three> \"q\"", no);
    const int32_t ints[] = {3, -4, 2147483647};
    LObject::SetArray(r, nullptr, RootF::ints, ints, 3);
    const LStringRef texts[] = {"x y", "", "q", "it's"};
    LObject::SetArray(r, nullptr, RootF::txts, texts, 4);
    const uint8_t bytes[] = {0x01, 0xAB, 0x00};
    LObject::SetArray(r, nullptr, RootF::bytz, bytes, 3);
    const float floats[] = {2.5f, -0.125f};
    LObject::SetArray(r, nullptr, RootF::flts, floats, 2);
    LObject::SetInt(r, nullptr, RootF::quiet, 9, no);
    LObject::SetUInt(r, nullptr, RootF::memo, 77, no);

    LObjectPtr first = MakeItem(1, "first");
    (void)LObject::InsertChild(first.get(), nullptr, ItemF::subs, 0, MakeItem(11, "nested"));
    const uint32_t arr[] = {5, 6};
    LObject::SetArray(first.get(), nullptr, ItemF::arr, arr, 2);
    (void)LObject::InsertChild(r, nullptr, RootF::kids, 0, std::move(first));
    (void)LObject::InsertChild(r, nullptr, RootF::kids, 1, MakeItem(2, "second"));
    LObject::SetInt(r->GetChild(RootF::one), nullptr, ItemF::val, 42, no);
    LObject::ReplaceChild(r, nullptr, RootF::opt, MakeItem(0));
    return root;
}
