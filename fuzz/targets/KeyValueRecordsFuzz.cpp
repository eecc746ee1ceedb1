// The preferences as key/value records: whatever property list loads into the preference tree
// is saved, and the saved file loads into a tree that saves the same file again.
#include "analysis/records/CAppPrefs.h"
#include "foundation/persist/CCFDictStore.h"
#include "foundation/records/LObject.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/RecordText.h"
#include "platform/values/Dict.h"
#include "platform/values/PropertyList.h"

#include <string>
#include <string_view>

namespace {

// Loads the property list into fresh preferences and saves them; empty when it is no dictionary.
std::string LoadAndSave(std::string_view text)
{
    plat::Ref<plat::Value> value = plat::PropertyList::Read(text);
    plat::Dict* dict = value ? value->As<plat::Dict>() : nullptr;
    if (!dict)
        return {};
    CAppPrefs prefs;
    {
        CCFDictStore store(dict, LKeyValueNode::kReadOnly);
        LObject::LoadFromNodeRef(store, prefs.Root());
    }
    return RecordPropertyList(prefs.Root());
}

} // namespace

int FuzzKeyValueRecords(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    const std::string saved = LoadAndSave(std::string_view(reinterpret_cast<const char*>(data), size));
    if (saved.empty())
        return 0;
    FuzzCheck(LoadAndSave(saved) == saved, "saved preferences load back unchanged");
    return 0;
}
