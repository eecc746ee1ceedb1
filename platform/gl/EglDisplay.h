#pragma once
#include <string>

namespace plat {

// The process's one EGL display on the surfaceless platform (no window system), with the
// desktop OpenGL API bound. Made on first use by whichever thread asks first, kept until the
// process ends. Internal to platform/gl: handles are the library's opaque pointers.
class EglDisplay {
public:
    // The initialised display, or null when none could be made (see Error).
    static void* Handle();
    // Why no display could be made; empty when one exists.
    static const std::string& Error();
    // The library's name for an EGL error code, for messages.
    static std::string ErrorName(int code);
    // Binds desktop OpenGL as the calling thread's client API (EGL keeps it per thread).
    static bool BindApi();
};

} // namespace plat
