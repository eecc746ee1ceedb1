// Property lists (the preferences file): what reads is written, and the written text reads
// back to a tree that writes the same text again; nesting stays within the reader's cap.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"
#include "platform/values/Array.h"
#include "platform/values/Dict.h"
#include "platform/values/PropertyList.h"

#include <string>
#include <string_view>

namespace {

int Depth(const plat::Value& value)
{
    int deepest = 0;
    if (const auto* dict = value.As<plat::Dict>()) {
        for (const auto& [key, child] : dict->Entries())
            deepest = std::max(deepest, Depth(*child));
        return deepest + 1;
    }
    if (const auto* array = value.As<plat::Array>()) {
        for (size_t i = 0; i < array->Count(); ++i)
            deepest = std::max(deepest, Depth(*array->At(i)));
        return deepest + 1;
    }
    return 0;
}

} // namespace

int FuzzPropertyList(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const plat::Ref<plat::Value> value = plat::PropertyList::Read(text);
    if (!value)
        return 0;
    FuzzCheck(Depth(*value) <= plat::PropertyList::kMaxDepth, "containers nest at most kMaxDepth deep");
    const std::string written = plat::PropertyList::Write(*value);
    const plat::Ref<plat::Value> back = plat::PropertyList::Read(written);
    FuzzCheck(bool(back), "whatever the writer writes reads back");
    if (back)
        FuzzCheck(plat::PropertyList::Write(*back) == written, "a written tree reads back unchanged");
    return 0;
}
