#pragma once
#include "foundation/core/LCallbackList.h"
#include "foundation/records/LObjChange.h"
#include "foundation/records/LObject.h"

#include <cstdint>

// An observer of a record tree: called with its context for every notice of the tree.
using LObjObserver = void (*)(void* context, LObjChange& notice);

// The holder of a record tree (a document, the preferences): owns the root record, keeps the
// observers, the modified flag and the change count.
class LObjRoot {
public:
    explicit LObjRoot(LObjectPtr root);
    // Sends the detach notices of the whole tree, then destroys it.
    virtual ~LObjRoot();
    LObjRoot(const LObjRoot&) = delete;
    LObjRoot& operator=(const LObjRoot&) = delete;

    // Calls every observer in list order; an observer may remove itself or another meanwhile.
    virtual void NotifyObservers(LObjChange& notice);
    // The class of a stored child: with a parent field of type 6 or 7 that lacks the
    // class-by-name flag, the field's declared class; else the class the data names.
    virtual const LClassDesc* ResolveClass(uint32_t creator, uint32_t cls, const LObject* parent,
                                           uint8_t field);

    // Observers register with Add and leave with Remove (typically in their destructor).
    [[nodiscard]] bool AddObserver(void* context, LObjObserver observer);
    void RemoveObserver(void* context, LObjObserver observer);

    LObject* Root() const noexcept { return fRoot; }
    // Whether `id` is the address of a holder that is still alive.
    static bool IsLive(uint64_t id);
    bool IsModified() const noexcept { return fModified != 0; }
    void SetModified(bool modified) noexcept { fModified = modified ? 1 : 0; }
    uint32_t ChangeCount() const noexcept { return fChangeCount; }
    // Marks the tree modified and counts one change.
    void MarkChanged() noexcept
    {
        fModified = 1;
        fChangeCount++;
    }

private:
    LObject* fRoot;
    LCallbackList fObservers;
    uint8_t fModified = 0;
    uint32_t fChangeCount = 0;
};
