#include "shell/files/LStdFolders.h"
#include "platform/files/FileSpecText.h"
#include "platform/files/StandardFolders.h"

#include <atomic>
#include <string>

namespace {

struct Slot {
    uint32_t code;
    plat::StandardFolder folder;
};

constexpr Slot kSlots[LStdFolders::kSlotCount] = {
    {LStdFolders::kDesktop, plat::StandardFolder::Desktop},
    {LStdFolders::kScratch, plat::StandardFolder::Scratch},
    {LStdFolders::kSystem, plat::StandardFolder::System},
    {LStdFolders::kApplications, plat::StandardFolder::Applications},
    {LStdFolders::kUserHome, plat::StandardFolder::Home},
    {LStdFolders::kDocuments, plat::StandardFolder::Documents},
    {LStdFolders::kApplicationSupport, plat::StandardFolder::ApplicationSupport},
    {LStdFolders::kTrash, plat::StandardFolder::Trash},
};

std::atomic<LStdFolders*> gShared{nullptr};

LStringRef SpecOfFolder(plat::StandardFolder folder)
{
    const std::string path = plat::StandardFolderPath(folder);
    if (path.empty())
        return LStringRef();
    return LStringRef(std::string_view(plat::SpecFromPosixPath(path)));
}

} // namespace

LStdFolders::LStdFolders(const LStringRef* fallback)
{
    const LStringRef fallbackSpec = fallback ? *fallback : SpecOfFolder(plat::StandardFolder::Temporary);
    for (uint32_t i = 0; i < kSlotCount; ++i) {
        fSlots[i] = fallbackSpec;
        const LStringRef found = SpecOfFolder(kSlots[i].folder);
        if (!found.IsEmpty())
            fSlots[i] = found;
    }
    LStdFolders* none = nullptr;
    gShared.compare_exchange_strong(none, this);
}

LStdFolders::~LStdFolders()
{
    LStdFolders* self = this;
    gShared.compare_exchange_strong(self, nullptr);
}

LStringRef LStdFolders::Get(uint32_t code) const
{
    for (uint32_t i = 0; i < kSlotCount; ++i) {
        if (kSlots[i].code == code)
            return fSlots[i];
    }
    return LStringRef();
}

LStdFolders* LStdFolders::Shared() { return gShared.load(); }

LStringRef LStdFolders::Find(uint32_t code)
{
    if (LStdFolders* shared = Shared())
        return shared->Get(code);
    for (const Slot& slot : kSlots) {
        if (slot.code == code)
            return SpecOfFolder(slot.folder);
    }
    return LStringRef();
}
