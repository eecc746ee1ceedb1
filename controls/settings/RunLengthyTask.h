#pragma once
#include <cstdint>

// Runs a blocking call (opening or closing a device, say) on a worker thread and answers its
// result. The caller waits up to a second; when the call takes longer, a modal wait dialog
// runs the main loop until it returns, so the program stays responsive. Without an
// application object (no main loop) the caller simply waits.
using LengthyTaskFunction = int32_t (*)(void* argument);
int32_t RunLengthyTask(void* argument, LengthyTaskFunction function);
