#include "analysis/records/CAppPrefs.h"
#include "analysis/records/CSnxSchema.h"
#include "foundation/records/CParamSchema.h"
#include "platform/files/FileSpecText.h"

#include <string>

namespace {

CAppPrefs* gCurrentPrefs = nullptr;

LObjectPtr MakePrefs()
{
    CParamSchema::InitParamSchema();
    return LObject::Create(CSnxSchema::PrefsClass());
}

} // namespace

CAppPrefs::CAppPrefs() : LObjRoot(MakePrefs())
{
    gCurrentPrefs = this;
}

CAppPrefs::~CAppPrefs()
{
    if (gCurrentPrefs == this)
        gCurrentPrefs = nullptr;
}

CAppPrefs* CAppPrefs::Current()
{
    return gCurrentPrefs;
}

LObject* CAppPrefs::FindDocument(std::string_view path) const
{
    if (path.empty() || !Root())
        return nullptr;
    const std::string wanted = plat::ToFileSpec(path);
    if (wanted.empty())
        return nullptr;
    const uint32_t count = Root()->GetArrayCount(kPrefDocs);
    for (uint32_t i = 0; i < count; ++i) {
        LObject* record = Root()->GetChild(kPrefDocs, i);
        if (record && plat::ToFileSpec(record->GetString(kWindDcfl).View()) == wanted)
            return record;
    }
    return nullptr;
}

LObject* CAppPrefs::AddDocument()
{
    if (!Root())
        return nullptr;
    LObjectPtr record = LObject::Create(CSnxSchema::WindowClass());
    if (!record)
        return nullptr;
    LObject* added = record.get();
    const uint32_t at = Root()->GetArrayCount(kPrefDocs);
    if (!LObject::InsertChild(Root(), nullptr, kPrefDocs, at, std::move(record)))
        return nullptr;
    return added;
}

void CAppPrefs::TouchDocument(LObject* record)
{
    if (!Root() || !record || record->Parent() != Root() || record->PlaceField() != kPrefDocs)
        return;
    const int32_t index = record->IndexInParent();
    const uint32_t count = Root()->GetArrayCount(kPrefDocs);
    if (index < 0 || static_cast<uint32_t>(index) + 1 >= count)
        return;
    // A move, not a removal and an insertion: the record can never be lost on the way.
    LObject::MoveChild(Root(), nullptr, kPrefDocs, static_cast<uint32_t>(index), count);
}

void SendDeviceText(LObject* windowRecord, const LStringRef& text)
{
    if (!windowRecord || !windowRecord->Is(CSnxSchema::kCreator, CSnxSchema::kWindowClass))
        return;
    LObject::SetString(windowRecord, nullptr, kWindDeviceText, text, LObject::Merge::No);
    windowRecord->GetFieldSlot(kWindDeviceText).String() = LStringRef();
}
