#include "foundation/records/LObjRoot.h"

#include <algorithm>
#include <vector>

namespace {

// The holders alive now: undo records name their tree by its holder's address, and a replay
// only follows an address that still names a live holder.
std::vector<const LObjRoot*>& LiveHolders()
{
    static std::vector<const LObjRoot*> holders;
    return holders;
}

} // namespace

LObjRoot::LObjRoot(LObjectPtr root) : fRoot(root.release())
{
    if (fRoot)
        fRoot->MakeRootOf(this);
    LiveHolders().push_back(this);
}

LObjRoot::~LObjRoot()
{
    if (fRoot) {
        LObject::NotifyDetached(fRoot, nullptr, this, 0);
        LObject::Delete(fRoot);
        fRoot = nullptr;
    }
    auto& holders = LiveHolders();
    holders.erase(std::remove(holders.begin(), holders.end(), this), holders.end());
}

bool LObjRoot::IsLive(uint64_t id)
{
    const auto& holders = LiveHolders();
    return std::any_of(holders.begin(), holders.end(),
                       [id](const LObjRoot* h) { return reinterpret_cast<uintptr_t>(h) == id; });
}

void LObjRoot::NotifyObservers(LObjChange& notice)
{
    fObservers.ForEach([&notice](const LCallbackEntry& entry) {
        entry.As<LObjObserver>()(entry.context, notice);
    });
}

const LClassDesc* LObjRoot::ResolveClass(uint32_t creator, uint32_t cls, const LObject* parent, uint8_t field)
{
    if (parent) {
        const LFieldDesc* fd = parent->FieldDesc(field);
        if (fd && (fd->type == LFieldType::Child || fd->type == LFieldType::List) &&
            !(fd->flags & kFieldClassByName))
            return ResolveClass(fd->ChildCreator(), fd->ChildClass(), nullptr, 0);
    }
    return LClassDesc::Find(creator, cls);
}

bool LObjRoot::AddObserver(void* context, LObjObserver observer)
{
    return fObservers.Add(context, observer);
}

void LObjRoot::RemoveObserver(void* context, LObjObserver observer)
{
    fObservers.Remove(context, observer);
}
