#include "platform/gl/EglDisplay.h"
#include "platform/system/OwnEnvironment.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <malloc.h>

#include <cstdio>
#include <cstring>
#include <mutex>

namespace plat {
namespace {

struct DisplayState {
    EGLDisplay display = EGL_NO_DISPLAY;
    std::string error;
};

bool HasWord(const char* list, const char* word)
{
    if (!list)
        return false;
    const size_t length = std::strlen(word);
    for (const char* at = std::strstr(list, word); at; at = std::strstr(at + 1, word)) {
        const bool startsWord = at == list || at[-1] == ' ';
        const bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

std::string Unavailable(const std::string& why)
{
    return "no OpenGL display: EGL on the surfaceless platform is unavailable (" + why + ")";
}

// Mesa's software rasteriser allocates and frees tens of megabytes in every frame (its bins
// and vertex buffers). With the allocator's defaults that memory goes back to the kernel after
// each frame and the next frame faults it in again page by page, which cost a third of a pass
// that draws the trail. Freed blocks up to these sizes now stay in the process for reuse.
void KeepFrameMemory()
{
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
}

// Mesa's software rasteriser starts helper threads (one per core) that rasterise each frame in
// tiles. The program's surfaces are small areas, each drawn and read back at once: the caller
// then only waits for the helpers, and waking them and waiting twice per area cost more CPU
// than rasterising on the calling thread (the document's road with four channels: 0.15 CPU
// seconds per second of signal instead of 0.18, with the delay to OSC well within its bound).
// Set when the program is loaded, before any library reads it; a value the user set stays, and
// the programs it starts do not inherit it.
[[gnu::constructor]] void RasteriseOnCallingThread()
{
    OwnEnvironment::Set("LP_NUM_THREADS", "0");
}

// Opens and initialises the display; on failure fills the error and leaves no display.
void OpenDisplay(DisplayState& state)
{
    KeepFrameMemory();
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!HasWord(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        state.error = Unavailable("the EGL library lacks EGL_MESA_platform_surfaceless");
        return;
    }
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) {
        state.error = Unavailable("eglGetPlatformDisplayEXT is missing");
        return;
    }
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY) {
        state.error = Unavailable("no display: " + EglDisplay::ErrorName(eglGetError()));
        return;
    }
    EGLint major = 0;
    EGLint minor = 0;
    if (!eglInitialize(display, &major, &minor)) {
        state.error = Unavailable("eglInitialize failed: " + EglDisplay::ErrorName(eglGetError()));
        return;
    }
    if (!HasWord(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_surfaceless_context")) {
        eglTerminate(display);
        state.error = Unavailable("the display lacks EGL_KHR_surfaceless_context");
        return;
    }
    state.display = display;
}

DisplayState& State()
{
    static DisplayState state;
    static std::once_flag once;
    std::call_once(once, [] { OpenDisplay(state); });
    return state;
}

} // namespace

void* EglDisplay::Handle()
{
    return State().display;
}

const std::string& EglDisplay::Error()
{
    return State().error;
}

bool EglDisplay::BindApi()
{
    // Only this module binds an API and it always binds the same one, so once per thread is
    // enough: asking the library again on every context switch costs a lookup of its own.
    thread_local bool bound = false;
    if (!bound)
        bound = eglBindAPI(EGL_OPENGL_API) == EGL_TRUE;
    return bound;
}

std::string EglDisplay::ErrorName(int code)
{
    switch (code) {
    case EGL_SUCCESS: return "EGL_SUCCESS";
    case EGL_NOT_INITIALIZED: return "EGL_NOT_INITIALIZED";
    case EGL_BAD_ACCESS: return "EGL_BAD_ACCESS";
    case EGL_BAD_ALLOC: return "EGL_BAD_ALLOC";
    case EGL_BAD_ATTRIBUTE: return "EGL_BAD_ATTRIBUTE";
    case EGL_BAD_CONFIG: return "EGL_BAD_CONFIG";
    case EGL_BAD_CONTEXT: return "EGL_BAD_CONTEXT";
    case EGL_BAD_CURRENT_SURFACE: return "EGL_BAD_CURRENT_SURFACE";
    case EGL_BAD_DISPLAY: return "EGL_BAD_DISPLAY";
    case EGL_BAD_MATCH: return "EGL_BAD_MATCH";
    case EGL_BAD_NATIVE_PIXMAP: return "EGL_BAD_NATIVE_PIXMAP";
    case EGL_BAD_NATIVE_WINDOW: return "EGL_BAD_NATIVE_WINDOW";
    case EGL_BAD_PARAMETER: return "EGL_BAD_PARAMETER";
    case EGL_BAD_SURFACE: return "EGL_BAD_SURFACE";
    case EGL_CONTEXT_LOST: return "EGL_CONTEXT_LOST";
    default: break;
    }
    char text[32];
    std::snprintf(text, sizeof text, "EGL error 0x%04X", static_cast<unsigned>(code));
    return text;
}

} // namespace plat
