// The libFuzzer side of one target: SONALYX_FUZZ_ENTRY names its entry point.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

void FuzzCheck(bool ok, const char* promise)
{
    if (ok)
        return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return SONALYX_FUZZ_ENTRY(data, size);
}
