#include "shell/CPrefs.h"
#include "platform/prefs/Preferences.h"
#include "platform/values/Dict.h"

namespace {

constexpr const char* kPrefsKey = "prefs";

plat::Preferences& DomainOf(const CCFRef& appId)
{
    const plat::String* id = appId.As<plat::String>();
    return plat::Preferences::Domain(id ? id->Text() : std::string());
}

} // namespace

CPrefs::CPrefs(const LStringRef& appId, uint8_t mode) : fWriteMode(mode == kWrite)
{
    if (!appId.IsEmpty())
        fAppId.Adopt(plat::String::Make(appId.View()).Detach());
    plat::Ref<plat::Value> stored = DomainOf(fAppId).CopyValue(kPrefsKey);
    plat::Dict* dict = stored ? stored->As<plat::Dict>() : nullptr;
    if (fWriteMode) {
        plat::Ref<plat::Value> copy = dict ? dict->DeepCopy() : plat::Ref<plat::Value>(plat::Dict::Make());
        fDictionary.Adopt(copy.Detach());
    } else if (dict) {
        fDictionary.AssignRetain(dict);
    }
    // The store holds its own reference; the dictionary is changed only through it.
    plat::Dict* held = const_cast<plat::Dict*>(fDictionary.As<plat::Dict>());
    fStore = std::make_unique<CCFDictStore>(held, fWriteMode ? LKeyValueNode::kWritable : LKeyValueNode::kReadOnly);
}

CPrefs::~CPrefs()
{
    (void)Close();
}

bool CPrefs::Close()
{
    if (fClosed)
        return true;
    fClosed = true;
    bool ok = true;
    if (fWriteMode && fDictionary) {
        plat::Preferences& domain = DomainOf(fAppId);
        domain.SetValue(kPrefsKey, plat::Ref<plat::Value>(const_cast<plat::Dict*>(fDictionary.As<plat::Dict>())));
        ok = domain.Synchronize();
    }
    return ok;
}

void SetDictInt32(plat::Dict& dictionary, const char* key, int32_t value)
{
    dictionary.Set(key ? key : "", plat::Number::MakeInt(value));
}
