#include "ui/panes/CUIDict.h"

#include <algorithm>

void CUIDict::Set(const char* key, const LRef& value)
{
    const std::string name = key ? key : "";
    auto it = std::find_if(fEntries.begin(), fEntries.end(), [&](const auto& e) { return e.first == name; });
    if (!value) {
        if (it != fEntries.end())
            fEntries.erase(it);
    } else if (it != fEntries.end()) {
        it->second = value;
    } else {
        fEntries.emplace_back(name, value);
    }
}

LRef CUIDict::Find(const char* key) const
{
    const std::string name = key ? key : "";
    for (const auto& entry : fEntries) {
        if (entry.first == name)
            return entry.second;
    }
    return LRef();
}
