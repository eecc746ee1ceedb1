#include "foundation/records/LClassDesc.h"

#include "foundation/core/LList.h"

namespace {

// Allocated on the first registration and kept to the end of the process, so descriptors
// destroyed at exit (in any order) can still unlink themselves.
LList* gRegistry = nullptr;

LList& Registry()
{
    if (!gRegistry)
        gRegistry = new LList;
    return *gRegistry;
}

} // namespace

LClassDesc::LClassDesc(uint32_t creator, uint32_t cls, uint32_t fieldCount, const LFieldDesc* fields,
                       LClassCallback callback)
    : fCreator(creator),
      fClass(cls),
      fFieldCount(fieldCount),
      fFields(fields),
      fCallback(callback ? callback : DefaultCallback)
{
    Register();
}

LClassDesc::~LClassDesc()
{
    if (gRegistry)
        gRegistry->Remove(this);
}

void LClassDesc::Register()
{
    if (!IsValid() || IsLinked())
        return;
    Registry().PushFront(this);
}

const LClassDesc* LClassDesc::Find(uint32_t creator, uint32_t cls)
{
    if (!gRegistry)
        return nullptr;
    for (SSLink* node : *gRegistry) {
        const auto* desc = static_cast<const LClassDesc*>(node);
        if (desc->Is(creator, cls))
            return desc;
    }
    return nullptr;
}

bool LClassDesc::IsRegistered(const void* desc)
{
    if (!gRegistry || !desc)
        return false;
    for (SSLink* node : *gRegistry) {
        if (static_cast<const void*>(static_cast<const LClassDesc*>(node)) == desc)
            return true;
    }
    return false;
}

int LClassDesc::DefaultCallback(LClassOp, void*)
{
    return 0;
}
