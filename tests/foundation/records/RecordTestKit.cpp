#include "tests/foundation/records/RecordTestKit.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

namespace {

constexpr uint32_t kTest = FourCC("TEST");

const LFieldDesc kItemFields[] = {
    LFieldDesc::Int(FourCC("val ")),
    LFieldDesc::Text(FourCC("txt ")),
    LFieldDesc::ListOf(FourCC("subs"), kTest, FourCC("ITEM")),
    LFieldDesc::ArrayOf(FourCC("arr "), LFieldType::UInt32),
};

const LFieldDesc kRootFields[] = {
    LFieldDesc::Int(FourCC("ival"), 7),
    LFieldDesc::UInt(FourCC("uval")),
    LFieldDesc::ByteField(FourCC("byte")),
    LFieldDesc::FloatField(FourCC("flt "), 1.5f, 2),
    LFieldDesc::Text(FourCC("name"), "abc"),
    LFieldDesc::ArrayOf(FourCC("ints"), LFieldType::Int32),
    LFieldDesc::ArrayOf(FourCC("txts"), LFieldType::String),
    LFieldDesc::ListOf(FourCC("kids"), kTest, FourCC("ITEM")),
    LFieldDesc::ChildOf(FourCC("one "), kTest, FourCC("ITEM")),
    LFieldDesc::UInt(0),
    LFieldDesc::Int(FourCC("quie"), 0, kFieldSilent),
    LFieldDesc::ArrayOf(FourCC("bytz"), LFieldType::Byte),
    LFieldDesc::ArrayOf(FourCC("flts"), LFieldType::Float, 3),
    LFieldDesc::ChildOf(FourCC("opt "), kTest, FourCC("ITEM"), kFieldOnDemand),
    LFieldDesc::ListOf(FourCC("mute"), kTest, FourCC("ITEM"), kFieldSilent),
    LFieldDesc::ChildOf(0, kTest, FourCC("ITEM")),
};

const LClassDesc gItem(kTest, FourCC("ITEM"), std::size(kItemFields), kItemFields);
const LClassDesc gRoot(kTest, FourCC("ROOT"), std::size(kRootFields), kRootFields);

void DumpInto(std::ostringstream& out, const LObject* record)
{
    if (!record) {
        out << "null";
        return;
    }
    out << "{";
    for (uint32_t f = 0; f < record->FieldCount(); f++) {
        const auto field = uint8_t(f);
        const LFieldDesc& fd = *record->FieldDesc(field);
        out << f << ":";
        switch (fd.type) {
        case LFieldType::String:
            out << '"' << record->GetString(field).Text() << '"';
            break;
        case LFieldType::Float:
            out << record->GetFloat(field);
            break;
        case LFieldType::Array:
            out << "[";
            for (uint32_t i = 0; i < record->GetArrayCount(field); i++) {
                if (fd.elemType == LFieldType::String)
                    out << record->GetArrayString(field, i).Text() << ",";
                else if (fd.elemType == LFieldType::Float)
                    out << record->GetArrayFloat(field, i) << ",";
                else
                    out << record->GetArrayInt(field, i) << ",";
            }
            out << "]";
            break;
        case LFieldType::Child:
            DumpInto(out, record->GetChild(field));
            break;
        case LFieldType::List:
            out << "(";
            for (uint32_t i = 0; i < record->GetArrayCount(field); i++) {
                const LObject* element = record->GetChild(field, i);
                if (element && element->ListIndex() != int32_t(i))
                    out << "!index";
                DumpInto(out, element);
                out << ",";
            }
            out << ")";
            break;
        default:
            out << record->GetFieldSlot(field).Bits();
            break;
        }
        out << " ";
    }
    out << "}";
}

} // namespace

const LClassDesc* RootClass()
{
    return &gRoot;
}

const LClassDesc* ItemClass()
{
    return &gItem;
}

LObjectPtr MakeItem(int32_t value, const char* text)
{
    LObjectPtr item = LObject::Create(ItemClass());
    LObject::SetInt(item.get(), nullptr, ItemF::val, value, LObject::Merge::No);
    LObject::SetString(item.get(), nullptr, ItemF::txt, text, LObject::Merge::No);
    return item;
}

std::string Dump(const LObject* record)
{
    std::ostringstream out;
    DumpInto(out, record);
    return out.str();
}

ScopedObserver::ScopedObserver(LObjRoot& holder, std::function<void(LObjChange&)> onNotice)
    : fHolder(holder), fOnNotice(std::move(onNotice))
{
    EXPECT_TRUE(fHolder.AddObserver(this, Observe));
}

ScopedObserver::~ScopedObserver()
{
    fHolder.RemoveObserver(this, Observe);
}

void ScopedObserver::Observe(void* context, LObjChange& notice)
{
    static_cast<ScopedObserver*>(context)->fOnNotice(notice);
}

NoticeLog::NoticeLog(LObjRoot& holder)
    : fObserver(holder, [this](LObjChange& n) {
          notices.push_back({n.operation, n.field, n.index, n.index2, n.record, n.context});
      })
{
}

std::vector<LObjOp> NoticeLog::Ops() const
{
    std::vector<LObjOp> ops;
    for (const SeenNotice& n : notices)
        ops.push_back(n.op);
    return ops;
}

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
