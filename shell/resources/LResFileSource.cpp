#include "shell/resources/LResFileSource.h"
#include "platform/resources/ResourceFile.h"
#include "shell/resources/GetResourceByRef.h"

#include <mutex>

namespace {

// The current resource file is one per process: a lookup switches it, reads and switches it
// back as one step, so that loads on two threads never see each other's file.
std::recursive_mutex& CurrentFileLock()
{
    static std::recursive_mutex lock;
    return lock;
}

} // namespace

bool LResFileSource::Load(uint32_t type, const LResRef& ref, std::vector<uint8_t>& out)
{
    std::lock_guard guard(CurrentFileLock());
    const int saved = plat::CurrentResourceFile();
    plat::UseResourceFile(fRefNum);
    std::span<const uint8_t> data;
    const bool found = GetResourceByRef(type, ref, data);
    out.assign(data.begin(), data.end());
    plat::UseResourceFile(saved);
    return found;
}
