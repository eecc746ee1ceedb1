#pragma once
#include "platform/threads/Mutex.h"

#include <mutex>

namespace plat {

// A mutex that the thread holding it may lock again; it must be unlocked as often as it
// was locked.
using RecursiveMutex = BasicMutex<std::recursive_mutex>;

} // namespace plat
