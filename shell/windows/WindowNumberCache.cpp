#include "shell/windows/WindowNumberCache.h"
#include "platform/window/WindowServer.h"

namespace {

struct Cache {
    std::vector<uint32_t> numbers;
    bool stale = true;
};

Cache& TheCache()
{
    static Cache cache;
    return cache;
}

} // namespace

const std::vector<uint32_t>& WindowNumberCache::Numbers()
{
    MDesktopNoted::Install();
    Cache& cache = TheCache();
    if (cache.stale) {
        cache.numbers = plat::WindowServer::Shared().WindowNumbers();
        cache.stale = false;
    }
    return cache.numbers;
}

void WindowNumberCache::MarkStale()
{
    TheCache().stale = true;
}

bool WindowNumberCache::IsStale()
{
    return TheCache().stale;
}

MDesktopNoted::MDesktopNoted()
    : fToken(plat::WindowServer::Shared().AddObserver([](plat::WindowNotice, plat::Window&) {
          WindowNumberCache::MarkStale();
      }))
{
}

MDesktopNoted::~MDesktopNoted()
{
    plat::WindowServer::Shared().RemoveObserver(fToken);
}

void MDesktopNoted::Install()
{
    static MDesktopNoted noted;
}
