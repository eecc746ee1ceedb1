#include "platform/LeakChecks.h"

// g++ says that AddressSanitizer is on with a macro, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define SONALYX_LEAK_CHECKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SONALYX_LEAK_CHECKS 1
#endif
#endif

#if defined(SONALYX_LEAK_CHECKS)
// Allocations that libraries make and never free, so that the leak checker leaves them out:
// - Mesa's software rasteriser never frees a buffer it makes for multisampled surfaces.
// - libsndfile's Ogg Vorbis reader (sf_open_fd) fails on a damaged header without clearing
//   the codec state that vorbis_info_init made; the library returns no handle, so the caller
//   has nothing to close.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:swrast_dri.so\n"
           "leak:vorbis_info_init\n";
}
#endif

namespace plat {

void KeepLeakSuppressions() {}

} // namespace plat
