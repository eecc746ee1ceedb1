#include "ui/layout/LScriptFunc.h"

int64_t LScriptNames::Find(std::string_view name) const
{
    auto it = fEntries.find(name);
    if (it == fEntries.end())
        return -1;
    return it->second;
}

void LScriptNames::Add(std::string_view name, uint32_t index)
{
    fEntries.emplace(std::string(name), index);
}

const LScriptFunc* LScriptProgram::Find(std::string_view name) const
{
    for (auto it = functions.rbegin(); it != functions.rend(); ++it) {
        if ((*it)->name == name)
            return it->get();
    }
    if (topLevel && topLevel->name == name)
        return topLevel.get();
    return nullptr;
}

uint32_t LScriptProgram::MemberIndex(std::string_view name)
{
    for (size_t i = 0; i < members.size(); ++i) {
        if (members[i] == name)
            return static_cast<uint32_t>(i);
    }
    members.emplace_back(name);
    return static_cast<uint32_t>(members.size() - 1);
}
