#include "ui/drop/LDropRegistry.h"
#include "platform/window/Window.h"
#include "shell/windows/LDrop.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<LDrop>>& Targets()
{
    static std::vector<std::unique_ptr<LDrop>> targets;
    return targets;
}

} // namespace

LDrop* LDropRegistry::Find(const plat::Window* window)
{
    for (const auto& drop : Targets())
        if (drop->Window() == window)
            return drop.get();
    return nullptr;
}

void LDropRegistry::Register(plat::Window* window)
{
    if (!window)
        return;
    LDrop* drop = Find(window);
    if (!drop) {
        Targets().push_back(std::make_unique<LDrop>(window));
        drop = Targets().back().get();
    }
    drop->Register();
}

void LDropRegistry::Unregister(plat::Window* window)
{
    LDrop* drop = Find(window);
    if (!drop || drop->Unregister())
        return;
    auto& targets = Targets();
    targets.erase(std::remove_if(targets.begin(), targets.end(), [drop](const auto& d) { return d.get() == drop; }),
                  targets.end());
}

bool LDropRegistry::IsDragActive()
{
    return std::any_of(Targets().begin(), Targets().end(), [](const auto& drop) { return drop->CurrentPane() != nullptr; });
}
