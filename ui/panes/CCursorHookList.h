#pragma once
#include <cstdint>

// The global list of cursor callbacks that the main loop's cursor pass asks before it sets the
// standard cursor. A hook returns nonzero when it set the cursor itself.
class CCursorHookList {
public:
    using Hook = int32_t (*)(void* context, int32_t selector, int32_t request);

    // Appends {hook, context}; a pair already listed is not added twice.
    static void Add(Hook hook, void* context);
    static void Remove(Hook hook, void* context);
    // Calls each hook in order with (context, 1, request) until one returns nonzero; true
    // when one did.
    static bool Dispatch(int32_t request);
};
