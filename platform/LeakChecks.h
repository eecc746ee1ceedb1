#pragma once

namespace plat {

// Does nothing. The modules whose libraries keep memory the leak checker would report call it,
// so that the one list of those allocations (LeakChecks.cpp) is linked wherever they are.
void KeepLeakSuppressions();

} // namespace plat
