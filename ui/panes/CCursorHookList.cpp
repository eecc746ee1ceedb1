#include "ui/panes/CCursorHookList.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using Entry = std::pair<CCursorHookList::Hook, void*>;

std::vector<Entry>& Hooks()
{
    static std::vector<Entry> hooks;
    return hooks;
}

} // namespace

void CCursorHookList::Add(Hook hook, void* context)
{
    if (!hook)
        return;
    auto& hooks = Hooks();
    const Entry entry{hook, context};
    if (std::find(hooks.begin(), hooks.end(), entry) == hooks.end())
        hooks.push_back(entry);
}

void CCursorHookList::Remove(Hook hook, void* context)
{
    auto& hooks = Hooks();
    hooks.erase(std::remove(hooks.begin(), hooks.end(), Entry{hook, context}), hooks.end());
}

bool CCursorHookList::Dispatch(int32_t request)
{
    // A hook may add or remove hooks: walk a copy.
    const std::vector<Entry> hooks = Hooks();
    for (const Entry& entry : hooks) {
        if (entry.first(entry.second, 1, request) != 0)
            return true;
    }
    return false;
}
